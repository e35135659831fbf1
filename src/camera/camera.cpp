// Construction and destruction of a CCamera, and the output pixel size of its coding.
#include "camera/camera.h"

#include <cstdio>
#include <new>

#include "boundary/diagnostics.h"
#include "boundary/plugin_state.h"
#include "camera/camera_start.h"
#include "camera/frame_capture.h"
#include "camera/image_buffers.h"

namespace lvc {
namespace {

// The context is the camera itself: the driver hands it to the handler until the
// registration ends.
void registerNotification(CCamera& camera, NotificationRegistration& registration, uint32_t kind,
                          FWC_NotifyCallback handler) {
    registration.descriptor = FWC_MakeNotification(camera.cameraId, handler, &camera);
    checkResult(FWC_RegisterNotification(&registration.handle, kind, &registration.descriptor),
                "FWC_RegisterNotification");
}

void unregisterNotification(NotificationRegistration& registration) {
    checkResult(FWC_UnRegisterNotification(registration.handle), "FWC_UnRegisterNotification");
}

void copyBounded(char* destination, std::size_t size, const char* source) {
    std::snprintf(destination, size, "%s", source ? source : "");
}

}  // namespace

CCamera* createCamera(uint32_t cameraId, const char* name) {
    auto* camera = new (std::nothrow) CCamera;
    if (!camera) return nullptr;
    camera->cameraId = cameraId;
    copySystemPath(camera->systemPath, sizeof camera->systemPath);
    copyBounded(camera->name, sizeof camera->name, name);
    camera->frameReadyMutex = frameReadyMutexHandle();
    registerNotification(*camera, camera->frameNotify, FWC_NOTIFY_FRAME_COMPLETE, onFrameReady);
    registerNotification(*camera, camera->dropNotify, FWC_NOTIFY_FRAME_DROPPED, onFrameDropped);
    registerNotification(*camera, camera->errorNotify, FWC_NOTIFY_ERROR, onCameraError);
    return camera;
}

void destroyCamera(CCamera* camera) {
    if (!camera) return;
    unregisterNotification(camera->errorNotify);
    unregisterNotification(camera->dropNotify);
    unregisterNotification(camera->frameNotify);
    stopCamera(*camera);
    // No handler runs any more: whatever a stop had to keep can go now.
    freeImageBuffers(*camera);
    delete camera;
}

uint32_t PixelSize(const CCamera& camera) {
    switch (camera.colorCoding) {
    case FWC_CODING_YUV411:
    case FWC_CODING_YUV422:
    case FWC_CODING_YUV444:
    case FWC_CODING_RGB8:
    case FWC_CODING_RGB16:
    case FWC_CODING_SRGB16:
    case FWC_CODING_RAW8:
    case FWC_CODING_RAW16:
    case FWC_CODING_RGB12:
    case FWC_CODING_SRGB12:
    case FWC_CODING_RAW12: return 24;
    default: return 8;
    }
}

}  // namespace lvc
