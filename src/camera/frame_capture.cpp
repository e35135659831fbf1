// Grab requests and the frame-complete, frame-dropped and error handlers. The handlers
// run on the driver's notification threads; requestFrame runs on the host's thread and,
// for continuous multishot, on the notification thread.
#include "camera/frame_capture.h"

#include <mutex>
#include <thread>

#include "camera/camera.h"
#include "camera/camera_start.h"
#include "camera/frame_output.h"
#include "diagnostics/diagnostics.h"
#include "platform/local_time.h"
#include "platform/named_mutex.h"

namespace lvc {
namespace {

constexpr uint32_t kFrameReadyWaitMs = 2500;

bool isMultishot(const CCamera& camera) { return !isStreamingMode(camera); }

void deliverFrame(CCamera& camera) {
    try {
        convertFrame(camera);
    } catch (...) {
        // A conversion that throws abandons this frame's conversion; delivery goes on.
    }
    camera.frameRequested = false;
    if (camera.portCallback == nullptr) return;
    ++camera.deliveredCount;
    camera.deliveringThread = std::this_thread::get_id();
    camera.portCallback(&camera);
    camera.deliveringThread = std::thread::id();
}

// Emits the statistics line and restarts the counts when requests, receptions and
// deliveries differ; a camera streaming without trigger never reports.
void reportStatistics(CCamera& camera) {
    if (camera.streaming && camera.triggerActive == 0) return;
    const int32_t requests = camera.requestCount;
    const int32_t received = camera.receivedCount;
    const int32_t delivered = camera.deliveredCount;
    if (requests == received && received == delivered) return;
    char timeOfDay[16];
    formatLocalTimeOfDay(timeOfDay, sizeof timeOfDay);
    debugMessage("%s SYNC:%d Req:%d RX:%d TX:%d\n", timeOfDay, camera.port,
                 camera.requestCount.exchange(0), camera.receivedCount.exchange(0),
                 camera.deliveredCount.exchange(0));
}

}  // namespace

bool requestFrame(CCamera& camera) {
    ++camera.requestCount;
    if (isStreamingMode(camera)) {
        camera.frameRequested = true;
        return true;
    }
    // Marked before the shot starts, so a frame completing at once finds its request; an
    // outstanding request is served by the shot already in flight.
    if (camera.frameRequested.exchange(true)) return true;
    if (checkResult(FWC_MultiShotStart(camera.cameraId, 1), "FWC_MultiShotStart") == 0) return true;
    camera.frameRequested = false;
    return false;
}

bool continueChain(CCamera& camera) { return requestFrame(camera) || requestFrame(camera); }

void resumeAfterRestart(CCamera& camera) {
    if (!camera.opened || !isMultishot(camera)) return;
    camera.frameRequested = false;
    if (camera.continuous) continueChain(camera);
}

uint32_t FWC_CALL onFrameReady(void* context) {
    auto* camera = static_cast<CCamera*>(context);
    if (camera == nullptr) return 0;
    std::unique_lock running(camera->handlerGate);
    if (camera->retired) return 0;
    NamedMutex* mutex = camera->frameReadyMutex;
    const bool locked =
        mutex != nullptr && waitNamedMutex(mutex, kFrameReadyWaitMs) == MutexWait::Acquired;
    ++camera->receivedCount;
    const bool delivering = camera->frameRequested || camera->continuous;
    const int32_t status = fetchFrame(*camera, delivering);
    if (status != 0) {
        // The shot is spent: re-arm, so the next request starts a new one instead of
        // waiting for a frame that will never come.
        if (isMultishot(*camera)) camera->frameRequested = false;
        checkResult(status, "FWC_GetNativeImage");
    } else if (delivering) {
        deliverFrame(*camera);
    }
    if (locked) releaseNamedMutex(mutex);
    if (camera->releasedWhileDelivering) {
        running.unlock();
        destroyCamera(camera);
        return 1;
    }
    reportStatistics(*camera);
    if (camera->continuous && isMultishot(*camera)) continueChain(*camera);
    return camera->frameRequested ? 0 : 1;
}

uint32_t FWC_CALL onFrameDropped(void* context) {
    auto* camera = static_cast<CCamera*>(context);
    if (camera == nullptr) return 0;
    std::lock_guard running(camera->handlerGate);
    if (!camera->retired) debugMessage("Frame dropped %d\n", camera->port);
    return 0;
}

uint32_t FWC_CALL onCameraError(void* context) {
    auto* camera = static_cast<CCamera*>(context);
    if (camera == nullptr) return 0;
    std::lock_guard running(camera->handlerGate);
    if (!camera->retired) debugMessage("Error on %d\n", camera->port);
    return 0;
}

void releasePortCamera(CameraPtr camera) {
    if (camera == nullptr) return;
    if (camera->deliveringThread == std::this_thread::get_id()) {
        // Left alive for the frame handler that is delivering it, which destroys it after.
        camera->releasedWhileDelivering = true;
        (void)camera.release();
        return;
    }
    // destroyCamera unregisters the notifications before it stops the camera, so no frame
    // handler is still writing into the buffers the stop frees.
    camera.reset();
}

}  // namespace lvc
