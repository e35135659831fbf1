#include "trigger_map.h"

namespace fwaravis {

std::optional<TriggerFeatureValues> triggerFeatureValues(const TriggerSetting& setting) {
    if (setting.mode > 1 || setting.polarity > 1) return std::nullopt;
    const bool level = setting.mode == 1;
    const bool rising = setting.polarity == 1;
    TriggerFeatureValues values{};
    values.triggerMode = setting.active ? "On" : "Off";
    values.exposureMode = level ? "TriggerWidth" : "Timed";
    if (level)
        values.activation = rising ? "LevelHigh" : "LevelLow";
    else
        values.activation = rising ? "RisingEdge" : "FallingEdge";
    return values;
}

TriggerSetting triggerSetting(std::string_view triggerMode, std::string_view exposureMode,
                              std::string_view activation) {
    TriggerSetting setting;
    setting.active = triggerMode == "On";
    setting.mode = exposureMode == "TriggerWidth" ? 1 : 0;
    setting.polarity = (activation == "FallingEdge" || activation == "LevelLow") ? 0 : 1;
    return setting;
}

}  // namespace fwaravis
