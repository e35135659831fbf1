// The library's features (IIDC ids) over GenICam features: each id names the spellings
// vendors use, first implemented wins, with a fixed integer scale for float features,
// and the Auto and Enable features that carry its statuses.
#pragma once

#include <array>
#include <cstdint>

#include "genicam_access.h"

namespace fwaravis {

enum FeatureId : uint32_t {
    kBrightness = 256,
    kAutoExposure = 257,
    kSharpness = 258,
    kWhiteBalanceBlue = 259,
    kWhiteBalanceRed = 260,
    kHue = 261,
    kSaturation = 262,
    kGamma = 263,
    kShutter = 264,
    kGain = 265,
    kTriggerDelay = 266,
    kLut = 515,
    kMirrorX = 523,
    kAutoShutterLow = 529,
    kAutoShutterHigh = 530,
    kAutoGainLow = 531,
    kAutoGainHigh = 532,
    kFrameCounter = 520,
    kUserProfile = 540,
    kFrameBufferCount = 1026,
    kCycleTime = 1033,
    kBurstCount = 1034,
    kBusTrigger = 1035,
};

struct FeatureSpelling {
    const char* name = nullptr;
    // Library value = camera value × scale, for float features; integers are taken as they are.
    double scale = 1.0;
    // Set before the feature is used, when the camera has the selector and this entry.
    const char* selector = nullptr;
    const char* selectorEntry = nullptr;
};

struct FeatureMapping {
    uint32_t id = 0;
    std::array<FeatureSpelling, 3> spellings{};
    const char* autoFeature = nullptr;    // Off / Once / Continuous
    const char* enableFeature = nullptr;  // false: the feature is off
};

// Nothing for an id with no GenICam counterpart.
const FeatureMapping* findFeatureMapping(uint32_t id);

class FeatureAccess {
public:
    explicit FeatureAccess(const GenicamAccess& genicam) : genicam_(genicam) {}

    // Statuses are 0 on success, as FWC_HasFeature reports them.
    int32_t has(uint32_t id) const;
    int32_t hasStatus(uint32_t id, uint32_t status) const;
    int32_t bounds(uint32_t id, uint32_t& min, uint32_t& max) const;
    int32_t value(uint32_t id, uint32_t& value) const;
    // Out of the feature's bounds: FWC_ERR_VALUE_OUT_OF_RANGE (Aravis itself writes anything).
    int32_t setValue(uint32_t id, uint32_t value) const;
    int32_t status(uint32_t id, uint32_t& status) const;
    int32_t setStatus(uint32_t id, uint32_t status) const;

private:
    // The implemented spelling of the feature, its selector set; null when none is.
    const FeatureSpelling* select(const FeatureMapping& mapping, int32_t& status) const;
    const FeatureSpelling* resolve(uint32_t id, int32_t& status) const;
    const char* autoFeature(uint32_t id) const;
    const char* enableFeature(uint32_t id) const;

    const GenicamAccess& genicam_;
};

}  // namespace fwaravis
