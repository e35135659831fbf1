// The Qt sheet: a modal dialog titled with the camera's name, a tab per page, and OK,
// Cancel and Apply. Every button, the close box and tab changes go to the sheet's logic,
// which decides what happens.
#pragma once

#include <QApplication>
#include <QDialog>
#include <memory>
#include <vector>

#include "config_ui/qt/dialog_units.h"
#include "config_ui/qt/qt_page_view.h"
#include "config_ui/sheet_view.h"

class QTabWidget;
class QPushButton;

namespace lvc::qt {

class SheetDialog;

class QtSheetView final : public SheetView {
public:
    // application: the one this view created for its run, or null when the host's is used.
    explicit QtSheetView(std::unique_ptr<QApplication> application);
    ~QtSheetView() override;

    void attach(SheetEvents& events) override;
    void setCaption(const std::string& caption) override;
    int32_t addPage(const PageTemplate& page) override;
    PageView& createPage(int32_t page) override;
    void showPage(int32_t page) override;
    void enableApply(bool enabled) override;
    void runModal() override;
    void endModal() override;

private:
    void onTabChanged(int index);

    // Declared first so that it goes last, after every widget.
    std::unique_ptr<QApplication> application_;
    std::unique_ptr<SheetDialog> dialog_;
    QTabWidget* tabs_ = nullptr;
    QPushButton* applyButton_ = nullptr;
    DialogUnits units_;
    SheetEvents* events_ = nullptr;
    std::vector<const PageTemplate*> templates_;
    std::vector<QWidget*> pageWidgets_;
    std::vector<std::unique_ptr<QtPageView>> pages_;
    int32_t current_ = 0;
};

}  // namespace lvc::qt
