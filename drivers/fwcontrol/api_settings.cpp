// Settings file calls.
#include "api_guard.h"
#include "camera_settings_file.h"
#include "fwcontrol.h"

using namespace fwc;

extern "C" {

// flags: not used; any value is accepted.
FWC_API int32_t FWC_CALL FWC_LoadSettings(uint32_t cameraId, const char* path, uint32_t /*flags*/) {
    return withOpenCamera("FWC_LoadSettings", cameraId, [&](BusCamera& camera) -> int32_t {
        if (path == nullptr) return FWC_ERR_NULL_POINTER;
        return loadSettingsFile(camera, path);
    });
}

FWC_API int32_t FWC_CALL FWC_SaveSettings(uint32_t cameraId, const char* path) {
    return withOpenCamera("FWC_SaveSettings", cameraId, [&](BusCamera& camera) -> int32_t {
        if (path == nullptr) return FWC_ERR_NULL_POINTER;
        return saveSettingsFile(camera, path);
    });
}

}  // extern "C"
