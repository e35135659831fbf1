// Construction and destruction of a CCamera, and the output pixel size of its coding.
#include "camera/camera.h"

#include <cstdio>
#include <new>

#include "camera/camera_start.h"
#include "camera/frame_capture.h"
#include "camera/image_buffers.h"
#include "diagnostics/diagnostics.h"

namespace lvc {
namespace {

// The notification descriptor type's default words.
FWC_NOTIFICATION defaultDescriptor() {
    FWC_NOTIFICATION descriptor{};
    descriptor.mode = 3;
    descriptor.cameraId = FWC_ALL_CAMERAS;
    descriptor.reserved0 = 0xFFFFFFFFu;
    descriptor.reserved3 = 0xFFFFFFFFu;
    return descriptor;
}

// The context is the camera itself: the driver hands it to the handler until the
// registration ends.
void prepareDescriptor(FWC_NOTIFICATION& descriptor, CCamera& camera, FWC_NotifyCallback handler) {
    descriptor = defaultDescriptor();
    descriptor.mode = 0;
    descriptor.cameraId = camera.cameraId;
    descriptor.callback = handler;
    descriptor.context = &camera;
}

void registerNotification(CCamera& camera, NotificationRegistration& registration, uint32_t kind,
                          FWC_NotifyCallback handler) {
    prepareDescriptor(registration.descriptor, camera, handler);
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

CameraPtr createCamera(uint32_t cameraId, const char* name, const char* systemPath,
                       NamedMutex* frameReadyMutex) {
    CameraPtr camera(new (std::nothrow) CCamera);
    if (!camera) return nullptr;
    camera->cameraId = cameraId;
    copyBounded(camera->systemPath, sizeof camera->systemPath, systemPath);
    copyBounded(camera->name, sizeof camera->name, name);
    camera->frameReadyMutex = frameReadyMutex;
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
    case 1:
    case 2:
    case 3:
    case 4:
    case 6:
    case 8:
    case 9:
    case 10:
    case 133:
    case 135:
    case 136: return 24;
    default: return 8;
    }
}

}  // namespace lvc
