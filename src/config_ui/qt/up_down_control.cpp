#include "config_ui/qt/up_down_control.h"

#include <QKeyEvent>
#include <QToolButton>

#include "config_ui/spin_position.h"

namespace lvc::qt {
namespace {

QToolButton* arrowButton(QWidget* parent, Qt::ArrowType arrow) {
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

}  // namespace

UpDownControl::UpDownControl(QWidget* parent)
    : QWidget(parent),
      up_(arrowButton(this, Qt::UpArrow)),
      down_(arrowButton(this, Qt::DownArrow)) {
    connect(up_, &QToolButton::clicked, this, [this] { stepBy(1); });
    connect(down_, &QToolButton::clicked, this, [this] { stepBy(-1); });
}

void UpDownControl::setBuddy(QLineEdit* buddy, bool answerArrowKeys) {
    if (buddy_) buddy_->removeEventFilter(this);
    buddy_ = buddy;
    if (buddy_ && answerArrowKeys) buddy_->installEventFilter(this);
}

void UpDownControl::setRange(int32_t lowest, int32_t highest) {
    lowest_ = lowest;
    highest_ = highest;
    position_ = clampToRange(position_, lowest_, highest_);
}

void UpDownControl::setPosition(int32_t position) {
    position_ = clampToRange(position, lowest_, highest_);
    if (buddy_) buddy_->setText(QString::number(position_));
}

int32_t UpDownControl::position() {
    if (buddy_)
        position_ =
            spinPositionFromText(buddy_->text().toStdString(), lowest_, highest_, position_);
    return position_;
}

void UpDownControl::stepBy(int direction) {
    if (!isEnabled()) return;
    setPosition(clampToRange(int64_t{position()} + int64_t{direction} * step_, lowest_, highest_));
}

bool UpDownControl::eventFilter(QObject* watched, QEvent* event) {
    if (watched == buddy_ && event->type() == QEvent::KeyPress) {
        int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            stepBy(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void UpDownControl::resizeEvent(QResizeEvent*) {
    int half = height() / 2;
    up_->setGeometry(0, 0, width(), half);
    down_->setGeometry(0, half, width(), height() - half);
}

}  // namespace lvc::qt
