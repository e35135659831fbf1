// The camera's four values in "Lorvenacam.ini" (one section per configuration name) and
// its XML settings file, which the driver reads and writes.
#include "camera/settings_file.h"

#include <cstdio>
#include <cstring>

#include "camera/camera.h"
#include "diagnostics/diagnostics.h"
#include "fwcontrol.h"
#include "platform/private_profile.h"

namespace lvc {
namespace {

// Text values arrive in a buffer of this size, so at most 254 characters.
constexpr uint32_t kProfileTextSize = 255;

void readProfileValues(const char* iniPath, CCamera& camera) {
    const char* section = camera.name;
    camera.busLoad = static_cast<uint32_t>(
        readProfileInt(section, "Busload", static_cast<int32_t>(camera.busLoad), iniPath));
    camera.streaming = readProfileInt(section, "Streaming", camera.streaming, iniPath) != 0;
    camera.useLut = readProfileInt(section, "LUT", camera.useLut, iniPath) != 0;
    char lutName[kProfileTextSize];
    readProfileString(section, "LUTname", camera.lutName, lutName, sizeof lutName, iniPath);
    std::memcpy(camera.lutName, lutName, std::strlen(lutName) + 1);
}

void writeProfileValues(const CCamera& camera, const char* iniPath) {
    const char* section = camera.name;
    writeProfileInt(section, "Busload", static_cast<int32_t>(camera.busLoad), iniPath);
    writeProfileInt(section, "Streaming", camera.streaming, iniPath);
    writeProfileInt(section, "LUT", camera.useLut, iniPath);
    writeProfileString(section, "LUTname", camera.lutName, iniPath);
}

bool fileExists(const char* path) {
    std::FILE* file = std::fopen(path, "r");
    if (!file) return false;
    std::fclose(file);
    return true;
}

// Runs the driver's settings call on the camera, opening it for the call when it is not
// open. False when the camera cannot be opened or the call fails.
template <typename SettingsCall>
bool withOpenCamera(const CCamera& camera, SettingsCall call) {
    const bool wasOpened = camera.opened;
    if (!wasOpened &&
        checkResult(FWC_OpenCamera(camera.cameraId, FWC_OPEN_DEFAULT), "FWC_OpenCamera") != 0)
        return false;
    const bool succeeded = call();
    if (!wasOpened) checkResult(FWC_CloseCamera(camera.cameraId), "FWC_CloseCamera");
    return succeeded;
}

}  // namespace

void writeProfileInt(const char* section, const char* key, int32_t value, const char* iniPath) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    writeProfileString(section, key, text, iniPath);
}

bool readSettings(const char* iniPath, CCamera& camera, const char* xmlPath) {
    if (iniPath) readProfileValues(iniPath, camera);
    if (!xmlPath || !fileExists(xmlPath)) return true;
    return withOpenCamera(camera, [&] {
        return checkResult(FWC_LoadSettings(camera.cameraId, xmlPath, 1), "FWC_LoadSettings") == 0;
    });
}

bool writeSettings(CCamera& camera, const char* iniPath, const char* xmlPath) {
    if (iniPath) writeProfileValues(camera, iniPath);
    if (!xmlPath) return false;
    return withOpenCamera(camera, [&] {
        return checkResult(FWC_SaveSettings(camera.cameraId, xmlPath), "FWC_SaveSettings") == 0;
    });
}

}  // namespace lvc
