// Cameras made for the host: on a port or for the configuration dialog.
#pragma once

#include <cstdint>

#include "camera/camera.h"

namespace lvc {

// A camera with the host's SystemPath and the frame-ready mutex of this moment.
CameraPtr createHostCamera(uint32_t cameraId, const char* name);

}  // namespace lvc
