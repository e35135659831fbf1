// Feature, register, LUT and trigger calls.
#include <algorithm>

#include "api_guard.h"
#include "fwcontrol.h"

using namespace fwc;

namespace {

// Range queries read the described limits, which never change.
template <typename Read>
int32_t readDescribed(const char* callName, uint32_t cameraId, uint32_t featureId, uint32_t* value,
                      Read read) {
    return withOpenCamera(callName, cameraId, [&](BusCamera& camera) -> int32_t {
        if (value == nullptr) return FWC_ERR_NULL_POINTER;
        const std::optional<Feature> feature = camera.describedFeature(featureId);
        if (!feature) return FWC_ERR_FEATURE_NOT_PRESENT;
        *value = read(*feature);
        return FW_STATUS_OK;
    });
}

}  // namespace

extern "C" {

FWC_API int32_t FWC_CALL FWC_HasFeature(uint32_t cameraId, uint32_t featureId) {
    return withOpenCamera("FWC_HasFeature", cameraId, [&](BusCamera& camera) {
        return camera.describedFeature(featureId) ? FW_STATUS_OK : FWC_ERR_FEATURE_NOT_PRESENT;
    });
}

FWC_API int32_t FWC_CALL FWC_HasFeatureStatus(uint32_t cameraId, uint32_t featureId,
                                              uint32_t status) {
    return withOpenCamera("FWC_HasFeatureStatus", cameraId, [&](BusCamera& camera) -> int32_t {
        const std::optional<Feature> feature = camera.describedFeature(featureId);
        if (!feature) return FWC_ERR_FEATURE_NOT_PRESENT;
        if (status > FWC_STATUS_AUTO) return FWC_ERR_INVALID_ARGUMENT;
        const bool supported = std::find(feature->statuses.begin(), feature->statuses.end(),
                                         status) != feature->statuses.end();
        return supported ? FW_STATUS_OK : FWC_ERR_FEATURE_STATUS_UNSUPPORTED;
    });
}

FWC_API int32_t FWC_CALL FWC_GetFeatureMin(uint32_t cameraId, uint32_t featureId, uint32_t* value) {
    return readDescribed("FWC_GetFeatureMin", cameraId, featureId, value,
                         [](const Feature& feature) { return feature.min; });
}

FWC_API int32_t FWC_CALL FWC_GetFeatureMax(uint32_t cameraId, uint32_t featureId, uint32_t* value) {
    return readDescribed("FWC_GetFeatureMax", cameraId, featureId, value,
                         [](const Feature& feature) { return feature.max; });
}

FWC_API int32_t FWC_CALL FWC_GetFeatureValue(uint32_t cameraId, uint32_t featureId,
                                             uint32_t* value) {
    return withOpenCamera("FWC_GetFeatureValue", cameraId, [&](BusCamera& camera) -> int32_t {
        if (value == nullptr) return FWC_ERR_NULL_POINTER;
        return camera.featureValue(featureId, *value);
    });
}

FWC_API int32_t FWC_CALL FWC_SetFeatureValue(uint32_t cameraId, uint32_t featureId,
                                             uint32_t value) {
    return withOpenCamera("FWC_SetFeatureValue", cameraId, [&](BusCamera& camera) {
        return camera.setFeatureValue(featureId, value);
    });
}

FWC_API int32_t FWC_CALL FWC_GetFeatureStatus(uint32_t cameraId, uint32_t featureId,
                                              uint32_t* status) {
    return withOpenCamera("FWC_GetFeatureStatus", cameraId, [&](BusCamera& camera) -> int32_t {
        if (status == nullptr) return FWC_ERR_NULL_POINTER;
        return camera.featureStatus(featureId, *status);
    });
}

FWC_API int32_t FWC_CALL FWC_SetFeatureStatus(uint32_t cameraId, uint32_t featureId,
                                              uint32_t status) {
    return withOpenCamera("FWC_SetFeatureStatus", cameraId, [&](BusCamera& camera) {
        return camera.setFeatureStatus(featureId, status);
    });
}

FWC_API int32_t FWC_CALL FWC_GetRegister(uint32_t cameraId, uint32_t address, uint32_t* value) {
    return withOpenCamera("FWC_GetRegister", cameraId, [&](BusCamera& camera) -> int32_t {
        if (value == nullptr) return FWC_ERR_NULL_POINTER;
        return camera.registerValue(address, *value);
    });
}

FWC_API int32_t FWC_CALL FWC_SetRegister(uint32_t cameraId, uint32_t address, uint32_t value) {
    return withOpenCamera("FWC_SetRegister", cameraId,
                          [&](BusCamera& camera) { return camera.setRegister(address, value); });
}

// The fourth output is reserved (0) and may be null.
FWC_API int32_t FWC_CALL FWC_Lut_GetInfo(uint32_t cameraId, uint32_t* lutCount, uint32_t* maxValue,
                                         uint32_t* elements, uint32_t* reserved) {
    return withOpenCamera("FWC_Lut_GetInfo", cameraId, [&](BusCamera& camera) -> int32_t {
        if (lutCount == nullptr || maxValue == nullptr || elements == nullptr)
            return FWC_ERR_NULL_POINTER;
        const LutInfo& lut = camera.description().lut;
        *lutCount = lut.count;
        *maxValue = lut.maxValue;
        *elements = lut.elements;
        if (reserved != nullptr) *reserved = 0;
        return FW_STATUS_OK;
    });
}

FWC_API int32_t FWC_CALL FWC_Lut_Upload(uint32_t cameraId, uint32_t lut, const uint8_t* values,
                                        uint32_t count) {
    return withOpenCamera("FWC_Lut_Upload", cameraId, [&](BusCamera& camera) -> int32_t {
        if (values == nullptr && count != 0) return FWC_ERR_NULL_POINTER;
        return camera.uploadLut(lut, values, count);
    });
}

FWC_API int32_t FWC_CALL FWC_Lut_Use(uint32_t cameraId, uint32_t lut, uint32_t on) {
    return withOpenCamera("FWC_Lut_Use", cameraId, [&](BusCamera& camera) -> int32_t {
        if (on > 1) return FWC_ERR_INVALID_ARGUMENT;
        return camera.useLut(lut, on != 0);
    });
}

// value: the number of trigger pulses the input has received since the camera joined
// the bus.
FWC_API int32_t FWC_CALL FWC_Trigger_Get(uint32_t cameraId, uint32_t* mode, uint32_t* active,
                                         uint32_t* polarity, uint32_t* value) {
    return withOpenCamera("FWC_Trigger_Get", cameraId, [&](BusCamera& camera) -> int32_t {
        TriggerInfo trigger;
        uint32_t pulses = 0;
        const int32_t status = camera.trigger(trigger, pulses);
        if (status != FW_STATUS_OK) return status;
        const std::pair<uint32_t*, uint32_t> outputs[] = {{mode, trigger.mode},
                                                          {active, trigger.active},
                                                          {polarity, trigger.polarity},
                                                          {value, pulses}};
        for (const auto& [output, result] : outputs)
            if (output != nullptr) *output = result;
        return FW_STATUS_OK;
    });
}

FWC_API int32_t FWC_CALL FWC_Trigger_Set(uint32_t cameraId, uint32_t mode, uint32_t active,
                                         uint32_t polarity) {
    return withOpenCamera("FWC_Trigger_Set", cameraId, [&](BusCamera& camera) {
        return camera.setTrigger(mode, active, polarity);
    });
}

}  // extern "C"
