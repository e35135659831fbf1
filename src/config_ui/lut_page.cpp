#include "config_ui/lut_page.h"

#include <cstdio>

#include "camera/lut_file.h"
#include "config_ui/control_ids.h"
#include "diagnostics/diagnostics.h"
#include "fwcontrol.h"

namespace lvc {
namespace {

// The label names the LUT files; they are matched by both extensions in use.
constexpr const char* kLutFilter = "LUT Files (*.lut)|*.lut;*.csv|All Files (*.*)|*.*||";

// Each line break ("\r\n", "\n" or "\r") becomes one space.
std::string lineBreaksAsSpaces(const std::string& text) {
    std::string result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        result += text[i] == '\r' || text[i] == '\n' ? ' ' : text[i];
    }
    return result;
}

}  // namespace

std::string lutFileInfo(const std::string& path) {
    if (path.empty()) return "";
    int32_t count = 0;
    char description[kLutDescriptionSize] = {};
    if (!inspectLutFile(path.c_str(), &count, description)) return "Invalid LUT file";
    char text[kLutDescriptionSize + 64];
    std::snprintf(text, sizeof text, "%d elements\n %s", static_cast<int>(count), description);
    return lineBreaksAsSpaces(text);
}

CLUTPage::CLUTPage(uint32_t cameraId, const char* name, bool useLutValue, const char* lutNameValue)
    : CPropertyPage(lutPageTemplate()),
      useLut(useLutValue),
      lutName(lutNameValue ? lutNameValue : ""),
      cameraId_(cameraId),
      name_(name ? name : "") {}

void CLUTPage::doDataExchange(DataExchange& exchange) {
    exchange.check(kUseLutCheck, useLut);
    exchange.text(kLutFileEdit, lutName);
    if (exchange.fromControls() && lutName.size() > kLongestLutName)
        exchange.fail(kLutFileEdit, "The LUT file name is too long: at most 254 characters.");
}

void CLUTPage::onInitDialog() {
    CPropertyPage::onInitDialog();
    uint32_t luts = 0, maxValue = 0, elements = 0, fourth = 0;
    checkResult(FWC_Lut_GetInfo(cameraId_, &luts, &maxValue, &elements, &fourth), "");
    view().setText(kLutElementsEdit, std::to_string(elements));
    view().setText(kLutMaxValueEdit, std::to_string(maxValue));
    showLutFileInfo(lutName);
}

void CLUTPage::showLutFileInfo(const std::string& path) {
    view().setText(kLutDescriptionEdit, lutFileInfo(path));
}

void CLUTPage::chooseLutFile() {
    FileDialogRequest request{kLutFilter, "*.lut", "lut", true, true};
    std::string path;
    if (!view().chooseFile(request, &path)) return;
    view().setText(kLutFileEdit, path);
    showLutFileInfo(path);
}

void CLUTPage::onControlEvent(int32_t id, ControlEvent event) {
    if (id == kUseLutCheck && event == ControlEvent::Clicked) setModified();
    if (id == kLutFileEdit && event == ControlEvent::TextChanged) setModified();
    if (id == kLutBrowseButton && event == ControlEvent::Clicked) chooseLutFile();
}

}  // namespace lvc
