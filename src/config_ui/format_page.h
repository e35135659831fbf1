// CFormatPage ("Format"): the camera's fixed formats and Format 7 modes with their colour
// codings and frame rates, the Format 7 area of interest, the bus load and the streaming
// flag. Its apply step closes, reopens and prepares the camera for the chosen format.
#pragma once

#include <cstdint>
#include <string>

#include "config_ui/property_page.h"

namespace lvc {

class CFormatPage final : public CPropertyPage {
public:
    CFormatPage(uint32_t cameraId, const char* name, uint32_t busLoad, bool streaming);

    bool onApply() override;
    void onControlEvent(int32_t id, ControlEvent event) override;

    // Read back by the sheet after it closes.
    uint32_t busLoad;
    bool streaming;

private:
    void onInitDialog() override;
    void doDataExchange(DataExchange& exchange) override;

    void fillFormatList();
    void fillColorList();
    void fillRateList();
    void updateFormat7Controls();
    void showBusSettings();
    void refill();
    void setMaximumArea();
    // Sets the label to "<text> (+/-unit)" and the spin's step to the unit of this kind.
    void showUnit(uint32_t mode, uint32_t kind, const char* callName, int32_t labelId,
                  const char* labelText, int32_t spinId);
    // The value of the selected entry, or 0xFFFFFFFF when the list has no selection.
    uint32_t selectedValue(int32_t listId);

    uint32_t cameraId_;
    std::string name_;
};

}  // namespace lvc
