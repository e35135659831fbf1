// Acquisition calls.
#include "api_guard.h"
#include "fwcontrol.h"

using namespace fwc;

extern "C" {

FWC_API int32_t FWC_CALL FWC_GrabStart(uint32_t cameraId, uint32_t count) {
    return withOpenCamera("FWC_GrabStart", cameraId,
                          [&](BusCamera& camera) { return camera.startAcquisition(count, false); });
}

// Stopping a camera that is not acquiring succeeds: there is nothing left to stop.
FWC_API int32_t FWC_CALL FWC_GrabStop(uint32_t cameraId, uint32_t /*wait*/) {
    return withOpenCamera("FWC_GrabStop", cameraId,
                          [&](BusCamera& camera) { return camera.stopAcquisition(); });
}

FWC_API int32_t FWC_CALL FWC_MultiShotStart(uint32_t cameraId, uint32_t count) {
    return withOpenCamera("FWC_MultiShotStart", cameraId, [&](BusCamera& camera) -> int32_t {
        if (count == FWC_GRAB_CONTINUOUS) return FWC_ERR_INVALID_ARGUMENT;
        return camera.startAcquisition(count, true);
    });
}

FWC_API int32_t FWC_CALL FWC_MultiShotStop(uint32_t cameraId) {
    return withOpenCamera("FWC_MultiShotStop", cameraId,
                          [&](BusCamera& camera) { return camera.stopAcquisition(); });
}

FWC_API int32_t FWC_CALL FWC_GetNativeImage(uint32_t cameraId, void* buffer, uint32_t bufferSize,
                                            uint32_t /*timeout*/) {
    return withOpenCamera("FWC_GetNativeImage", cameraId, [&](BusCamera& camera) -> int32_t {
        if (buffer == nullptr) return FWC_ERR_NULL_POINTER;
        return camera.copyNewestFrame(buffer, bufferSize);
    });
}

}  // extern "C"
