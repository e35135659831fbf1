// Construction and destruction of a CCamera, and the output pixel size of its coding.
#include "camera/camera.h"

#include <cstdio>
#include <mutex>
#include <new>
#include <vector>

#include "camera/camera_start.h"
#include "camera/frame_capture.h"
#include "camera/image_buffers.h"
#include "diagnostics/diagnostics.h"

namespace lvc {
namespace {

std::mutex retiredMutex;
std::vector<CCamera*> retiredCameras;
// Retired cameras of a released driver: their handles may name other registrations now,
// and a driver still held elsewhere in the process may call them, so the cameras are
// never freed while the plug-in is loaded.
std::vector<CCamera*> keptCameras;

// The context is the camera itself: the driver hands it to the handler until the
// registration ends.
bool registerNotification(CCamera& camera, NotificationRegistration& registration, uint32_t kind,
                          FWC_NotifyCallback handler) {
    registration.descriptor = FWC_MakeNotification(camera.cameraId, handler, &camera);
    registration.registered =
        checkResult(FWC_RegisterNotification(&registration.handle, kind, &registration.descriptor),
                    "FWC_RegisterNotification") == 0;
    return registration.registered;
}

void unregisterNotification(NotificationRegistration& registration) {
    if (registration.registered && checkResult(FWC_UnRegisterNotification(registration.handle),
                                               "FWC_UnRegisterNotification") == 0)
        registration.registered = false;
}

// Ends what is still registered; true when nothing is.
bool unregisterNotifications(CCamera& camera) {
    unregisterNotification(camera.errorNotify);
    unregisterNotification(camera.dropNotify);
    unregisterNotification(camera.frameNotify);
    return !camera.errorNotify.registered && !camera.dropNotify.registered &&
           !camera.frameNotify.registered;
}

void freeCamera(CCamera* camera) {
    // No handler runs any more: whatever a stop had to keep can go now.
    freeImageBuffers(*camera);
    delete camera;
}

// Its handlers return at once from now on; one that is running is waited for.
void retire(CCamera& camera) {
    std::lock_guard gate(camera.handlerGate);
    camera.retired = true;
}

void addRetired(CCamera* camera) {
    std::lock_guard lock(retiredMutex);
    retiredCameras.push_back(camera);
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
    if (registerNotification(*camera, camera->frameNotify, FWC_NOTIFY_FRAME_COMPLETE,
                             onFrameReady) &&
        registerNotification(*camera, camera->dropNotify, FWC_NOTIFY_FRAME_DROPPED,
                             onFrameDropped) &&
        registerNotification(*camera, camera->errorNotify, FWC_NOTIFY_ERROR, onCameraError))
        return camera;
    return nullptr;
}

void destroyCamera(CCamera* camera) {
    if (!camera) return;
    const bool unregistered = unregisterNotifications(*camera);
    if (!unregistered) retire(*camera);
    // A camera left open in the driver would refuse every later open: a failed close is
    // tried once more.
    if (!stopCamera(*camera)) stopCamera(*camera);
    if (unregistered)
        freeCamera(camera);
    else
        addRetired(camera);
}

void freeRetiredCameras() {
    std::lock_guard lock(retiredMutex);
    std::erase_if(retiredCameras, [](CCamera* camera) {
        if (!unregisterNotifications(*camera)) return false;
        freeCamera(camera);
        return true;
    });
}

void keepRetiredCameras() {
    std::lock_guard lock(retiredMutex);
    keptCameras.insert(keptCameras.end(), retiredCameras.begin(), retiredCameras.end());
    retiredCameras.clear();
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
