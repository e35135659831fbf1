#include "camera_trigger.h"

#include <string>
#include <vector>

#include "fw_status.h"

namespace fwaravis {
namespace {

int32_t selectFrameStart(const GenicamAccess& genicam) {
    if (!genicam.hasEntry("TriggerSelector", "FrameStart")) return FW_STATUS_OK;
    return genicam.setString("TriggerSelector", "FrameStart");
}

// A feature the camera lacks can only stay at the value it implies.
bool offers(const GenicamAccess& genicam, const char* feature, const char* entry,
            const char* implied) {
    if (!genicam.implemented(feature)) return std::string(entry) == implied;
    return genicam.hasEntry(feature, entry);
}

int32_t readOptional(const GenicamAccess& genicam, const char* feature, const char* implied,
                     std::string& value) {
    if (!genicam.implemented(feature)) {
        value = implied;
        return FW_STATUS_OK;
    }
    return genicam.string(feature, value);
}

constexpr const char* kSoftwareSource = "Software";

// The first source that is an input of the camera's own, in place of Software.
int32_t leaveSoftwareSource(const GenicamAccess& genicam) {
    if (!genicam.implemented("TriggerSource")) return FW_STATUS_OK;
    std::string source;
    int32_t status = genicam.string("TriggerSource", source);
    if (status != FW_STATUS_OK || source != kSoftwareSource) return status;
    std::vector<std::string> sources;
    status = genicam.entries("TriggerSource", sources);
    for (const std::string& candidate : sources)
        if (status == FW_STATUS_OK && candidate != kSoftwareSource)
            return genicam.setString("TriggerSource", candidate.c_str());
    return status;
}

}  // namespace

bool hasTrigger(const GenicamAccess& genicam) { return genicam.implemented("TriggerMode"); }

int32_t readTrigger(const GenicamAccess& genicam, TriggerSetting& setting) {
    if (!hasTrigger(genicam)) return FWC_ERR_NO_TRIGGER;
    int32_t status = selectFrameStart(genicam);
    std::string mode, exposure, activation;
    if (status == FW_STATUS_OK) status = genicam.string("TriggerMode", mode);
    if (status == FW_STATUS_OK) status = readOptional(genicam, "ExposureMode", "Timed", exposure);
    if (status == FW_STATUS_OK)
        status = readOptional(genicam, "TriggerActivation", "RisingEdge", activation);
    if (status == FW_STATUS_OK) setting = triggerSetting(mode, exposure, activation);
    return status;
}

int32_t writeTrigger(const GenicamAccess& genicam, const TriggerSetting& setting) {
    if (!hasTrigger(genicam)) return FWC_ERR_NO_TRIGGER;
    const auto values = triggerFeatureValues(setting);
    if (!values) return FWC_ERR_INVALID_ARGUMENT;
    int32_t status = selectFrameStart(genicam);
    if (status != FW_STATUS_OK) return status;
    if (!offers(genicam, "ExposureMode", values->exposureMode, "Timed") ||
        !offers(genicam, "TriggerActivation", values->activation, "RisingEdge"))
        return FWC_ERR_INVALID_ARGUMENT;
    if (genicam.implemented("ExposureMode"))
        status = genicam.setString("ExposureMode", values->exposureMode);
    if (status == FW_STATUS_OK && genicam.implemented("TriggerActivation"))
        status = genicam.setString("TriggerActivation", values->activation);
    if (status == FW_STATUS_OK) status = leaveSoftwareSource(genicam);
    if (status == FW_STATUS_OK) status = genicam.setString("TriggerMode", values->triggerMode);
    return status;
}

bool hasSoftwareTrigger(const GenicamAccess& genicam) {
    return genicam.implemented("TriggerSoftware") &&
           genicam.hasEntry("TriggerSource", kSoftwareSource);
}

int32_t fireSoftwareTrigger(const GenicamAccess& genicam) {
    if (!hasSoftwareTrigger(genicam)) return FWC_ERR_FEATURE_NOT_PRESENT;
    int32_t status = selectFrameStart(genicam);
    if (status == FW_STATUS_OK) status = genicam.setString("TriggerSource", kSoftwareSource);
    if (status == FW_STATUS_OK) status = genicam.execute("TriggerSoftware");
    return status;
}

}  // namespace fwaravis
