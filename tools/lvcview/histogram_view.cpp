#include "histogram_view.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace lvcview {
namespace {

QColor channelColour(int channels, int channel) {
    if (channels == 1) return Qt::lightGray;
    constexpr Qt::GlobalColor kBgr[] = {Qt::blue, Qt::green, Qt::red};
    return kBgr[channel];
}

}  // namespace

HistogramView::HistogramView(QWidget* parent) : QWidget(parent) {
    setMinimumSize(128, 64);
    setToolTip(tr("Histogram of the frame on display"));
}

void HistogramView::showFrame(const QImage& image) {
    histogram_.count(image);
    update();
}

void HistogramView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    // A logarithmic scale, so the few values of flat areas do not flatten everything else.
    const double peak = std::log1p(histogram_.peak());
    const double xScale = static_cast<double>(width()) / FrameHistogram::kBins;
    painter.setRenderHint(QPainter::Antialiasing);
    for (int channel = 0; channel < histogram_.channels(); ++channel) {
        QPainterPath curve;
        for (int bin = 0; bin < FrameHistogram::kBins; ++bin) {
            const double level = std::log1p(histogram_.bins(channel)[bin]) / peak;
            const QPointF point(bin * xScale, (height() - 1) * (1.0 - level));
            if (bin == 0)
                curve.moveTo(point);
            else
                curve.lineTo(point);
        }
        painter.setPen(channelColour(histogram_.channels(), channel));
        painter.drawPath(curve);
    }
}

}  // namespace lvcview
