#include "config_ui/dialog_template.h"

#include <algorithm>

#include "config_ui/control_ids.h"

namespace lvc {
namespace {

constexpr const char* kDialogFont = "MS Shell Dlg";
constexpr int16_t kDialogFontPoints = 8;
constexpr int16_t kPageWidth = 254;
constexpr int16_t kPageHeight = 199;

constexpr uint32_t kListBoxStyle = kStyleNotify | kStyleVerticalScroll;
constexpr uint32_t kSpinStyle =
    kStyleAutoBuddy | kStyleSetBuddyInteger | kStyleNoThousands | kStyleArrowKeys;
constexpr uint32_t kDropDownStyle = kStyleDropDownList | kStyleVerticalScroll;

using K = ControlKind;

constexpr ControlTemplate kFormatControls[] = {
    {kStaticId, K::GroupBox, "Fixed && variable modes", 0, 0, 252, 132, kStyleNone},
    {kStaticId, K::Label, "Format", 6, 9, 24, 8, kStyleNone},
    {kFormatList, K::ListBox, "", 6, 18, 90, 108, kListBoxStyle},
    {kStaticId, K::Label, "Color", 105, 9, 18, 8, kStyleNone},
    {kColorList, K::ListBox, "", 105, 18, 66, 108, kListBoxStyle},
    {kStaticId, K::Label, "Framerate", 180, 9, 34, 8, kStyleNone},
    {kRateList, K::ListBox, "", 180, 18, 66, 108, kListBoxStyle},
    {kFormat7Group, K::GroupBox, "Format 7 settings", 0, 130, 252, 40, kStyleNone},
    {kLeftLabel, K::Label, "Left", 6, 142, 14, 8, kStyleNone},
    {kLeftEdit, K::Edit, "", 6, 152, 50, 12, kStyleNone},
    {kLeftSpin, K::SpinControl, "", 47, 153, 8, 12, kSpinStyle},
    {kWidthLabel, K::Label, "Width", 61, 142, 20, 8, kStyleNone},
    {kWidthEdit, K::Edit, "", 61, 152, 50, 12, kStyleNone},
    {kWidthSpin, K::SpinControl, "", 101, 152, 8, 12, kSpinStyle},
    {kTopLabel, K::Label, "Top", 117, 142, 13, 8, kStyleNone},
    {kTopEdit, K::Edit, "", 117, 152, 50, 12, kStyleNone},
    {kTopSpin, K::SpinControl, "", 157, 152, 8, 12, kSpinStyle},
    {kHeightLabel, K::Label, "Height", 173, 142, 22, 8, kStyleNone},
    {kHeightEdit, K::Edit, "", 173, 152, 50, 12, kStyleNone},
    {kHeightSpin, K::SpinControl, "", 213, 152, 8, 12, kSpinStyle},
    {kMaxButton, K::PushButton, "Max", 227, 152, 20, 12, kStyleNone},
    {kStaticId, K::GroupBox, "Bus modes", 0, 168, 252, 30, kStyleNone},
    {kStaticId, K::Label, "Busload [0..1000]", 7, 182, 58, 8, kStyleNone},
    {kBusLoadEdit, K::Edit, "", 78, 180, 50, 12, kStyleNone},
    {kStreamingCheck, K::CheckBox, "Continous stream", 134, 181, 72, 10, kStyleAutoCheck},
};

constexpr ControlTemplate kFeatureControls[] = {
    {kFeatureList, K::ListView, "", 0, 0, 252, 162,
     kStyleReportView | kStyleSingleSelection | kStyleShowSelectionAlways | kStyleBorder},
    {kEditFeatureGroup, K::GroupBox, "Edit feature", 0, 162, 252, 36, kStyleNone},
    {kValueTrackBar, K::TrackBar, "", 6, 179, 117, 8, kStyleHorizontal | kStyleNoTicks},
    {kMinimumText, K::Label, "Static", 6, 185, 30, 8, kStyleNone},
    {kMaximumText, K::Label, "Static", 90, 185, 33, 8, kStyleAlignRight},
    {kValueEdit, K::Edit, "", 127, 180, 58, 12, kStyleBorder | kStyleAutoHorizontalScroll},
    {kValueSpin, K::SpinControl, "", 174, 180, 11, 12, kStyleAlignRight | kSpinStyle},
    // The Feature page's check boxes toggle themselves: their click handlers read the
    // new state from the control.
    {kAutoCheck, K::CheckBox, "Check2", 189, 181, 8, 10, kStyleAutoCheck},
    {kOnCheck, K::CheckBox, "IDC", 205, 181, 8, 10, kStyleAutoCheck},
    {kOnePushButton, K::PushButton, "1x", 222, 180, 18, 12, kStyleNone},
    {kStaticId, K::Label, "Auto", 185, 170, 16, 8, kStyleNone},
    {kStaticId, K::Label, "On", 204, 170, 10, 8, kStyleNone},
    {kStaticId, K::Label, "OnePush", 217, 170, 30, 8, kStyleNone},
};

constexpr ControlTemplate kTrigIOControls[] = {
    {kStaticId, K::GroupBox, "Trigger", 0, 0, 252, 198, kStyleNone},
    {kStaticId, K::Label, "Mode", 7, 20, 18, 8, kStyleNone},
    {kTriggerModeCombo, K::ComboBox, "", 36, 18, 96, 48, kDropDownStyle},
    {kStaticId, K::Label, "Polarity", 138, 20, 25, 8, kStyleNone},
    {kTriggerPolarityCombo, K::ComboBox, "", 168, 18, 78, 60, kDropDownStyle},
};

constexpr ControlTemplate kLutControls[] = {
    {kStaticId, K::GroupBox, "LUT capabilities", 0, 0, 252, 40, kStyleNone},
    {kStaticId, K::Label, "No of elements", 12, 21, 49, 8, kStyleNone},
    {kLutElementsEdit, K::Edit, "", 66, 18, 36, 12, kStyleReadOnly | kStyleBorder},
    {kStaticId, K::Label, "Max LUT value", 138, 21, 48, 8, kStyleNone},
    {kLutMaxValueEdit, K::Edit, "", 194, 18, 36, 12, kStyleReadOnly | kStyleBorder},
    {kStaticId, K::GroupBox, "LUT", 0, 42, 252, 156, kStyleNone},
    {kUseLutCheck, K::CheckBox, "LUT", 12, 55, 28, 12, kStyleAutoCheck},
    {kLutFileEdit, K::Edit, "", 42, 54, 188, 12, kStyleBorder | kStyleAutoHorizontalScroll},
    {kLutBrowseButton, K::PushButton, "...", 233, 54, 13, 12, kStyleNone},
    {kLutDescriptionEdit, K::Edit, "", 42, 72, 188, 12,
     kStyleReadOnly | kStyleMultiLine | kStyleBorder},
};

constexpr PageTemplate makePage(int32_t resourceId, const char* title,
                                std::span<const ControlTemplate> controls) {
    return {resourceId, title, kPageWidth, kPageHeight, kDialogFont, kDialogFontPoints, controls};
}

constexpr PageTemplate kFormatPage = makePage(107, "Format", kFormatControls);
constexpr PageTemplate kFeaturePage = makePage(105, "Ctrl 1", kFeatureControls);
constexpr PageTemplate kTrigIOPage = makePage(108, "Trig/IO", kTrigIOControls);
constexpr PageTemplate kLutPage = makePage(109, "LUT", kLutControls);

}  // namespace

const PageTemplate& formatPageTemplate() { return kFormatPage; }
const PageTemplate& featurePageTemplate() { return kFeaturePage; }
const PageTemplate& trigIOPageTemplate() { return kTrigIOPage; }
const PageTemplate& lutPageTemplate() { return kLutPage; }

const ControlTemplate* findControl(const PageTemplate& page, int32_t id) {
    auto found = std::find_if(page.controls.begin(), page.controls.end(),
                              [id](const ControlTemplate& control) { return control.id == id; });
    return found == page.controls.end() ? nullptr : &*found;
}

}  // namespace lvc
