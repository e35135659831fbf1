// What configureCamera does: the configuration dialog for a camera, on the camera of the
// port where it is open or on a temporary camera.
#include "boundary/configure_camera.h"

#include "boundary/camera_list.h"
#include "boundary/host_camera.h"
#include "boundary/plugin_lifecycle.h"
#include "boundary/port_table.h"
#include "camera/camera.h"
#include "camera/camera_start.h"
#include "camera/frame_capture.h"
#include "camera/settings_file.h"
#include "config_ui/config_sheet.h"

namespace lvc {
namespace {

CameraPtr createListedCamera(const char* name) {
    CameraListEntry entry;
    if (!cameraListEntry(findCameraByName(name), &entry)) return nullptr;
    return createHostCamera(entry.cameraId, entry.name);
}

void storeSettings(CCamera& camera) {
    char iniPath[kSettingsPathSize];
    char xmlPath[kSettingsPathSize];
    if (!buildSettingsPath(camera, "Lorvenacam.ini", iniPath) || !buildXmlPath(camera, xmlPath))
        return;
    writeSettings(camera, iniPath, xmlPath);
}

// The dialog may have changed the format (and with it the frame size), the LUT and the
// streaming flag. The camera is stopped the way it was started, so that no acquisition is
// left running, then started afresh with buffers and acquisition for its new format, and
// a continuous chain the stop ended goes on.
void restartCamera(CCamera& camera, bool startedStreaming) {
    bool chosenStreaming = camera.streaming;
    camera.streaming = startedStreaming;
    stopCamera(camera);
    camera.streaming = chosenStreaming;
    startCamera(camera);
    resumeAfterRestart(camera);
}

}  // namespace
}  // namespace lvc

int32_t lvc::configureNamedCamera(const char* cameraName) {
    using namespace lvc;
    if (!cameraName || !pluginInitialized()) return 0;
    CCamera* camera = portCamera(findPortByName(cameraName));
    CameraPtr temporary;
    if (!camera) {
        temporary = createListedCamera(cameraName);
        if (!temporary) return 0;
        camera = temporary.get();
    }
    if (!camera->opened) startCamera(*camera);
    bool startedStreaming = camera->streaming;
    runConfigSheet(*camera);
    storeSettings(*camera);
    if (temporary) {
        // Destroying stops the camera, which must happen the way it was started.
        temporary->streaming = startedStreaming;
        return 0;
    }
    restartCamera(*camera, startedStreaming);
    return 0;
}
