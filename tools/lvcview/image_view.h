// Shows the frame on display, scaled to fit or at 1:1 (in a scroll area), and reports the
// pixel under the cursor.
#pragma once

#include <QImage>
#include <QScrollArea>

namespace lvcview {

class ImageCanvas;

class ImageView : public QScrollArea {
    Q_OBJECT
public:
    enum class Zoom { Fit, Actual };

    explicit ImageView(QWidget* parent = nullptr);

    Zoom zoom() const { return zoom_; }
    const QImage& image() const;
    // "x, y: value" for the pixel at (x, y) of the image, empty outside it.
    static QString describePixel(const QImage& image, QPoint pixel);

public slots:
    void showFrame(const QImage& image);
    void setZoom(lvcview::ImageView::Zoom zoom);

signals:
    // The pixel under the cursor, described; empty when the cursor leaves the image.
    void pixelHovered(const QString& description);

private:
    ImageCanvas* canvas_;
    Zoom zoom_ = Zoom::Fit;
};

// The widget inside the scroll area that paints the image.
class ImageCanvas : public QWidget {
    Q_OBJECT
public:
    explicit ImageCanvas(QWidget* parent = nullptr);

    const QImage& image() const { return image_; }
    void setImage(const QImage& image);
    void setFit(bool fit);
    // The image pixel under a point of the widget, or (-1, -1).
    QPoint pixelAt(QPoint point) const;

signals:
    void pixelHovered(const QString& description);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QRect imageRect() const;

    QImage image_;
    bool fit_ = true;
};

}  // namespace lvcview
