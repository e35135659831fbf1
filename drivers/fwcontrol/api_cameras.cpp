// Camera list, opening and information calls.
#include <cstring>

#include "api_guard.h"
#include "fwcontrol.h"
#include "pixel_format.h"

using namespace fwc;

namespace {

uint32_t defaultCapabilities(const CameraDescription& description) {
    uint32_t capabilities = 0;
    capabilities |= description.fixedFormats.empty() ? 0u : 1u << 0;
    capabilities |= description.format7.empty() ? 0u : 1u << 1;
    capabilities |= description.lut.count == 0 ? 0u : 1u << 2;
    capabilities |= description.trigger.present ? 1u << 3 : 0u;
    capabilities |= description.interlaced ? 1u << 4 : 0u;
    return capabilities;
}

}  // namespace

extern "C" {

FWC_API int32_t FWC_CALL FWC_GetCameras(uint32_t* count, uint32_t* ids) {
    return guardedCall("FWC_GetCameras", [&]() -> int32_t {
        if (count == nullptr || (ids == nullptr && *count != 0)) return FWC_ERR_NULL_POINTER;
        return theBuses().cameraIds(*count, ids);
    });
}

FWC_API int32_t FWC_CALL FWC_GetCameraInfoString(uint32_t cameraId, uint32_t which, char* text,
                                                 uint32_t* length) {
    return withOpenCamera("FWC_GetCameraInfoString", cameraId, [&](BusCamera& camera) -> int32_t {
        if (text == nullptr || length == nullptr) return FWC_ERR_NULL_POINTER;
        if (which > 1 || *length == 0) return FWC_ERR_INVALID_ARGUMENT;
        const std::string& value =
            which == 0 ? camera.description().model : camera.description().vendor;
        if (value.size() >= *length) return FWC_ERR_BUFFER_TOO_SMALL;
        std::memcpy(text, value.c_str(), value.size() + 1);
        *length = static_cast<uint32_t>(value.size());
        return FW_STATUS_OK;
    });
}

FWC_API int32_t FWC_CALL FWC_OpenCamera(uint32_t cameraId, uint32_t /*flags*/) {
    return guardedCall("FWC_OpenCamera", [&] { return theBuses().openCamera(cameraId); });
}

FWC_API int32_t FWC_CALL FWC_CloseCamera(uint32_t cameraId) {
    return guardedCall("FWC_CloseCamera", [&]() -> int32_t {
        std::shared_ptr<BusCamera> camera;
        if (const int32_t status = theBuses().findCamera(cameraId, camera)) return status;
        return camera->close();
    });
}

FWC_API int32_t FWC_CALL FWC_GetCameraCapabilities(uint32_t cameraId, uint32_t* capabilities0,
                                                   uint32_t* capabilities1, uint32_t* capabilities2,
                                                   uint32_t* capabilities3) {
    return withOpenCamera("FWC_GetCameraCapabilities", cameraId, [&](BusCamera& camera) -> int32_t {
        uint32_t* outputs[4] = {capabilities0, capabilities1, capabilities2, capabilities3};
        for (uint32_t* output : outputs)
            if (output == nullptr) return FWC_ERR_NULL_POINTER;
        const CameraDescription& description = camera.description();
        for (size_t i = 0; i < 4; ++i)
            *outputs[i] = description.capabilitiesGiven ? description.capabilities[i]
                          : i == 0                      ? defaultCapabilities(description)
                                                        : 0u;
        return FW_STATUS_OK;
    });
}

FWC_API int32_t FWC_CALL FWC_GetCameraInfo(uint32_t cameraId, uint32_t item, uint32_t* value) {
    return withOpenCamera("FWC_GetCameraInfo", cameraId, [&](BusCamera& camera) -> int32_t {
        if (value == nullptr) return FWC_ERR_NULL_POINTER;
        switch (item) {
        case FWC_INFO_BAYER_PATTERN: *value = camera.bayerPattern(); return FW_STATUS_OK;
        case FWC_INFO_INTERLACED:
            *value = camera.description().interlaced ? 1 : 0;
            return FW_STATUS_OK;
        default: return FWC_ERR_INFO_ITEM;
        }
    });
}

}  // extern "C"
