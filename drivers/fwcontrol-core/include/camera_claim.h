// Exclusive use of a camera across processes, as on a real bus: a claim held by one
// process makes the camera busy for every other until released or until the holder
// dies. Claims live in a namespace derived from the bus description, so processes on
// different buses never see each other's claims. Implemented per platform
// (camera_claim_posix.cpp, camera_claim_win32.cpp); camera_claim.cpp names the namespace.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace fwc {

class CameraClaim {
public:
    virtual ~CameraClaim() = default;
};

// The name of a bus's claim namespace: 16 hex digits hashed from busKey, the same in
// every process and on every platform.
std::string claimNamespace(const std::string& busKey);

// busKey names the bus (its description file, or the default bus). Returns the claim,
// or null with status FWC_ERR_CAMERA_BUSY (held elsewhere) or FWC_ERR_RESOURCES.
std::unique_ptr<CameraClaim> claimCamera(const std::string& busKey, uint32_t cameraId,
                                         int32_t& status);

// The bus's folder for what its processes share beyond the claims, created when missing;
// empty when it cannot be made.
std::string sharedBusFolder(const std::string& busKey);

}  // namespace fwc
