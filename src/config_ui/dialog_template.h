// Dialog templates as data: each page's controls with their ids, kinds, texts, positions
// in dialog units and styles. Views render a page from its template alone.
#pragma once

#include <cstdint>
#include <span>

namespace lvc {

// Id of the static controls (labels, frames) that the pages never address.
constexpr int32_t kStaticId = -1;

enum class ControlKind {
    GroupBox,
    Label,
    ListBox,
    ComboBox,
    Edit,
    SpinControl,
    PushButton,
    CheckBox,
    ListView,
    TrackBar,
};

// Style flags; a view honours those its toolkit can express.
enum ControlStyle : uint32_t {
    kStyleNone = 0,
    kStyleVerticalScroll = 1u << 0,
    kStyleNotify = 1u << 1,     // list box: reports selection changes
    kStyleAutoCheck = 1u << 2,  // check box: toggles itself when clicked
    kStyleReadOnly = 1u << 3,   // edit
    kStyleMultiLine = 1u << 4,  // edit
    kStyleBorder = 1u << 5,
    kStyleAutoHorizontalScroll = 1u << 6,  // edit: text scrolls horizontally
    kStyleAlignRight = 1u << 7,            // label text; spin control: right of its buddy
    kStyleDropDownList = 1u << 8,          // combo box: choose only, no typing
    kStyleReportView = 1u << 9,            // list view: rows and columns
    kStyleSingleSelection = 1u << 10,      // list view
    kStyleShowSelectionAlways = 1u << 11,  // list view: selection shown without focus
    kStyleNoTicks = 1u << 12,              // track bar
    kStyleHorizontal = 1u << 13,           // track bar
    kStyleAutoBuddy = 1u << 14,            // spin control: buddy is the control before it
    kStyleSetBuddyInteger = 1u << 15,      // spin control: writes its position into the buddy
    kStyleNoThousands = 1u << 16,          // spin control: no thousands separators
    kStyleArrowKeys = 1u << 17,            // spin control: answers the arrow keys
};

struct ControlTemplate {
    int32_t id;
    ControlKind kind;
    const char* text;  // as in the template: "&&" shows one ampersand
    int16_t x;
    int16_t y;
    int16_t width;
    int16_t height;
    uint32_t style;
};

struct PageTemplate {
    int32_t resourceId;
    const char* title;  // the tab text
    int16_t width;
    int16_t height;
    const char* fontName;
    int16_t fontPoints;
    std::span<const ControlTemplate> controls;
};

const PageTemplate& formatPageTemplate();
const PageTemplate& featurePageTemplate();
const PageTemplate& trigIOPageTemplate();
const PageTemplate& lutPageTemplate();

// The control with this id in the template, or null.
const ControlTemplate* findControl(const PageTemplate& page, int32_t id);

}  // namespace lvc
