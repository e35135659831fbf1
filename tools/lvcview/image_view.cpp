#include "image_view.h"

#include <QMouseEvent>
#include <QPainter>

namespace lvcview {

ImageView::ImageView(QWidget* parent) : QScrollArea(parent), canvas_(new ImageCanvas) {
    setWidget(canvas_);
    setWidgetResizable(true);
    setAlignment(Qt::AlignCenter);
    setBackgroundRole(QPalette::Dark);
    connect(canvas_, &ImageCanvas::pixelHovered, this, &ImageView::pixelHovered);
}

const QImage& ImageView::image() const { return canvas_->image(); }

QString ImageView::describePixel(const QImage& image, QPoint pixel) {
    if (!image.valid(pixel)) return {};
    const QString place = QString("%1, %2: ").arg(pixel.x()).arg(pixel.y());
    if (image.format() == QImage::Format_Grayscale8)
        return place + QString::number(image.constScanLine(pixel.y())[pixel.x()]);
    const QRgb rgb = image.pixel(pixel);
    return place + QString("R %1 G %2 B %3").arg(qRed(rgb)).arg(qGreen(rgb)).arg(qBlue(rgb));
}

void ImageView::showFrame(const QImage& image) {
    const bool resized = image.size() != canvas_->image().size();
    canvas_->setImage(image);
    if (resized && zoom_ == Zoom::Actual) canvas_->setFixedSize(image.size());
}

void ImageView::setZoom(Zoom zoom) {
    zoom_ = zoom;
    canvas_->setFit(zoom == Zoom::Fit);
    if (zoom == Zoom::Fit) {
        canvas_->setMinimumSize(0, 0);
        canvas_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        setWidgetResizable(true);
    } else {
        setWidgetResizable(false);
        canvas_->setFixedSize(canvas_->image().size());
    }
}

ImageCanvas::ImageCanvas(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ImageCanvas::setImage(const QImage& image) {
    image_ = image;
    update();
}

void ImageCanvas::setFit(bool fit) {
    fit_ = fit;
    update();
}

QRect ImageCanvas::imageRect() const {
    if (image_.isNull()) return {};
    if (!fit_) return QRect(QPoint(0, 0), image_.size());
    QSize scaled = image_.size().scaled(size(), Qt::KeepAspectRatio);
    return QRect(QPoint((width() - scaled.width()) / 2, (height() - scaled.height()) / 2), scaled);
}

QPoint ImageCanvas::pixelAt(QPoint point) const {
    const QRect area = imageRect();
    if (!area.contains(point)) return {-1, -1};
    return {
        static_cast<int>(static_cast<qint64>(point.x() - area.x()) * image_.width() / area.width()),
        static_cast<int>(static_cast<qint64>(point.y() - area.y()) * image_.height() /
                         area.height())};
}

void ImageCanvas::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().dark());
    if (!image_.isNull()) painter.drawImage(imageRect(), image_);
}

void ImageCanvas::mouseMoveEvent(QMouseEvent* event) {
    emit pixelHovered(ImageView::describePixel(image_, pixelAt(event->position().toPoint())));
}

void ImageCanvas::leaveEvent(QEvent*) { emit pixelHovered({}); }

}  // namespace lvcview
