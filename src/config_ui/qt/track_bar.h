// The platform's track bar: a slider that reports when the mouse releases it, after a
// click or a drag; keyboard moves report nothing.
#pragma once

#include <QMouseEvent>
#include <QSlider>
#include <functional>
#include <utility>

namespace lvc::qt {

class TrackBar final : public QSlider {
public:
    TrackBar(QWidget* parent, std::function<void()> onRelease)
        : QSlider(Qt::Horizontal, parent), onRelease_(std::move(onRelease)) {
        setTickPosition(QSlider::NoTicks);
    }

protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        QSlider::mouseReleaseEvent(event);
        if (event->button() == Qt::LeftButton) onRelease_();
    }

private:
    std::function<void()> onRelease_;
};

}  // namespace lvc::qt
