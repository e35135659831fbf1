// Format, mode and area-of-interest calls.
#include "api_guard.h"
#include "fwcontrol.h"

using namespace fwc;

namespace {

void store(uint32_t* output, uint32_t value) {
    if (output != nullptr) *output = value;
}

}  // namespace

extern "C" {

FWC_API int32_t FWC_CALL FWC_GetCurrentImageFormat(uint32_t cameraId, uint32_t* width,
                                                   uint32_t* height, uint32_t* colorCoding,
                                                   uint32_t* bitDepth) {
    return withOpenCamera("FWC_GetCurrentImageFormat", cameraId, [&](BusCamera& camera) -> int32_t {
        if (width == nullptr || height == nullptr || colorCoding == nullptr || bitDepth == nullptr)
            return FWC_ERR_NULL_POINTER;
        camera.currentImageFormat(*width, *height, *colorCoding, *bitDepth);
        return FW_STATUS_OK;
    });
}

FWC_API int32_t FWC_CALL FWC_GetCurrentFixedFormat(uint32_t cameraId, uint32_t* format,
                                                   uint32_t* mode, uint32_t* frameRate) {
    return withOpenCamera("FWC_GetCurrentFixedFormat", cameraId, [&](BusCamera& camera) {
        uint32_t values[3];
        camera.currentFixedFormat(values[0], values[1], values[2]);
        store(format, values[0]);
        store(mode, values[1]);
        store(frameRate, values[2]);
        return FW_STATUS_OK;
    });
}

FWC_API int32_t FWC_CALL FWC_GetSupportedFixedFormats(uint32_t cameraId, uint32_t* table) {
    return withOpenCamera("FWC_GetSupportedFixedFormats", cameraId,
                          [&](BusCamera& camera) -> int32_t {
                              if (table == nullptr) return FWC_ERR_NULL_POINTER;
                              camera.supportedFixedFormats(table);
                              return FW_STATUS_OK;
                          });
}

FWC_API int32_t FWC_CALL FWC_EnumFreeModes(uint32_t cameraId, uint32_t* position, uint32_t* mode,
                                           uint32_t* colorCoding, uint32_t* width,
                                           uint32_t* height) {
    return withOpenCamera("FWC_EnumFreeModes", cameraId, [&](BusCamera& camera) -> int32_t {
        if (position == nullptr) return FWC_ERR_NULL_POINTER;
        Format7Entry entry;
        const int32_t status = camera.freeModeEntry(*position, entry);
        if (status != FW_STATUS_OK) return status;
        ++*position;
        store(mode, entry.mode);
        store(colorCoding, entry.coding);
        store(width, entry.width);
        store(height, entry.height);
        return FW_STATUS_OK;
    });
}

FWC_API int32_t FWC_CALL FWC_GetFreeModeInfo(uint32_t cameraId, uint32_t mode, uint32_t kind,
                                             uint32_t* value) {
    return withOpenCamera("FWC_GetFreeModeInfo", cameraId, [&](BusCamera& camera) -> int32_t {
        if (value == nullptr) return FWC_ERR_NULL_POINTER;
        return camera.freeModeInfo(mode, kind, *value);
    });
}

FWC_API int32_t FWC_CALL FWC_GetAOI(uint32_t cameraId, uint32_t* left, uint32_t* top,
                                    uint32_t* width, uint32_t* height) {
    return withOpenCamera("FWC_GetAOI", cameraId, [&](BusCamera& camera) {
        const AreaOfInterest area = camera.aoi();
        store(left, area.left);
        store(top, area.top);
        store(width, area.width);
        store(height, area.height);
        return FW_STATUS_OK;
    });
}

FWC_API int32_t FWC_CALL FWC_PrepareFixedGrab(uint32_t cameraId, uint32_t format, uint32_t mode,
                                              uint32_t frameRate) {
    return withOpenCamera("FWC_PrepareFixedGrab", cameraId, [&](BusCamera& camera) {
        return camera.prepareFixedGrab(format, mode, frameRate);
    });
}

FWC_API int32_t FWC_CALL FWC_PrepareFreeGrab(uint32_t cameraId, uint32_t* mode,
                                             uint32_t* colorCoding, uint32_t* width,
                                             uint32_t* height, void* reserved, uint32_t* left,
                                             uint32_t* top, uint32_t* busLoad) {
    return withOpenCamera("FWC_PrepareFreeGrab", cameraId, [&](BusCamera& camera) -> int32_t {
        if (mode == nullptr || colorCoding == nullptr || width == nullptr || height == nullptr ||
            left == nullptr || top == nullptr || busLoad == nullptr)
            return FWC_ERR_NULL_POINTER;
        if (reserved != nullptr) return FWC_ERR_INVALID_ARGUMENT;
        FreeGrabRequest request{*mode, *colorCoding, {*left, *top, *width, *height}, *busLoad};
        const int32_t status = camera.prepareFreeGrab(request);
        if (status != FW_STATUS_OK) return status;
        *left = request.aoi.left;
        *top = request.aoi.top;
        *width = request.aoi.width;
        *height = request.aoi.height;
        *busLoad = request.busLoad;
        return FW_STATUS_OK;
    });
}

}  // extern "C"
