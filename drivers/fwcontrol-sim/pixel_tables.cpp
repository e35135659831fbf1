#include "pixel_tables.h"

#include <algorithm>
#include <cmath>

#include "fwcontrol.h"

namespace fwc {
namespace {

struct Effect {
    double factor = 1.0;
    double offset = 0.0;
};

// The feature's deviation from its described value, or none when it is off or automatic
// (an automatic feature keeps the image at its nominal look).
bool deviation(const std::vector<Feature>& features, const std::vector<Feature>& neutral,
               uint32_t id, double& value, double& reference) {
    const Feature* current = findFeature(features, id);
    const Feature* described = findFeature(neutral, id);
    if (current == nullptr || described == nullptr || current->status != FWC_STATUS_ON)
        return false;
    value = current->value;
    reference = described->value;
    return true;
}

double factorOf(const std::vector<Feature>& features, const std::vector<Feature>& neutral,
                uint32_t id) {
    double value = 0.0;
    double reference = 0.0;
    if (!deviation(features, neutral, id, value, reference)) return 1.0;
    return (value + 1.0) / (reference + 1.0);
}

uint8_t applyLut(uint32_t level, const LutInfo& info, const LutState& lut) {
    if (!lut.inUse || info.elements == 0 || lut.values.size() != info.elements)
        return static_cast<uint8_t>(level);
    const uint32_t index = level * info.elements / 256;
    const uint32_t mapped = lut.values[index] * 255u / info.maxValue;
    return static_cast<uint8_t>(std::min<uint32_t>(mapped, 255));
}

}  // namespace

PixelTables buildPixelTables(const std::vector<Feature>& features,
                             const std::vector<Feature>& neutral, const LutInfo& lutInfo,
                             const LutState& lut) {
    const double exposure =
        factorOf(features, neutral, featureShutter) * factorOf(features, neutral, featureGain);
    double brightness = 0.0;
    double reference = 0.0;
    double offset = 0.0;
    if (deviation(features, neutral, featureBrightness, brightness, reference))
        offset = brightness - reference;
    const double channelFactor[4] = {
        exposure * factorOf(features, neutral, featureWhiteBalanceUB), exposure,
        exposure * factorOf(features, neutral, featureWhiteBalanceVR), exposure};
    PixelTables tables;
    for (uint32_t channel = 0; channel < 4; ++channel) {
        for (uint32_t level = 0; level < 256; ++level) {
            const double processed = std::round(level * channelFactor[channel] + offset);
            const uint32_t clamped = static_cast<uint32_t>(std::clamp(processed, 0.0, 255.0));
            tables.channel[channel][level] = applyLut(clamped, lutInfo, lut);
        }
    }
    return tables;
}

}  // namespace fwc
