// Draws the histogram of the frame on display: one curve per channel, counts on a
// logarithmic scale.
#pragma once

#include <QWidget>

#include "frame_histogram.h"

namespace lvcview {

class HistogramView : public QWidget {
    Q_OBJECT
public:
    explicit HistogramView(QWidget* parent = nullptr);

    const FrameHistogram& histogram() const { return histogram_; }
    QSize sizeHint() const override { return {256, 120}; }

public slots:
    void showFrame(const QImage& image);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    FrameHistogram histogram_;
};

}  // namespace lvcview
