#include "feature_map.h"

#include <cmath>
#include <string>

#include "fw_status.h"
#include "fwcontrol.h"

namespace fwaravis {
namespace {

// Tenths of a dB for gain, µs for times, hundredths for ratios, gamma and saturation.
constexpr FeatureMapping kFeatures[] = {
    {kBrightness,
     {{{"BlackLevel", 100.0, "BlackLevelSelector", "All"},
       {"BlackLevelRaw", 1.0, "BlackLevelSelector", "All"}}},
     "BlackLevelAuto",
     nullptr},
    {kAutoExposure,
     {{{"AutoTargetValue"}, {"TargetGreyValue"}, {"ExposureAutoTarget"}}},
     "ExposureAuto",
     nullptr},
    {kSharpness, {{{"Sharpness"}, {"SharpnessRaw"}}}, nullptr, "SharpnessEnable"},
    {kWhiteBalanceBlue,
     {{{"BalanceRatio", 100.0, "BalanceRatioSelector", "Blue"},
       {"BalanceRatioAbs", 100.0, "BalanceRatioSelector", "Blue"},
       {"BalanceRatioRaw", 1.0, "BalanceRatioSelector", "Blue"}}},
     "BalanceWhiteAuto",
     nullptr},
    {kWhiteBalanceRed,
     {{{"BalanceRatio", 100.0, "BalanceRatioSelector", "Red"},
       {"BalanceRatioAbs", 100.0, "BalanceRatioSelector", "Red"},
       {"BalanceRatioRaw", 1.0, "BalanceRatioSelector", "Red"}}},
     "BalanceWhiteAuto",
     nullptr},
    {kHue, {{{"Hue"}, {"HueAbs"}, {"HueRaw"}}}, nullptr, "HueEnable"},
    {kSaturation,
     {{{"Saturation", 100.0}, {"SaturationAbs", 100.0}, {"SaturationRaw"}}},
     nullptr,
     "SaturationEnable"},
    {kGamma, {{{"Gamma", 100.0}, {"GammaAbs", 100.0}, {"GammaRaw"}}}, nullptr, "GammaEnable"},
    {kShutter,
     {{{"ExposureTime"}, {"ExposureTimeAbs"}, {"ExposureTimeRaw"}}},
     "ExposureAuto",
     nullptr},
    {kGain,
     {{{"Gain", 10.0, "GainSelector", "All"},
       {"GainAbs", 10.0, "GainSelector", "All"},
       {"GainRaw", 1.0, "GainSelector", "All"}}},
     "GainAuto",
     nullptr},
    {kTriggerDelay,
     {{{"TriggerDelay", 1.0, "TriggerSelector", "FrameStart"},
       {"TriggerDelayAbs", 1.0, "TriggerSelector", "FrameStart"}}},
     nullptr,
     nullptr},
    {kLut, {{{"LUTEnable"}}}, nullptr, nullptr},
    {kMirrorX, {{{"ReverseX"}}}, nullptr, nullptr},
    {kAutoShutterLow,
     {{{"AutoExposureTimeLowerLimit"}, {"AutoExposureTimeAbsLowerLimit"}}},
     nullptr,
     nullptr},
    {kAutoShutterHigh,
     {{{"AutoExposureTimeUpperLimit"}, {"AutoExposureTimeAbsUpperLimit"}}},
     nullptr,
     nullptr},
    {kAutoGainLow, {{{"AutoGainLowerLimit", 10.0}, {"AutoGainRawLowerLimit"}}}, nullptr, nullptr},
    {kAutoGainHigh, {{{"AutoGainUpperLimit", 10.0}, {"AutoGainRawUpperLimit"}}}, nullptr, nullptr},
    {kBurstCount, {{{"AcquisitionBurstFrameCount"}}}, nullptr, nullptr},
};

uint32_t toLibraryValue(double cameraValue, double scale) {
    const double scaled = std::round(cameraValue * scale);
    if (scaled <= 0) return 0;
    if (scaled >= 4294967294.0) return 0xFFFFFFFEu;
    return static_cast<uint32_t>(scaled);
}

uint32_t clampToLibrary(int64_t value) {
    if (value <= 0) return 0;
    if (value >= 0xFFFFFFFELL) return 0xFFFFFFFEu;
    return static_cast<uint32_t>(value);
}

}  // namespace

const FeatureMapping* findFeatureMapping(uint32_t id) {
    for (const FeatureMapping& mapping : kFeatures)
        if (mapping.id == id) return &mapping;
    return nullptr;
}

const FeatureSpelling* FeatureAccess::select(const FeatureMapping& mapping, int32_t& status) const {
    for (const FeatureSpelling& spelling : mapping.spellings) {
        if (spelling.name == nullptr) break;
        if (spelling.selector != nullptr && genicam_.implemented(spelling.selector)) {
            // A selector without this entry means the camera has no such channel.
            if (!genicam_.hasEntry(spelling.selector, spelling.selectorEntry)) continue;
            status = genicam_.setString(spelling.selector, spelling.selectorEntry);
            if (status != FW_STATUS_OK) return nullptr;
        }
        if (genicam_.implemented(spelling.name)) {
            status = FW_STATUS_OK;
            return &spelling;
        }
    }
    status = FWC_ERR_FEATURE_NOT_PRESENT;
    return nullptr;
}

const FeatureSpelling* FeatureAccess::resolve(uint32_t id, int32_t& status) const {
    const FeatureMapping* mapping = findFeatureMapping(id);
    if (mapping == nullptr) {
        status = FWC_ERR_FEATURE_NOT_PRESENT;
        return nullptr;
    }
    return select(*mapping, status);
}

const char* FeatureAccess::autoFeature(uint32_t id) const {
    const FeatureMapping* mapping = findFeatureMapping(id);
    if (mapping == nullptr || mapping->autoFeature == nullptr) return nullptr;
    return genicam_.implemented(mapping->autoFeature) ? mapping->autoFeature : nullptr;
}

const char* FeatureAccess::enableFeature(uint32_t id) const {
    const FeatureMapping* mapping = findFeatureMapping(id);
    if (mapping == nullptr || mapping->enableFeature == nullptr) return nullptr;
    return genicam_.implemented(mapping->enableFeature) ? mapping->enableFeature : nullptr;
}

int32_t FeatureAccess::has(uint32_t id) const {
    int32_t status = FW_STATUS_OK;
    resolve(id, status);
    return status;
}

int32_t FeatureAccess::hasStatus(uint32_t id, uint32_t status) const {
    const int32_t present = has(id);
    if (present != FW_STATUS_OK) return present;
    const char* automatic = autoFeature(id);
    bool supported = false;
    switch (status) {
    case FWC_STATUS_OFF: supported = enableFeature(id) != nullptr; break;
    case FWC_STATUS_ON: supported = true; break;
    case FWC_STATUS_ONE_PUSH:
        supported = automatic != nullptr && genicam_.hasEntry(automatic, "Once");
        break;
    case FWC_STATUS_AUTO:
        supported = automatic != nullptr && genicam_.hasEntry(automatic, "Continuous");
        break;
    default: return FWC_ERR_INVALID_ARGUMENT;
    }
    return supported ? FW_STATUS_OK : FWC_ERR_FEATURE_STATUS_UNSUPPORTED;
}

int32_t FeatureAccess::bounds(uint32_t id, uint32_t& min, uint32_t& max) const {
    int32_t status = FW_STATUS_OK;
    const FeatureSpelling* spelling = resolve(id, status);
    if (spelling == nullptr) return status;
    if (genicam_.isBoolean(spelling->name)) {
        min = 0;
        max = 1;
        return FW_STATUS_OK;
    }
    if (genicam_.isFloat(spelling->name)) {
        double low = 0, high = 0;
        status = genicam_.floatBounds(spelling->name, low, high);
        min = toLibraryValue(low, spelling->scale);
        max = toLibraryValue(high, spelling->scale);
        return status;
    }
    int64_t low = 0, high = 0;
    status = genicam_.integerBounds(spelling->name, low, high);
    min = clampToLibrary(low);
    max = clampToLibrary(high);
    return status;
}

int32_t FeatureAccess::value(uint32_t id, uint32_t& value) const {
    int32_t status = FW_STATUS_OK;
    const FeatureSpelling* spelling = resolve(id, status);
    if (spelling == nullptr) return status;
    if (genicam_.isBoolean(spelling->name)) {
        bool on = false;
        status = genicam_.boolean(spelling->name, on);
        value = on ? 1 : 0;
        return status;
    }
    if (genicam_.isFloat(spelling->name)) {
        double cameraValue = 0;
        status = genicam_.floatValue(spelling->name, cameraValue);
        value = toLibraryValue(cameraValue, spelling->scale);
        return status;
    }
    int64_t cameraValue = 0;
    status = genicam_.integer(spelling->name, cameraValue);
    value = clampToLibrary(cameraValue);
    return status;
}

int32_t FeatureAccess::setValue(uint32_t id, uint32_t value) const {
    uint32_t min = 0, max = 0;
    int32_t status = bounds(id, min, max);
    if (status != FW_STATUS_OK) return status;
    if (value < min || value > max) return FWC_ERR_VALUE_OUT_OF_RANGE;
    const FeatureSpelling* spelling = resolve(id, status);
    if (spelling == nullptr) return status;
    if (genicam_.isBoolean(spelling->name)) return genicam_.setBoolean(spelling->name, value != 0);
    if (genicam_.isFloat(spelling->name))
        return genicam_.setFloat(spelling->name, value / spelling->scale);
    int64_t increment = 1;
    status = genicam_.integerIncrement(spelling->name, increment);
    if (status != FW_STATUS_OK) return status;
    const int64_t onStep = min + (static_cast<int64_t>(value) - min) / increment * increment;
    return genicam_.setInteger(spelling->name, onStep);
}

int32_t FeatureAccess::status(uint32_t id, uint32_t& status) const {
    int32_t result = has(id);
    if (result != FW_STATUS_OK) return result;
    if (const char* enable = enableFeature(id)) {
        bool on = true;
        result = genicam_.boolean(enable, on);
        if (result != FW_STATUS_OK) return result;
        if (!on) {
            status = FWC_STATUS_OFF;
            return FW_STATUS_OK;
        }
    }
    status = FWC_STATUS_ON;
    if (const char* automatic = autoFeature(id)) {
        std::string mode;
        result = genicam_.string(automatic, mode);
        if (mode == "Continuous") status = FWC_STATUS_AUTO;
        if (mode == "Once") status = FWC_STATUS_ONE_PUSH;
    }
    return result;
}

int32_t FeatureAccess::setStatus(uint32_t id, uint32_t status) const {
    int32_t result = hasStatus(id, status);
    if (result != FW_STATUS_OK) return result;
    const char* enable = enableFeature(id);
    const char* automatic = autoFeature(id);
    if (enable != nullptr) {
        result = genicam_.setBoolean(enable, status != FWC_STATUS_OFF);
        if (result != FW_STATUS_OK || status == FWC_STATUS_OFF) return result;
    }
    if (automatic == nullptr) return FW_STATUS_OK;
    const char* mode = status == FWC_STATUS_AUTO       ? "Continuous"
                       : status == FWC_STATUS_ONE_PUSH ? "Once"
                                                       : "Off";
    return genicam_.setString(automatic, mode);
}

}  // namespace fwaravis
