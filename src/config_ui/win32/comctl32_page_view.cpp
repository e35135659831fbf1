#include "config_ui/win32/comctl32_page_view.h"

#include <utility>
#include <vector>

#include <commctrl.h>

#include "config_ui/spin_position.h"
#include "config_ui/win32/open_file_dialog.h"

namespace lvc {
namespace {

std::string windowText(HWND window) {
    const int length = GetWindowTextLengthA(window);
    if (length <= 0) return {};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

bool validIndex(int32_t index, LRESULT count) { return index >= 0 && index < count; }

}  // namespace

Comctl32PageView::Comctl32PageView(const PageTemplate& page, HWND window,
                                   std::function<void()> showPage)
    : page_(page), window_(window), showPage_(std::move(showPage)) {}

HWND Comctl32PageView::control(int32_t id, ControlKind kind) const {
    const ControlTemplate* found = findControl(page_, id);
    if (!found || found->kind != kind) return nullptr;
    return GetDlgItem(window_, id);
}

HWND Comctl32PageView::list(int32_t id, bool* isComboBox) const {
    const ControlTemplate* found = findControl(page_, id);
    if (!found) return nullptr;
    if (found->kind != ControlKind::ListBox && found->kind != ControlKind::ComboBox) return nullptr;
    *isComboBox = found->kind == ControlKind::ComboBox;
    return GetDlgItem(window_, id);
}

void Comctl32PageView::enable(int32_t id, bool enabled) {
    if (id == kStaticId || !findControl(page_, id)) return;
    if (HWND window = GetDlgItem(window_, id)) EnableWindow(window, enabled);
}

void Comctl32PageView::setText(int32_t id, const std::string& text) {
    const ControlTemplate* found = findControl(page_, id);
    if (!found || id == kStaticId) return;
    HWND window = GetDlgItem(window_, id);
    if (!window) return;
    // An edit reports a change only when its text really changes.
    if (found->kind == ControlKind::Edit && windowText(window) == text) return;
    SetWindowTextA(window, text.c_str());
}

std::string Comctl32PageView::text(int32_t id) {
    if (id == kStaticId || !findControl(page_, id)) return {};
    HWND window = GetDlgItem(window_, id);
    return window ? windowText(window) : std::string();
}

void Comctl32PageView::setChecked(int32_t id, bool checked) {
    if (HWND box = control(id, ControlKind::CheckBox))
        SendMessageA(box, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool Comctl32PageView::isChecked(int32_t id) {
    HWND box = control(id, ControlKind::CheckBox);
    return box && SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Comctl32PageView::clearList(int32_t id) {
    bool combo = false;
    if (HWND window = list(id, &combo))
        SendMessageA(window, combo ? CB_RESETCONTENT : LB_RESETCONTENT, 0, 0);
}

int32_t Comctl32PageView::addListItem(int32_t id, const std::string& text, uint32_t data) {
    bool combo = false;
    HWND window = list(id, &combo);
    if (!window) return -1;
    const LRESULT index = SendMessageA(window, combo ? CB_ADDSTRING : LB_ADDSTRING, 0,
                                       reinterpret_cast<LPARAM>(text.c_str()));
    if (index < 0) return -1;
    SendMessageA(window, combo ? CB_SETITEMDATA : LB_SETITEMDATA, static_cast<WPARAM>(index),
                 static_cast<LPARAM>(data));
    return static_cast<int32_t>(index);
}

int32_t Comctl32PageView::listCount(int32_t id) {
    bool combo = false;
    HWND window = list(id, &combo);
    if (!window) return 0;
    const LRESULT count = SendMessageA(window, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0);
    return count > 0 ? static_cast<int32_t>(count) : 0;
}

std::string Comctl32PageView::listItemText(int32_t id, int32_t index) {
    bool combo = false;
    HWND window = list(id, &combo);
    if (!window || !validIndex(index, listCount(id))) return {};
    const LRESULT length = SendMessageA(window, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN,
                                        static_cast<WPARAM>(index), 0);
    if (length <= 0) return {};
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    SendMessageA(window, combo ? CB_GETLBTEXT : LB_GETTEXT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

uint32_t Comctl32PageView::listItemData(int32_t id, int32_t index) {
    bool combo = false;
    HWND window = list(id, &combo);
    if (!window || !validIndex(index, listCount(id))) return 0xFFFFFFFFu;
    return static_cast<uint32_t>(SendMessageA(window, combo ? CB_GETITEMDATA : LB_GETITEMDATA,
                                              static_cast<WPARAM>(index), 0));
}

void Comctl32PageView::setListSelection(int32_t id, int32_t index) {
    bool combo = false;
    HWND window = list(id, &combo);
    if (!window) return;
    const int32_t selection = validIndex(index, listCount(id)) ? index : -1;
    SendMessageA(window, combo ? CB_SETCURSEL : LB_SETCURSEL, static_cast<WPARAM>(selection), 0);
}

int32_t Comctl32PageView::listSelection(int32_t id) {
    bool combo = false;
    HWND window = list(id, &combo);
    if (!window) return -1;
    const LRESULT selection = SendMessageA(window, combo ? CB_GETCURSEL : LB_GETCURSEL, 0, 0);
    return selection < 0 ? -1 : static_cast<int32_t>(selection);
}

void Comctl32PageView::setSpinBuddy(int32_t spinId, int32_t editId) {
    HWND spin = control(spinId, ControlKind::SpinControl);
    HWND edit = control(editId, ControlKind::Edit);
    if (spin && edit) SendMessageA(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(edit), 0);
}

void Comctl32PageView::setSpinRange(int32_t id, int32_t lowest, int32_t highest) {
    HWND spin = control(id, ControlKind::SpinControl);
    if (!spin) return;
    const int32_t position = spinPosition(id);
    SendMessageA(spin, UDM_SETRANGE32, static_cast<WPARAM>(lowest), static_cast<LPARAM>(highest));
    setSpinPosition(id, position);
}

void Comctl32PageView::spinRange(int32_t id, int32_t* lowest, int32_t* highest) {
    int low = 0;
    int high = 0;
    if (HWND spin = control(id, ControlKind::SpinControl))
        SendMessageA(spin, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low),
                     reinterpret_cast<LPARAM>(&high));
    if (lowest) *lowest = low;
    if (highest) *highest = high;
}

void Comctl32PageView::setSpinPosition(int32_t id, int32_t position) {
    HWND spin = control(id, ControlKind::SpinControl);
    if (!spin) return;
    int32_t lowest = 0;
    int32_t highest = 0;
    spinRange(id, &lowest, &highest);
    SendMessageA(spin, UDM_SETPOS32, 0, clampToRange(position, lowest, highest));
}

int32_t Comctl32PageView::spinPosition(int32_t id) {
    HWND spin = control(id, ControlKind::SpinControl);
    if (!spin) return 0;
    BOOL failed = FALSE;
    const auto last = static_cast<int32_t>(
        SendMessageA(spin, UDM_GETPOS32, 0, reinterpret_cast<LPARAM>(&failed)));
    HWND buddy = reinterpret_cast<HWND>(SendMessageA(spin, UDM_GETBUDDY, 0, 0));
    if (!buddy) return last;
    // The buddy's text decides, read the same way on every platform: a number outside the
    // range as the nearest end, a text that is no number as the last position.
    int32_t lowest = 0;
    int32_t highest = 0;
    spinRange(id, &lowest, &highest);
    return spinPositionFromText(windowText(buddy), lowest, highest, last);
}

void Comctl32PageView::setSpinStep(int32_t id, int32_t increment) {
    HWND spin = control(id, ControlKind::SpinControl);
    if (!spin) return;
    UDACCEL step{0, static_cast<UINT>(increment)};
    SendMessageA(spin, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&step));
}

void Comctl32PageView::setTrackBarRange(int32_t id, int32_t lowest, int32_t highest) {
    if (HWND bar = control(id, ControlKind::TrackBar)) {
        SendMessageA(bar, TBM_SETRANGEMIN, FALSE, lowest);
        SendMessageA(bar, TBM_SETRANGEMAX, FALSE, highest);
    }
}

void Comctl32PageView::setTrackBarPosition(int32_t id, int32_t position) {
    if (HWND bar = control(id, ControlKind::TrackBar))
        SendMessageA(bar, TBM_SETPOS, TRUE, position);
}

int32_t Comctl32PageView::trackBarPosition(int32_t id) {
    HWND bar = control(id, ControlKind::TrackBar);
    return bar ? static_cast<int32_t>(SendMessageA(bar, TBM_GETPOS, 0, 0)) : 0;
}

void Comctl32PageView::setTrackBarBuddy(int32_t trackBarId, int32_t editId) {
    HWND bar = control(trackBarId, ControlKind::TrackBar);
    HWND edit = control(editId, ControlKind::Edit);
    if (bar && edit) SendMessageA(bar, TBM_SETBUDDY, FALSE, reinterpret_cast<LPARAM>(edit));
}

void Comctl32PageView::addListViewColumn(int32_t id, int32_t column, const std::string& heading,
                                         int32_t widthPixels, ColumnAlignment alignment) {
    HWND view = control(id, ControlKind::ListView);
    if (!view) return;
    LVCOLUMNA entry{};
    entry.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    entry.fmt = alignment == ColumnAlignment::Right    ? LVCFMT_RIGHT
                : alignment == ColumnAlignment::Center ? LVCFMT_CENTER
                                                       : LVCFMT_LEFT;
    entry.cx = widthPixels;
    entry.pszText = const_cast<char*>(heading.c_str());
    entry.iSubItem = column;
    SendMessageA(view, LVM_INSERTCOLUMNA, static_cast<WPARAM>(column),
                 reinterpret_cast<LPARAM>(&entry));
}

int32_t Comctl32PageView::addListViewRow(int32_t id, const std::string& text, uint32_t data) {
    HWND view = control(id, ControlKind::ListView);
    if (!view) return -1;
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = static_cast<int>(SendMessageA(view, LVM_GETITEMCOUNT, 0, 0));
    item.pszText = const_cast<char*>(text.c_str());
    item.lParam = static_cast<LPARAM>(data);
    return static_cast<int32_t>(
        SendMessageA(view, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

void Comctl32PageView::setListViewCell(int32_t id, int32_t row, int32_t column,
                                       const std::string& text) {
    HWND view = control(id, ControlKind::ListView);
    if (!view || !validIndex(row, listViewRowCount(id))) return;
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text.c_str());
    SendMessageA(view, LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

std::string Comctl32PageView::listViewCell(int32_t id, int32_t row, int32_t column) {
    HWND view = control(id, ControlKind::ListView);
    if (!view || !validIndex(row, listViewRowCount(id))) return {};
    char buffer[256] = {};
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = buffer;
    item.cchTextMax = sizeof buffer;
    SendMessageA(view, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return buffer;
}

int32_t Comctl32PageView::listViewRowCount(int32_t id) {
    HWND view = control(id, ControlKind::ListView);
    return view ? static_cast<int32_t>(SendMessageA(view, LVM_GETITEMCOUNT, 0, 0)) : 0;
}

uint32_t Comctl32PageView::listViewRowData(int32_t id, int32_t row) {
    HWND view = control(id, ControlKind::ListView);
    if (!view || !validIndex(row, listViewRowCount(id))) return 0;
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    SendMessageA(view, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return static_cast<uint32_t>(item.lParam);
}

void Comctl32PageView::setListViewSelection(int32_t id, int32_t row) {
    HWND view = control(id, ControlKind::ListView);
    if (!view) return;
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    if (!validIndex(row, listViewRowCount(id))) {
        item.state = 0;
        SendMessageA(view, LVM_SETITEMSTATE, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(&item));
        return;
    }
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(view, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

int32_t Comctl32PageView::listViewSelection(int32_t id) {
    HWND view = control(id, ControlKind::ListView);
    if (!view) return -1;
    return static_cast<int32_t>(
        SendMessageA(view, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void Comctl32PageView::showInvalidValue(int32_t id, const std::string& message) {
    showPage_();
    MessageBoxA(window_, message.c_str(), nullptr, MB_OK | MB_ICONEXCLAMATION);
    if (id == kStaticId || !findControl(page_, id)) return;
    if (HWND window = GetDlgItem(window_, id)) SetFocus(window);
}

bool Comctl32PageView::chooseFile(const FileDialogRequest& request, std::string* path) {
    return openFileDialog(window_, request, path);
}

}  // namespace lvc
