// The camera's processing of a scene value, per channel: shutter, gain, brightness,
// white balance, then the LUT. Built when a feature or the LUT changes; a frame only
// looks values up.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "camera_description.h"

namespace fwc {

enum TableChannel : uint32_t { tableBlue = 0, tableGreen = 1, tableRed = 2, tableGrey = 3 };

struct PixelTables {
    std::array<std::array<uint8_t, 256>, 4> channel{};
};

// Feature ids that change the image.
enum ImageFeature : uint32_t {
    featureBrightness = 256,
    featureWhiteBalanceUB = 259,
    featureWhiteBalanceVR = 260,
    featureShutter = 264,
    featureGain = 265
};

// features: the camera's current features; neutral: their values as described, at which
// they leave the image unchanged. Off and automatic features leave it unchanged too.
PixelTables buildPixelTables(const std::vector<Feature>& features,
                             const std::vector<Feature>& neutral, const LutInfo& lutInfo,
                             const LutState& lut);

}  // namespace fwc
