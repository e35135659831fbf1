// startCamera and stopCamera: open, read the format, load the LUT, prepare the fixed or
// Format 7 grab, size the buffers and start streaming; and the way back.
#include "camera/camera_start.h"

#include "camera/camera.h"
#include "camera/image_buffers.h"
#include "camera/lut_file.h"
#include "camera/name_tables.h"
#include "diagnostics/diagnostics.h"
#include "fwcontrol.h"
#include "platform/named_mutex.h"

namespace lvc {
namespace {

constexpr uint32_t kFirstFreeFormat = 7;
// How long a stop waits for a frame handler to finish with the buffers.
constexpr uint32_t kFrameHandlingWaitMs = 2500;

// The current fixed format. A camera whose format cannot be read is taken as Format 7,
// whose path reads the area of interest from the camera instead of trusting these words.
struct FixedFormat {
    uint32_t format = kFirstFreeFormat;
    uint32_t mode = 0;
    uint32_t frameRate = 0;

    bool isFixed() const { return format < kFirstFreeFormat; }
};

// False when the geometry cannot be read: nothing is known to size or program from.
bool readImageFormat(CCamera& camera) {
    checkResult(
        FWC_GetCameraCapabilities(camera.cameraId, &camera.capabilities[0], &camera.capabilities[1],
                                  &camera.capabilities[2], &camera.capabilities[3]),
        "FWC_GetCameraCapabilities");
    return checkResult(FWC_GetCurrentImageFormat(camera.cameraId, &camera.width, &camera.height,
                                                 &camera.colorCoding, &camera.bitDepth),
                       "FWC_GetCurrentImageFormat") == 0;
}

FixedFormat readFixedFormat(const CCamera& camera) {
    FixedFormat fixed;
    if (checkResult(FWC_GetCurrentFixedFormat(camera.cameraId, &fixed.format, &fixed.mode,
                                              &fixed.frameRate),
                    "FWC_GetCurrentFixedFormat") != 0)
        fixed = FixedFormat{};
    return fixed;
}

void readSensorInfo(CCamera& camera) {
    camera.bayerPattern = 0;
    camera.interlaced = 0;
    checkResult(FWC_GetCameraInfo(camera.cameraId, FWC_INFO_BAYER_PATTERN, &camera.bayerPattern),
                "FWC_GetCameraInfo(BayerPattern)");
    checkResult(FWC_GetCameraInfo(camera.cameraId, FWC_INFO_INTERLACED, &camera.interlaced),
                "FWC_GetCameraInfo(Interlaced)");
}

bool readAreaOfInterest(CCamera& camera) {
    return checkResult(FWC_GetAOI(camera.cameraId, &camera.aoiLeft, &camera.aoiTop, &camera.width,
                                  &camera.height),
                       "FWC_GetAOI") == 0;
}

// Programs the grab with what was read from the camera; an area that cannot be read is
// never written back. False when the geometry of the grab is unknown.
bool prepareGrab(CCamera& camera, const FixedFormat& fixed) {
    if (fixed.isFixed()) {
        camera.aoiLeft = 0;
        camera.aoiTop = 0;
        checkResult(
            FWC_PrepareFixedGrab(camera.cameraId, fixed.format, fixed.mode, fixed.frameRate),
            "FWC_PrepareFixedGrab");
        return true;
    }
    if (!readAreaOfInterest(camera)) return false;
    checkResult(FWC_PrepareFreeGrab(camera.cameraId, &camera.freeMode, &camera.colorCoding,
                                    &camera.width, &camera.height, nullptr, &camera.aoiLeft,
                                    &camera.aoiTop, &camera.busLoad),
                "FWC_PrepareFreeGrab");
    return readAreaOfInterest(camera);
}

void readTriggerState(CCamera& camera) {
    uint32_t active = 0;
    if (checkResult(FWC_Trigger_Get(camera.cameraId, nullptr, &active, nullptr, nullptr),
                    "FWC_Trigger_Get") != 0)
        active = 0;
    camera.triggerActive = active;
}

void logStartLine(const CCamera& camera, const FixedFormat& fixed) {
    debugMessage("%s: %s %ux%u pos(%u,%u) %s %d bit %s %d %s\n", fixed.isFixed() ? "Fixed" : "F7",
                 camera.name, camera.width, camera.height, camera.aoiLeft, camera.aoiTop,
                 colorCodingName(camera.colorCoding), static_cast<int>(camera.bitDepth),
                 fixed.isFixed() ? "fps" : "load",
                 static_cast<int>(fixed.isFixed() ? fixed.frameRate : camera.busLoad),
                 isStreamingMode(camera) ? "streaming" : "multishot");
}

void stopAcquisition(const CCamera& camera) {
    if (isStreamingMode(camera))
        checkResult(FWC_GrabStop(camera.cameraId, 1), "FWC_GrabStop");
    else
        checkResult(FWC_MultiShotStop(camera.cameraId), "FWC_MultiShotStop");
}

// Frees the buffers once no frame handler uses them: the handler holds the frame-ready
// mutex while it touches them. Buffers a busy handler keeps past the wait are freed when
// the camera is destroyed, after its notifications have ended.
void freeBuffersAfterFrameHandling(CCamera& camera) {
    NamedMutex* mutex = camera.frameReadyMutex;
    if (!mutex) {
        freeImageBuffers(camera);
        return;
    }
    if (waitNamedMutex(mutex, kFrameHandlingWaitMs) != MutexWait::Acquired) return;
    freeImageBuffers(camera);
    releaseNamedMutex(mutex);
}

// Everything after the open. False when the geometry or, for a streaming camera, the
// acquisition did not come up.
bool bringUp(CCamera& camera) {
    if (!readImageFormat(camera)) return false;
    const FixedFormat fixed = readFixedFormat(camera);
    readSensorInfo(camera);
    loadLut(camera);
    if (!prepareGrab(camera, fixed)) return false;
    sizeImageBuffers(camera);
    readTriggerState(camera);
    if (isStreamingMode(camera) &&
        checkResult(FWC_GrabStart(camera.cameraId, FWC_GRAB_CONTINUOUS), "FWC_StartGrab") != 0)
        return false;
    logStartLine(camera, fixed);
    return true;
}

}  // namespace

bool isStreamingMode(const CCamera& camera) {
    return camera.triggerActive != 0 || camera.streaming;
}

bool startCamera(CCamera& camera) {
    if (camera.opened) return true;
    if (checkResult(FWC_OpenCamera(camera.cameraId, FWC_OPEN_DEFAULT), "FWC_OpenCamera") != 0)
        return false;
    camera.opened = true;
    if (bringUp(camera)) return true;
    stopCamera(camera);
    return false;
}

bool stopCamera(CCamera& camera) {
    if (!camera.opened) return true;
    stopAcquisition(camera);
    if (checkResult(FWC_CloseCamera(camera.cameraId), "FWC_CloseCamera") != 0) return false;
    camera.opened = false;
    freeBuffersAfterFrameHandling(camera);
    return true;
}

}  // namespace lvc
