#include "config_ui/win32/comctl32_sheet_view.h"

#include <optional>
#include <stdexcept>

#include <commctrl.h>
#include <objbase.h>
#include <prsht.h>

#include "config_ui/sheet_view_factory.h"
#include "config_ui/win32/dialog_template_memory.h"
#include "platform/win32/module_instance.h"

namespace lvc {
namespace {

constexpr UINT kTabChosenMessage = WM_APP + 1;  // wParam: the page comctl32 switched to
constexpr WORD kApplyButtonId = 0x3021;         // ID_APPLY_NOW of comctl32's sheet
constexpr const char* kViewProperty = "lvc.Comctl32SheetView";

std::optional<ControlEvent> controlEvent(ControlKind kind, WORD code) {
    switch (kind) {
    case ControlKind::ListBox:
        if (code == LBN_SELCHANGE) return ControlEvent::SelectionChanged;
        break;
    case ControlKind::ComboBox:
        if (code == CBN_SELCHANGE) return ControlEvent::SelectionChanged;
        break;
    case ControlKind::Edit:
        if (code == EN_CHANGE) return ControlEvent::TextChanged;
        break;
    case ControlKind::PushButton:
    case ControlKind::CheckBox:
        if (code == BN_CLICKED) return ControlEvent::Clicked;
        break;
    default: break;
    }
    return std::nullopt;
}

bool selectionOrFocusChanged(const NMLISTVIEW& change) {
    return (change.uChanged & LVIF_STATE) != 0 &&
           ((change.uOldState ^ change.uNewState) & (LVIS_SELECTED | LVIS_FOCUSED)) != 0;
}

}  // namespace

Comctl32SheetView::Comctl32SheetView() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_TAB_CLASSES |
                                                       ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES |
                                                       ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&controls);
    // S_FALSE (already initialised the same way) must be balanced too; a thread already
    // in the multithreaded apartment keeps it.
    comInitialised_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
}

Comctl32SheetView::~Comctl32SheetView() {
    destroySheet();
    if (comInitialised_) CoUninitialize();
}

void Comctl32SheetView::attach(SheetEvents& events) { events_ = &events; }

void Comctl32SheetView::setCaption(const std::string& caption) {
    caption_ = caption;
    if (sheet_) SetWindowTextA(sheet_, caption_.c_str());
}

// Pages are added before the first page is created: comctl32 builds the sheet then.
int32_t Comctl32SheetView::addPage(const PageTemplate& page) {
    const auto index = static_cast<int32_t>(pages_.size());
    auto entry = std::make_unique<Page>();
    entry->sheet = this;
    entry->index = index;
    entry->pageTemplate = &page;
    entry->dialogTemplate = buildDialogTemplate(page);
    pages_.push_back(std::move(entry));
    return index;
}

PageView& Comctl32SheetView::createPage(int32_t index) {
    Page& page = *pages_.at(static_cast<std::size_t>(index));
    if (!sheet_) createSheet();
    if (!page.window) showPage(index);  // comctl32 creates a page when it first shows it
    if (!page.window) throw std::runtime_error("property page could not be created");
    if (!page.view)
        page.view = std::make_unique<Comctl32PageView>(*page.pageTemplate, page.window,
                                                       [this, index] { showPage(index); });
    return *page.view;
}

void Comctl32SheetView::showPage(int32_t index) {
    if (!sheet_ || index == shownPage_) {
        shownPage_ = index;
        return;
    }
    switchingPage_ = true;
    PropSheet_SetCurSel(sheet_, nullptr, index);
    switchingPage_ = false;
    shownPage_ = index;
}

void Comctl32SheetView::enableApply(bool enabled) {
    applyEnabled_ = enabled;
    if (!sheet_) return;
    if (enabled) {
        PropSheet_Changed(sheet_, PropSheet_GetCurrentPageHwnd(sheet_));
        return;
    }
    for (const auto& page : pages_)
        if (page->window) PropSheet_UnChanged(sheet_, page->window);
}

