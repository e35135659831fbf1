// The test control interface (fwsim.h).
#include <algorithm>
#include <cstring>

#include "api_guard.h"
#include "sim_bus.h"
#include "error_info.h"
#include "frame_code.h"
#include "fwsim.h"

using namespace fwc;

namespace {

template <typename Body>
int32_t withCamera(uint32_t cameraId, Body&& body) {
    try {
        std::shared_ptr<SimCamera> camera;
        if (const int32_t status = theSimBus().findCamera(cameraId, camera)) return status;
        return body(*camera);
    } catch (const std::exception&) {
        return FWC_ERR_RESOURCES;
    }
}

}  // namespace

extern "C" {

FWC_API uint32_t FWC_CALL FWS_Plug(const char* cameraJson) {
    try {
        return theSimBus().plug(cameraJson);
    } catch (const std::exception&) {
        return 0;
    }
}

FWC_API int32_t FWC_CALL FWS_Unplug(uint32_t cameraId) {
    try {
        return theSimBus().unplug(cameraId);
    } catch (const std::exception&) {
        return FWC_ERR_RESOURCES;
    }
}

FWC_API int32_t FWC_CALL FWS_FailCall(const char* callName, int32_t status, int32_t count) {
    return injectFailure(callName, status, count);
}

FWC_API int32_t FWC_CALL FWS_GetCallName(uint32_t index, char* name, uint32_t size) {
    if (name == nullptr) return FWC_ERR_NULL_POINTER;
    const char* call = injectableCall(index);
    if (call == nullptr || size <= std::strlen(call)) return FWC_ERR_INVALID_ARGUMENT;
    std::memcpy(name, call, std::strlen(call) + 1);
    return FW_STATUS_OK;
}

FWC_API int32_t FWC_CALL FWS_GetCallCount(const char* callName, uint32_t* count) {
    if (count == nullptr) return FWC_ERR_NULL_POINTER;
    return countOfCalls(callName, *count);
}

FWC_API int32_t FWC_CALL FWS_Trigger(uint32_t cameraId) {
    return withCamera(cameraId, [](SimCamera& camera) { return camera.triggerPulse(); });
}

FWC_API int32_t FWC_CALL FWS_RaiseEvent(uint32_t cameraId, int32_t kind) {
    return theSimBus().raiseEvent(cameraId, static_cast<uint32_t>(kind));
}

FWC_API int32_t FWC_CALL FWS_Step(uint32_t cameraId) {
    return withCamera(cameraId, [](SimCamera& camera) { return camera.step(); });
}

FWC_API int32_t FWC_CALL FWS_Reset(void) {
    try {
        return theSimBus().reset();
    } catch (const std::exception&) {
        return FWC_ERR_RESOURCES;
    }
}

FWC_API int32_t FWC_CALL FWS_GetGroundTruth(uint32_t cameraId, uint32_t frameNumber,
                                            uint8_t* buffer, uint32_t bufferSize,
                                            uint32_t* channels) {
    return withCamera(cameraId, [&](SimCamera& camera) -> int32_t {
        if (buffer == nullptr || channels == nullptr) return FWC_ERR_NULL_POINTER;
        return camera.groundTruth(frameNumber, buffer, bufferSize, *channels);
    });
}

FWC_API int32_t FWC_CALL FWS_ReadFrameNumber(const uint8_t* image, uint32_t width, uint32_t height,
                                             uint32_t channels, uint32_t* frameNumber) {
    if (image == nullptr || frameNumber == nullptr) return FWC_ERR_NULL_POINTER;
    if (channels != 1 && channels != 3) return FWC_ERR_INVALID_ARGUMENT;
    return readFrameCode(image, width, height, channels, *frameNumber) ? FW_STATUS_OK
                                                                       : FWC_ERR_NO_FRAME_CODE;
}

FWC_API int32_t FWC_CALL FWS_GetFrameRate(uint32_t cameraId, double* framesPerSecond) {
    return withCamera(cameraId, [&](SimCamera& camera) -> int32_t {
        if (framesPerSecond == nullptr) return FWC_ERR_NULL_POINTER;
        *framesPerSecond = camera.frameRate();
        return FW_STATUS_OK;
    });
}

FWC_API int32_t FWC_CALL FWS_GetFrameCounters(uint32_t cameraId, uint32_t* completed,
                                              uint32_t* dropped) {
    return withCamera(cameraId, [&](SimCamera& camera) {
        const FrameCounters counters = camera.counters();
        if (completed != nullptr) *completed = counters.completed;
        if (dropped != nullptr) *dropped = counters.dropped;
        return FW_STATUS_OK;
    });
}

FWC_API int32_t FWC_CALL FWS_GetLut(uint32_t cameraId, uint8_t* values, uint32_t* count,
                                    uint32_t* inUse) {
    return withCamera(cameraId, [&](SimCamera& camera) -> int32_t {
        if (count == nullptr || (values == nullptr && *count != 0)) return FWC_ERR_NULL_POINTER;
        const LutState lut = camera.lutState();
        if (lut.values.size() > *count && *count != 0) return FWC_ERR_BUFFER_TOO_SMALL;
        if (*count != 0) std::copy(lut.values.begin(), lut.values.end(), values);
        *count = static_cast<uint32_t>(lut.values.size());
        if (inUse != nullptr) *inUse = lut.inUse ? 1 : 0;
        return FW_STATUS_OK;
    });
}

}  // extern "C"
