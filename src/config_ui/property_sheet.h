// CPropertySheet: the modal tabbed sheet with OK, Cancel and Apply, over a SheetView.
//
// Rules: a page is created the first time its tab is shown (the first page when the sheet
// opens); leaving a page, OK and Apply exchange the current page's controls into its
// members and validate them, and a refused value keeps the user on that page; OK and Apply
// run the apply step of every created page, and OK then closes the sheet; Cancel and the
// close box close it without any apply step; a page marking itself modified enables Apply
// (changes made while a page is created and filled do not count).
#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <vector>

#include "config_ui/property_page.h"
#include "config_ui/sheet_view.h"

namespace lvc {

class CPropertySheet final : private SheetEvents {
public:
    explicit CPropertySheet(std::string caption);

    // Adds a page in tab order; the sheet borrows it for its run.
    void addPage(CPropertyPage& page);
    // Runs the sheet in the view until the user closes it. An exception raised by a page
    // while the view's loop runs ends the loop and is rethrown here, so it never crosses
    // the toolkit's event loop.
    void doModal(SheetView& view);

private:
    void onTabSelected(int32_t page) override;
    void onControlEvent(int32_t page, int32_t controlId, ControlEvent event) override;
    void onOk() override;
    void onApply() override;
    void onCancel() override;

    template <typename Action>
    void guarded(Action&& action);
    void createPage(int32_t index);
    // Exchanges and validates the current page, then applies every created page.
    bool applyPages();
    void updateApplyButton();

    std::string caption_;
    std::vector<CPropertyPage*> pages_;
    SheetView* view_ = nullptr;
    int32_t current_ = 0;
    std::exception_ptr failure_;
};

}  // namespace lvc
