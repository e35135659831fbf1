// The common entry of the exported calls: an injected failure first, then (for camera
// calls) the camera, which must be on the bus and open in this process. Exceptions
// (only allocation failures can occur) never cross the boundary.
#pragma once

#include <exception>
#include <memory>
#include <new>

#include "camera_buses.h"
#include "failure_injection.h"
#include "fw_status.h"

namespace fwc {

template <typename Body>
int32_t guardedCall(const char* callName, Body&& body) {
    try {
        if (const int32_t injected = takeInjectedFailure(callName)) return injected;
        return body();
    } catch (const std::exception&) {
        return FWC_ERR_RESOURCES;
    }
}

template <typename Body>
int32_t withOpenCamera(const char* callName, uint32_t cameraId, Body&& body) {
    return guardedCall(callName, [&]() -> int32_t {
        std::shared_ptr<BusCamera> camera;
        if (const int32_t status = theBuses().findCamera(cameraId, camera)) return status;
        if (const int32_t status = camera->checkOpen()) return status;
        return body(*camera);
    });
}

}  // namespace fwc
