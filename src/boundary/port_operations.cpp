// What the exports that act on one host port do: open and close a camera, request a
// frame, copy a row, read and write properties and answer "getname".
#include "boundary/port_operations.h"

#include <algorithm>
#include <cstring>

#include "boundary/camera_list.h"
#include "boundary/host_callbacks.h"
#include "boundary/host_camera.h"
#include "boundary/plugin_lifecycle.h"
#include "boundary/port_table.h"
#include "camera/ascii_text.h"
#include "camera/camera.h"
#include "camera/camera_start.h"
#include "camera/frame_capture.h"
#include "camera/frame_output.h"
#include "camera/named_properties.h"
#include "camera/settings_file.h"
#include "diagnostics/diagnostics.h"

namespace lvc {
namespace {

// Reads the INI values and the XML settings file of a camera about to start.
void readStoredSettings(CCamera& camera) {
    char iniPath[kSettingsPathSize];
    char xmlPath[kSettingsPathSize];
    readSettings(buildSettingsPath(camera, "Lorvenacam.ini", iniPath), camera,
                 buildXmlPath(camera, xmlPath));
}

// A new camera for the listed configuration name, or null when the name is not listed or
// already open on a port.
CameraPtr createListedCamera(const char* cameraName) {
    CameraListEntry entry;
    if (!cameraListEntry(findCameraByName(cameraName), &entry)) return nullptr;
    if (findPortByName(cameraName) >= 0) return nullptr;
    return createHostCamera(entry.cameraId, entry.name);
}

}  // namespace
}  // namespace lvc

using namespace lvc;

int32_t lvc::openPort(int32_t port, const char* cameraName, uint32_t* size) {
    if (!cameraName) return 0;
    debugMessage("Open %s\n", cameraName);
    // The camera list outlives finalize; a released driver must not be reached through it.
    if (!pluginInitialized() || !size || !isValidPort(port) || portCamera(port)) return 0;
    CameraPtr created = createListedCamera(cameraName);
    if (!created) return 0;
    CCamera* camera = created.get();
    if (!occupyPort(port, created)) return 0;
    camera->port = port;
    camera->portCallback = notifyHost;
    readStoredSettings(*camera);
    if (!startCamera(*camera)) return 0;
    size[0] = camera->width;
    size[1] = camera->height;
    return 1;
}

void lvc::closePort(int32_t port) { releasePortCamera(vacatePort(port)); }

int32_t lvc::grab(int32_t port) {
    CCamera* camera = portCamera(port);
    // A camera whose start failed was closed again: it takes no request.
    return camera && camera->opened && requestFrame(*camera) ? 1 : 0;
}

int32_t lvc::grabRow(int32_t port, void* buffer, uint32_t row, uint32_t first, uint32_t last) {
    const CCamera* camera = portCamera(port);
    return camera && buffer && copyRow(*camera, buffer, row, first, last) ? 1 : 0;
}

int32_t lvc::readProperty(int32_t port, const char* name, int32_t* value) {
    const CCamera* camera = portCamera(port);
    if (!camera || !name || !value) return 0;
    if (equalsIgnoringCase(name, "PixelSize")) {
        *value = static_cast<int32_t>(PixelSize(*camera));
        return 1;
    }
    if (equalsIgnoringCase(name, "Continous")) {
        *value = camera->continuous ? 1 : 0;
        return 1;
    }
    uint32_t propertyValue = 0;
    if (!getNamedProperty(*camera, name, &propertyValue)) return 0;
    *value = static_cast<int32_t>(propertyValue);
    return 1;
}

int32_t lvc::writeProperty(int32_t port, const char* name, int32_t value) {
    CCamera* camera = portCamera(port);
    if (!camera || !name) return 0;
    if (equalsIgnoringCase(name, "Continous")) {
        camera->continuous = value != 0;
        return !camera->continuous || continueChain(*camera) ? 1 : 0;
    }
    return setNamedProperty(*camera, name, static_cast<uint32_t>(value)) ? 1 : 0;
}

// Any command beginning with "ge", in either case, is taken as "getname". The answer is
// the camera name, cut to the buffer and always terminated.
int32_t lvc::executeCommand(int32_t port, const char* command, char* answer, int32_t answerSize) {
    const CCamera* camera = portCamera(port);
    if (!camera || !command || !answer || answerSize <= 0) return 0;
    if (!startsWithIgnoringCase(command, "ge")) return 0;
    const std::size_t length =
        std::min(std::strlen(camera->name), static_cast<std::size_t>(answerSize) - 1);
    std::memcpy(answer, camera->name, length);
    answer[length] = '\0';
    return 1;
}
