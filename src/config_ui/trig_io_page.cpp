#include "config_ui/trig_io_page.h"

#include "config_ui/control_ids.h"
#include "diagnostics/diagnostics.h"
#include "fwcontrol.h"

namespace lvc {
namespace {

// Mode list: "Internal" means the trigger is not active; the others carry the mode number.
constexpr int32_t kInternalEntry = 0;

}  // namespace

CTrigIOPage::CTrigIOPage(uint32_t cameraId, const char* name)
    : CPropertyPage(trigIOPageTemplate()), cameraId_(cameraId), name_(name ? name : "") {}

void CTrigIOPage::onInitDialog() {
    CPropertyPage::onInitDialog();
    view().addListItem(kTriggerModeCombo, "Internal", 0);
    view().addListItem(kTriggerModeCombo, "Edge mode(0)", 0);
    view().addListItem(kTriggerModeCombo, "Level mode(1)", 1);
    view().addListItem(kTriggerPolarityCombo, "Falling", 0);
    view().addListItem(kTriggerPolarityCombo, "Rising", 1);
    refreshTrigger();
}

void CTrigIOPage::refreshTrigger() {
    uint32_t mode = 0, active = 0, polarity = 0, value = 0;
    checkResult(FWC_Trigger_Get(cameraId_, &mode, &active, &polarity, &value), "FWC_Trigger_Get");
    debugMessage("trig mode %u active %u polarity %u value %u\n", mode, active, polarity, value);
    // An index beyond a list's last entry leaves the list without selection.
    int64_t modeIndex = active == 0 ? kInternalEntry : 1 + static_cast<int64_t>(mode);
    auto asIndex = [](int64_t index) {
        return index > INT32_MAX ? -1 : static_cast<int32_t>(index);
    };
    view().setListSelection(kTriggerModeCombo, asIndex(modeIndex));
    view().setListSelection(kTriggerPolarityCombo, asIndex(polarity));
}

bool CTrigIOPage::onApply() {
    CPropertyPage::onApply();
    int32_t modeIndex = view().listSelection(kTriggerModeCombo);
    int32_t polarity = view().listSelection(kTriggerPolarityCombo);
    // Without a choice in both lists there is no defined setting: nothing is sent.
    if (modeIndex >= 0 && polarity >= 0) {
        uint32_t mode = view().listItemData(kTriggerModeCombo, modeIndex);
        uint32_t active = modeIndex != kInternalEntry ? 1 : 0;
        checkResult(FWC_Trigger_Set(cameraId_, mode, active, static_cast<uint32_t>(polarity)),
                    "FWC_Trigger_Set");
    }
    refreshTrigger();
    return true;
}

void CTrigIOPage::onControlEvent(int32_t id, ControlEvent event) {
    if (event == ControlEvent::SelectionChanged &&
        (id == kTriggerModeCombo || id == kTriggerPolarityCombo))
        setModified();
}

}  // namespace lvc
