// The exports that take no port: setters, getters and the no-op configure.
#include "boundary/camera_list.h"
#include "boundary/host_callbacks.h"
#include "boundary/port_table.h"
#include "boundary/system_path.h"
#include "lorvenacam.h"

LvcDebugMsgProc LVC_CALL setDebugMsgProc(LvcDebugMsgProc debugMsgProc) {
    lvc::storeDebugMsgProc(debugMsgProc);
    return debugMsgProc;
}

int32_t LVC_CALL setSystemPath(const char* systemPath) {
    lvc::storeSystemPath(systemPath);
    return 1;
}

int32_t LVC_CALL configure(void) { return 0; }

// getPropertyRange is configure under a second name: one function, two exports.
int32_t LVC_CALL getPropertyRange(void) __attribute__((alias("configure"), nothrow));

int32_t LVC_CALL getCVLMaxNoOfPorts(void) { return lvc::kPortCount; }

int32_t LVC_CALL getCVLNoOfSupportedCameras(void) { return lvc::cameraListCount(); }

// The array lives as long as the library; the host may keep the pointer.
char** LVC_CALL getCVLCameraConfigNames(void) { return lvc::configNames(); }

int32_t LVC_CALL setCompleteCallback(int32_t /*ignored*/, int32_t /*ignoredPort*/,
                                     LvcCompleteCallback callback) {
    lvc::storeCompleteCallback(callback);
    return 1;
}

int32_t LVC_CALL setCmdCallback(int32_t /*ignored*/, int32_t /*ignoredPort*/,
                                LvcCmdCallback callback) {
    lvc::storeCmdCallback(callback);
    return 1;
}
