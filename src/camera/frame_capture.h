// Grab requests and the driver's frame notifications.
#pragma once

#include <cstdint>

#include "camera/camera.h"
#include "fwcontrol.h"

namespace lvc {

// Counts the request and marks it outstanding or starts a one-frame shot. True when a
// request is outstanding afterwards.
bool requestFrame(CCamera& camera);
// Keeps a continuous multishot chain going: one shot in flight. A shot that does not
// start is asked for once more, so one refused start does not end the chain; when that
// fails too, the host's next request starts it again.
bool continueChain(CCamera& camera);
// After the camera was stopped and started again: the stop ended any shot in flight, so
// a multishot request it served is dropped and a continuous chain starts anew.
void resumeAfterRestart(CCamera& camera);
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
