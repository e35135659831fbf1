// The platform's up-down (spin) control: two arrow buttons that step a position kept in a
// buddy edit, where the position is shown as a plain integer and read back from.
#pragma once

#include <QLineEdit>
#include <QWidget>
#include <cstdint>

class QToolButton;

namespace lvc::qt {

class UpDownControl final : public QWidget {
public:
    explicit UpDownControl(QWidget* parent);

    // The edit that shows the position; with answerArrowKeys its Up and Down keys step it.
    void setBuddy(QLineEdit* buddy, bool answerArrowKeys);
    void setRange(int32_t lowest, int32_t highest);
    int32_t lowest() const { return lowest_; }
    int32_t highest() const { return highest_; }
    void setPosition(int32_t position);
    // Reads the position from the buddy's text.
    int32_t position();
    void setStep(int32_t step) { step_ = step; }
    void stepBy(int direction);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QToolButton* up_;
    QToolButton* down_;
    QLineEdit* buddy_ = nullptr;
    int32_t lowest_ = 0;
    int32_t highest_ = 100;
    int32_t position_ = 0;
    int32_t step_ = 1;
};

}  // namespace lvc::qt
