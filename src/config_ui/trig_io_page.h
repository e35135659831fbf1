// CTrigIOPage ("Trig/IO"): the camera's external trigger as a mode and a polarity, sent
// to the camera on OK and Apply.
#pragma once

#include <cstdint>
#include <string>

#include "config_ui/property_page.h"

namespace lvc {

class CTrigIOPage final : public CPropertyPage {
public:
    CTrigIOPage(uint32_t cameraId, const char* name);

    bool onApply() override;
    void onControlEvent(int32_t id, ControlEvent event) override;
    // Reads the trigger from the camera into the two lists and logs it.
    void refreshTrigger();

private:
    void onInitDialog() override;

    uint32_t cameraId_;
    std::string name_;
};

}  // namespace lvc
