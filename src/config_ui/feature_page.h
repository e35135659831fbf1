// CFeaturePage ("Ctrl 1"): every feature the camera has, with value, range and state; the
// selected feature's value and mode are changed on the live camera at once.
#pragma once

#include <cstdint>
#include <string>

#include "config_ui/property_page.h"

namespace lvc {

class CFeaturePage final : public CPropertyPage {
public:
    CFeaturePage(uint32_t cameraId, const char* name);

    void onControlEvent(int32_t id, ControlEvent event) override;

private:
    void onInitDialog() override;
    void doDataExchange(DataExchange& exchange) override;

    void addColumns();
    void refreshRow(int32_t row);
    void refreshSelectedRow();
    void updateEditArea();
    void sendValue();
    // Sends the status that the clicked check box now stands for.
    void sendCheckedStatus(int32_t checkBoxId, uint32_t checkedStatus, uint32_t clearStatus);
    void sendOnePush();

    uint32_t cameraId_;
    std::string name_;
    uint32_t selectedFeature_ = 0;  // 0: none, and value changes are not sent
    std::string caption_;
    uint32_t minimum_ = 0;
    uint32_t maximum_ = 0;
    uint32_t value_ = 0;
    bool auto_ = false;
    bool on_ = false;
};

}  // namespace lvc
