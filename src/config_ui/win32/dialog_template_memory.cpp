#include "config_ui/win32/dialog_template_memory.h"

#include <commctrl.h>

namespace lvc {
namespace {

class TemplateWriter {
public:
    void word(WORD value) { words_.push_back(value); }
    void dword(DWORD value) {
        word(LOWORD(value));
        word(HIWORD(value));
    }
    void number(int16_t value) { word(static_cast<WORD>(value)); }
    // A NUL-terminated UTF-16 string from 8-bit text in the system's code page.
    void text(const char* value) {
        const int length = MultiByteToWideChar(CP_ACP, 0, value, -1, nullptr, 0);
        const std::size_t start = words_.size();
        words_.resize(start + static_cast<std::size_t>(length > 0 ? length : 1), 0);
        if (length > 0)
            MultiByteToWideChar(CP_ACP, 0, value, -1, reinterpret_cast<wchar_t*>(&words_[start]),
                                length);
    }
    void alignToDword() {
        if (words_.size() % 2 != 0) word(0);
    }
    std::vector<WORD> take() { return std::move(words_); }

private:
    std::vector<WORD> words_;
};

bool has(const ControlTemplate& control, uint32_t style) { return (control.style & style) != 0; }

DWORD flag(const ControlTemplate& control, uint32_t style, DWORD windowStyle) {
    return has(control, style) ? windowStyle : 0;
}

const char* windowClass(ControlKind kind) {
    switch (kind) {
    case ControlKind::GroupBox:
    case ControlKind::PushButton:
    case ControlKind::CheckBox: return "BUTTON";
    case ControlKind::Label: return "STATIC";
    case ControlKind::ListBox: return "LISTBOX";
    case ControlKind::ComboBox: return "COMBOBOX";
    case ControlKind::Edit: return "EDIT";
    case ControlKind::SpinControl: return UPDOWN_CLASSA;
    case ControlKind::ListView: return WC_LISTVIEWA;
    case ControlKind::TrackBar: return TRACKBAR_CLASSA;
    }
    return "STATIC";
}

// Window styles as a resource script gives them to each kind, plus the template's flags.
DWORD windowStyle(const ControlTemplate& control) {
    const DWORD common = WS_CHILD | WS_VISIBLE;
    const DWORD scroll = flag(control, kStyleVerticalScroll, WS_VSCROLL);
    switch (control.kind) {
    case ControlKind::GroupBox: return common | BS_GROUPBOX;
    case ControlKind::Label:
        return common | WS_GROUP | (has(control, kStyleAlignRight) ? SS_RIGHT : SS_LEFT);
    case ControlKind::ListBox:
        return common | WS_TABSTOP | WS_BORDER | LBS_NOINTEGRALHEIGHT | scroll |
               flag(control, kStyleNotify, LBS_NOTIFY);
    case ControlKind::ComboBox:
        return common | WS_TABSTOP | scroll |
               (has(control, kStyleDropDownList) ? CBS_DROPDOWNLIST : CBS_DROPDOWN);
    case ControlKind::Edit:
        return common | WS_TABSTOP | WS_BORDER |
               flag(control, kStyleAutoHorizontalScroll, ES_AUTOHSCROLL) |
               flag(control, kStyleReadOnly, ES_READONLY) |
               flag(control, kStyleMultiLine, ES_MULTILINE);
    case ControlKind::SpinControl:
        return common | flag(control, kStyleAlignRight, UDS_ALIGNRIGHT) |
               flag(control, kStyleAutoBuddy, UDS_AUTOBUDDY) |
               flag(control, kStyleSetBuddyInteger, UDS_SETBUDDYINT) |
               flag(control, kStyleNoThousands, UDS_NOTHOUSANDS) |
               flag(control, kStyleArrowKeys, UDS_ARROWKEYS);
    case ControlKind::PushButton: return common | WS_TABSTOP | BS_PUSHBUTTON;
    case ControlKind::CheckBox:
        return common | WS_TABSTOP |
               (has(control, kStyleAutoCheck) ? BS_AUTOCHECKBOX : BS_CHECKBOX);
    case ControlKind::ListView:
        return common | WS_TABSTOP | flag(control, kStyleBorder, WS_BORDER) |
               flag(control, kStyleReportView, LVS_REPORT) |
               flag(control, kStyleSingleSelection, LVS_SINGLESEL) |
               flag(control, kStyleShowSelectionAlways, LVS_SHOWSELALWAYS);
    case ControlKind::TrackBar:
        return common | WS_TABSTOP | TBS_HORZ | flag(control, kStyleNoTicks, TBS_NOTICKS);
    }
    return common;
}

void writeControl(TemplateWriter& writer, const ControlTemplate& control) {
    writer.alignToDword();
    writer.dword(windowStyle(control));
    writer.dword(0);
    writer.number(control.x);
    writer.number(control.y);
    writer.number(control.width);
    writer.number(control.height);
    writer.word(static_cast<WORD>(control.id));  // kStaticId becomes 0xFFFF, as IDC_STATIC
    writer.text(windowClass(control.kind));
    writer.text(control.text ? control.text : "");
    writer.word(0);  // no creation data
}

}  // namespace

std::vector<WORD> buildDialogTemplate(const PageTemplate& page) {
    TemplateWriter writer;
    writer.dword(DS_SETFONT | DS_3DLOOK | WS_CHILD | WS_DISABLED | WS_CAPTION);
    writer.dword(0);
    writer.word(static_cast<WORD>(page.controls.size()));
    writer.number(0);
    writer.number(0);
    writer.number(page.width);
    writer.number(page.height);
    writer.word(0);  // no menu
    writer.word(0);  // the dialog class
    writer.text(page.title);
    writer.number(page.fontPoints);
    writer.text(page.fontName);
    for (const ControlTemplate& control : page.controls) writeControl(writer, control);
    return writer.take();
}

}  // namespace lvc
