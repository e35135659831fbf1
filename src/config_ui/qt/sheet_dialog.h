// The sheet's top-level dialog: Escape and the close box ask the sheet's logic instead of
// closing the dialog themselves; only finish() closes it.
#pragma once

#include <QDialog>
#include <functional>
#include <utility>

namespace lvc::qt {

class SheetDialog final : public QDialog {
public:
    explicit SheetDialog(std::function<void()> onCancel) : onCancel_(std::move(onCancel)) {}

    void finish() {
        finishing_ = true;
        QDialog::done(QDialog::Rejected);
    }
    void reject() override {
        if (finishing_)
            QDialog::reject();
        else
            onCancel_();
    }

private:
    std::function<void()> onCancel_;
    bool finishing_ = false;
};

}  // namespace lvc::qt
