// SheetView over a native comctl32 property sheet: one page per template, built from the
// template data as an in-memory dialog template, with the platform's OK, Cancel and
// Apply buttons and its changed-page rule for Apply.
//
// The sheet is modeless under a message loop of the view's own, so that the shared sheet
// logic decides: OK, Cancel, Apply and the close box are passed to it instead of being
// handled by comctl32, and a tab the user chooses is reported to it once comctl32 has
// switched; a page it refuses to leave is shown again.
//
// COM (single-threaded apartment, for the file-open dialog) and the common controls are
// initialised on the calling thread for the life of the view.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <windows.h>

#include "config_ui/sheet_view.h"
#include "config_ui/win32/comctl32_page_view.h"

namespace lvc {

class Comctl32SheetView final : public SheetView {
public:
    Comctl32SheetView();
    ~Comctl32SheetView() override;
    Comctl32SheetView(const Comctl32SheetView&) = delete;
    Comctl32SheetView& operator=(const Comctl32SheetView&) = delete;

    void attach(SheetEvents& events) override;
    void setCaption(const std::string& caption) override;
    int32_t addPage(const PageTemplate& page) override;
    PageView& createPage(int32_t page) override;
    void showPage(int32_t page) override;
    void enableApply(bool enabled) override;
    void runModal() override;
    void endModal() override;

private:
    struct Page {
        Comctl32SheetView* sheet = nullptr;
        int32_t index = 0;
        const PageTemplate* pageTemplate = nullptr;
        std::vector<WORD> dialogTemplate;
        HWND window = nullptr;
        std::unique_ptr<Comctl32PageView> view;
    };

    static INT_PTR CALLBACK pageProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK sheetProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static int CALLBACK sheetCallback(HWND window, UINT message, LPARAM lParam);

    void createSheet();
    void destroySheet();
    void forwardCommand(Page& page, WPARAM wParam);
    void forwardNotification(Page& page, const NMHDR& header);
    void pageActivated(int32_t index);
    // The sheet's own commands: true when the message was one and has been passed on.
    bool handleSheetMessage(UINT message, WPARAM wParam);

    SheetEvents* events_ = nullptr;
    std::string caption_;
    std::vector<std::unique_ptr<Page>> pages_;  // stable addresses: the pages' lParam
    HWND sheet_ = nullptr;
    WNDPROC sheetBaseProcedure_ = nullptr;
    int32_t shownPage_ = 0;
    bool switchingPage_ = false;
    bool ended_ = false;
    bool applyEnabled_ = false;
    bool comInitialised_ = false;
};

}  // namespace lvc
