// The state a simulated camera keeps while the machine runs, as a real camera keeps its
// state until it is powered off: the next process that opens the camera finds it as the
// last one left it. One file per camera in the bus's shared folder, beside its claims,
// written by the holder of the claim when it closes the camera. A file kept in another
// boot of the machine or for another bus description is ignored; FWS_Reset removes them.
//
// <cameraState boot="..." bus="...">   the boot and the bus description it belongs to
//   <cameraSettings ...>...</cameraSettings>     as the camera's settings file has it
//   <register address="4096" value="0"/>         one per register, decimal
// </cameraState>
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "camera_description.h"
#include "sim_camera.h"

namespace fwc {

class CameraStateStore {
public:
    // busKey names the bus's shared namespace; descriptionText is the description its
    // cameras come from.
    CameraStateStore(const std::string& busKey, const std::string& descriptionText);

    // The state kept for the camera in this boot and bus description, if any.
    std::optional<CameraState> kept(const CameraDescription& description) const;
    // Replaces what is kept for the camera; a file that cannot be written keeps nothing.
    void keep(const CameraDescription& description, const CameraState& state) const;
    void forget(uint32_t cameraId) const;

private:
    std::string path(uint32_t cameraId) const;

    std::string folder_;
    std::string busIdentity_;
};

}  // namespace fwc
