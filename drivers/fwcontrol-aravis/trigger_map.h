// The library's trigger (mode 0 edge, 1 level; active; polarity 0 falling, 1 rising) as
// the GenICam FrameStart trigger's TriggerMode, ExposureMode and TriggerActivation.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace fwaravis {

struct TriggerSetting {
    uint32_t mode = 0;
    bool active = false;
    uint32_t polarity = 1;
};

struct TriggerFeatureValues {
    const char* triggerMode;   // On / Off
    const char* exposureMode;  // Timed for an edge, TriggerWidth for a level
    const char* activation;    // RisingEdge, FallingEdge, LevelHigh, LevelLow
};

// Nothing for a mode or polarity GenICam has no place for.
std::optional<TriggerFeatureValues> triggerFeatureValues(const TriggerSetting& setting);
// The setting a camera's values stand for; an activation of another kind (AnyEdge) reads
// as a rising edge.
TriggerSetting triggerSetting(std::string_view triggerMode, std::string_view exposureMode,
                              std::string_view activation);

}  // namespace fwaravis
