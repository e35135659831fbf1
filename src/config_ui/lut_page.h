// CLUTPage ("LUT"): what the camera's LUT can hold, the switch to use a LUT and the LUT
// file with its description. It changes nothing on the camera: the switch and the file
// take effect at the camera's next start.
#pragma once

#include <cstdint>
#include <string>

#include "config_ui/property_page.h"

namespace lvc {

// The longest LUT file name the camera's settings keep.
constexpr std::size_t kLongestLutName = 254;

class CLUTPage final : public CPropertyPage {
public:
    CLUTPage(uint32_t cameraId, const char* name, bool useLut, const char* lutName);

    void onControlEvent(int32_t id, ControlEvent event) override;

    // Read back by the sheet after it closes.
    bool useLut;
    std::string lutName;

private:
    void onInitDialog() override;
    void doDataExchange(DataExchange& exchange) override;

    void showLutFileInfo(const std::string& path);
    void chooseLutFile();

    uint32_t cameraId_;
    std::string name_;
};

// The one-line description of a LUT file: "" for an empty path, "%d elements\n %s" with
// the value count and description (line breaks shown as one space each), or
// "Invalid LUT file".
std::string lutFileInfo(const std::string& path);

}  // namespace lvc
