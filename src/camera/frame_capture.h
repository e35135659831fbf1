// Grab requests and the driver's frame notifications.
#pragma once

#include <cstdint>

#include "camera/camera.h"
#include "fwcontrol.h"

namespace lvc {

// Counts the request and marks it outstanding or starts a one-frame shot. True when a
// request is outstanding afterwards.
bool requestFrame(CCamera& camera);
// Frame-complete, frame-dropped and error handlers; run on driver notification threads
// with the CCamera as context.
uint32_t FWC_CALL onFrameReady(void* context);
uint32_t FWC_CALL onFrameDropped(void* context);
uint32_t FWC_CALL onCameraError(void* context);
// Stops and destroys a camera taken out of its port. Called from inside the camera's own
// frame delivery (a host closing the port in its CompleteCallback), the destruction is
// left to the frame handler once the delivery has returned.
void releasePortCamera(CameraPtr camera);

}  // namespace lvc
