#include "win32/native_sheet.h"

#include <chrono>
#include <stdexcept>

#include <commctrl.h>
#include <prsht.h>

#include "support/wait_until.h"

namespace lvc::test {

namespace {
// Wine brings up its desktop for the first window of a fresh prefix, and under load has
// been seen to take over 10 s for it (and 20 s per process later in a run).
constexpr std::chrono::seconds kSheetDeadline{60};
}  // namespace

NativeSheet::NativeSheet(const std::string& caption) {
    if (!waitUntil(
            [&] {
                sheet_ = FindWindowA(nullptr, caption.c_str());
                return sheet_ != nullptr && IsWindowVisible(sheet_);
            },
            kSheetDeadline))
        throw std::runtime_error("no sheet captioned \"" + caption + "\"");
}

HWND NativeSheet::page(int index) const { return PropSheet_IndexToHwnd(sheet_, index); }

void NativeSheet::chooseTab(int index) const { PropSheet_SetCurSel(sheet_, nullptr, index); }

HWND NativeSheet::control(int pageIndex, int id) const {
    HWND found = nullptr;
    if (!waitUntil([&] {
            HWND pageWindow = page(pageIndex);
            found = pageWindow ? GetDlgItem(pageWindow, id) : nullptr;
            return found != nullptr;
        }))
        throw std::runtime_error("no control " + std::to_string(id));
    return found;
}

void NativeSheet::selectListItem(int pageIndex, int id, int index) const {
    HWND list = control(pageIndex, id);
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(page(pageIndex), WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
}

void NativeSheet::selectComboItem(int pageIndex, int id, int index) const {
    HWND combo = control(pageIndex, id);
    SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(page(pageIndex), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo));
}

void NativeSheet::typeText(int pageIndex, int id, const std::string& text) const {
    SendMessageA(control(pageIndex, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void NativeSheet::clickCheckBox(int pageIndex, int id) const {
    HWND box = control(pageIndex, id);
    const bool checked = SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
    SendMessageA(box, BM_SETCHECK, checked ? BST_UNCHECKED : BST_CHECKED, 0);
    SendMessageA(page(pageIndex), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(box));
}

void NativeSheet::pressButton(int buttonId) const {
    SendMessageA(sheet_, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(sheet_, buttonId)));
}

}  // namespace lvc::test