void Comctl32SheetView::runModal() {
    if (!sheet_) createSheet();
    ShowWindow(sheet_, SW_SHOW);
    SetForegroundWindow(sheet_);
    while (!ended_) {
        MSG message;
        const BOOL received = GetMessageA(&message, nullptr, 0, 0);
        if (received <= 0) {
            // WM_QUIT belongs to the host's loop: leave it there and close like Cancel.
            if (received == 0) PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (!PropSheet_IsDialogMessage(sheet_, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    destroySheet();
}

void Comctl32SheetView::endModal() {
    ended_ = true;
    if (sheet_) PostMessageA(sheet_, WM_NULL, 0, 0);
}

// The sheet starts hidden: pages are created and filled before runModal shows it.
int CALLBACK Comctl32SheetView::sheetCallback(HWND /*window*/, UINT message, LPARAM lParam) {
    if (message == PSCB_PRECREATE) {
        auto* words = reinterpret_cast<WORD*>(lParam);
        const bool extended = words[1] == 0xFFFF;  // DLGTEMPLATEEX: style after 12 bytes
        auto* style =
            reinterpret_cast<DWORD*>(reinterpret_cast<BYTE*>(lParam) + (extended ? 12 : 0));
        *style &= ~static_cast<DWORD>(WS_VISIBLE);
    }
    return 0;
}

void Comctl32SheetView::createSheet() {
    std::vector<PROPSHEETPAGEA> sheetPages(pages_.size());
    for (std::size_t i = 0; i < pages_.size(); ++i) {
        PROPSHEETPAGEA& entry = sheetPages[i];
        entry.dwSize = sizeof entry;
        entry.dwFlags = PSP_DLGINDIRECT | PSP_PREMATURE;
        entry.hInstance = moduleInstance();
        entry.pResource = reinterpret_cast<const DLGTEMPLATE*>(pages_[i]->dialogTemplate.data());
        entry.pfnDlgProc = &Comctl32SheetView::pageProcedure;
        entry.lParam = reinterpret_cast<LPARAM>(pages_[i].get());
    }
    PROPSHEETHEADERA header{};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_MODELESS | PSH_USECALLBACK | PSH_NOCONTEXTHELP;
    header.hwndParent = nullptr;
    header.hInstance = moduleInstance();
    header.pszCaption = caption_.c_str();
    header.nPages = static_cast<UINT>(sheetPages.size());
    header.nStartPage = static_cast<UINT>(shownPage_);
    header.ppsp = sheetPages.data();
    header.pfnCallback = &Comctl32SheetView::sheetCallback;

    switchingPage_ = true;
    sheet_ = reinterpret_cast<HWND>(PropertySheetA(&header));
    switchingPage_ = false;
    if (!sheet_ || sheet_ == reinterpret_cast<HWND>(-1)) {
        sheet_ = nullptr;
        throw std::runtime_error("property sheet could not be created");
    }
    SetPropA(sheet_, kViewProperty, this);
    sheetBaseProcedure_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        sheet_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Comctl32SheetView::sheetProcedure)));
    enableApply(applyEnabled_);
}

void Comctl32SheetView::destroySheet() {
    if (!sheet_) return;
    HWND sheet = sheet_;
    sheet_ = nullptr;
    DestroyWindow(sheet);
    for (const auto& page : pages_) page->window = nullptr;
}

INT_PTR CALLBACK Comctl32SheetView::pageProcedure(HWND window, UINT message, WPARAM wParam,
                                                  LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* page = reinterpret_cast<Page*>(reinterpret_cast<PROPSHEETPAGEA*>(lParam)->lParam);
        SetWindowLongPtrA(window, DWLP_USER, reinterpret_cast<LONG_PTR>(page));
        page->window = window;
        return TRUE;
    }
    auto* page = reinterpret_cast<Page*>(GetWindowLongPtrA(window, DWLP_USER));
    if (!page) return FALSE;
    switch (message) {
    case WM_COMMAND:
        if (lParam != 0) page->sheet->forwardCommand(*page, wParam);
        return FALSE;
    case WM_NOTIFY: {
        const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
        if (header.code == PSN_SETACTIVE) {
            page->sheet->pageActivated(page->index);
            SetWindowLongPtrA(window, DWLP_MSGRESULT, 0);
            return TRUE;
        }
        if (header.code == PSN_KILLACTIVE) {
            SetWindowLongPtrA(window, DWLP_MSGRESULT, FALSE);  // the sheet logic validates
            return TRUE;
        }
        page->sheet->forwardNotification(*page, header);
        return FALSE;
    }
    default: return FALSE;
    }
}

void Comctl32SheetView::forwardCommand(Page& page, WPARAM wParam) {
    const auto id = static_cast<int32_t>(LOWORD(wParam));
    const ControlTemplate* control = findControl(*page.pageTemplate, id);
    if (!control || !events_) return;
    if (auto event = controlEvent(control->kind, HIWORD(wParam)))
        events_->onControlEvent(page.index, id, *event);
}

void Comctl32SheetView::forwardNotification(Page& page, const NMHDR& header) {
    const auto id = static_cast<int32_t>(header.idFrom);
    const ControlTemplate* control = findControl(*page.pageTemplate, id);
    if (!control || !events_) return;
    if (control->kind == ControlKind::ListView && header.code == LVN_ITEMCHANGED &&
        selectionOrFocusChanged(reinterpret_cast<const NMLISTVIEW&>(header)))
        events_->onControlEvent(page.index, id, ControlEvent::ItemChanged);
    if (control->kind == ControlKind::TrackBar && header.code == NM_RELEASEDCAPTURE)
        events_->onControlEvent(page.index, id, ControlEvent::TrackReleased);
}

// comctl32 has switched to the page. A switch the sheet logic asked for is done; one the
// user made is reported once comctl32 has finished it, and the logic either keeps the
// page or sends the user back.
void Comctl32SheetView::pageActivated(int32_t index) {
    if (switchingPage_) return;
    const int32_t previous = shownPage_;
    shownPage_ = index;
    if (index != previous && sheet_)
        PostMessageA(sheet_, kTabChosenMessage, static_cast<WPARAM>(index), previous);
}

bool Comctl32SheetView::handleSheetMessage(UINT message, WPARAM wParam) {
    if (!events_) return false;
    if (message == kTabChosenMessage) {
        events_->onTabSelected(static_cast<int32_t>(wParam));
        return true;
    }
    if (message == WM_CLOSE || (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE)) {
        events_->onCancel();
        return true;
    }
    if (message != WM_COMMAND || HIWORD(wParam) != BN_CLICKED) return false;
    switch (LOWORD(wParam)) {
    case IDOK: events_->onOk(); return true;
    case IDCANCEL: events_->onCancel(); return true;
    case kApplyButtonId: events_->onApply(); return true;
    default: return false;
    }
}

LRESULT CALLBACK Comctl32SheetView::sheetProcedure(HWND window, UINT message, WPARAM wParam,
                                                   LPARAM lParam) {
    auto* view = static_cast<Comctl32SheetView*>(GetPropA(window, kViewProperty));
    if (!view) return DefWindowProcA(window, message, wParam, lParam);
    if (view->handleSheetMessage(message, wParam)) return 0;
    if (message == WM_NCDESTROY) RemovePropA(window, kViewProperty);
    return CallWindowProcA(view->sheetBaseProcedure_, window, message, wParam, lParam);
}

std::unique_ptr<SheetView> createPlatformSheetView() {
    return std::make_unique<Comctl32SheetView>();
}

}  // namespace lvc
