#include "boundary/host_camera.h"

#include "boundary/plugin_mutexes.h"
#include "boundary/system_path.h"

namespace lvc {

CameraPtr createHostCamera(uint32_t cameraId, const char* name) {
    char systemPath[kSystemPathSize];
    copySystemPath(systemPath, sizeof systemPath);
    return createCamera(cameraId, name, systemPath, frameReadyMutexHandle());
}

}  // namespace lvc
