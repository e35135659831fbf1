// The nineteen exports. Each runs in the export guard, so an exception becomes the export's
// failure result and a diagnostic line, never an end of the host's process.
#include "boundary/camera_list.h"
#include "boundary/configure_camera.h"
#include "boundary/export_guard.h"
#include "boundary/host_callbacks.h"
#include "boundary/plugin_lifecycle.h"
#include "boundary/port_operations.h"
#include "boundary/port_table.h"
#include "boundary/system_path.h"
#include "diagnostics/debug_msg_proc.h"
#include "lorvenacam.h"

using lvc::guardedExport;

int32_t LVC_CALL initialize(const char* systemPath, LvcDebugMsgProc debugMsgProc) {
    return guardedExport("initialize", 0,
                         [&] { return lvc::initializePlugin(systemPath, debugMsgProc); });
}

int32_t LVC_CALL finalize(void) {
    return guardedExport("finalize", 0, [] { return lvc::finalizePlugin(); });
}

LvcDebugMsgProc LVC_CALL setDebugMsgProc(LvcDebugMsgProc debugMsgProc) {
    return guardedExport("setDebugMsgProc", debugMsgProc, [&] {
        lvc::storeDebugMsgProc(debugMsgProc);
        return debugMsgProc;
    });
}

int32_t LVC_CALL setSystemPath(const char* systemPath) {
    return guardedExport("setSystemPath", 0, [&] {
        lvc::storeSystemPath(systemPath);
        return 1;
    });
}

int32_t LVC_CALL configure(void) {
    return guardedExport("configure", 0, [] { return 0; });
}

// getPropertyRange is configure under a second name: one function, two exports.
int32_t LVC_CALL getPropertyRange(void) __attribute__((alias("configure"), nothrow));

int32_t LVC_CALL configureCamera(int32_t, const char* cameraName) {
    return guardedExport("configureCamera", 0,
                         [&] { return lvc::configureNamedCamera(cameraName); });
}

int32_t LVC_CALL getCVLMaxNoOfPorts(void) {
    return guardedExport("getCVLMaxNoOfPorts", 0, [] { return lvc::kPortCount; });
}

int32_t LVC_CALL getCVLNoOfSupportedCameras(void) {
    return guardedExport("getCVLNoOfSupportedCameras", 0, [] { return lvc::cameraListCount(); });
}

// The array lives as long as the library; the host may keep the pointer.
char** LVC_CALL getCVLCameraConfigNames(void) {
    return guardedExport("getCVLCameraConfigNames", static_cast<char**>(nullptr),
                         [] { return lvc::configNames(); });
}

int32_t LVC_CALL setCompleteCallback(int32_t /*ignored*/, int32_t /*ignoredPort*/,
                                     LvcCompleteCallback callback) {
    return guardedExport("setCompleteCallback", 0, [&] {
        lvc::storeCompleteCallback(callback);
        return 1;
    });
}

int32_t LVC_CALL setCmdCallback(int32_t /*ignored*/, int32_t /*ignoredPort*/,
                                LvcCmdCallback callback) {
    return guardedExport("setCmdCallback", 0, [&] {
        lvc::storeCmdCallback(callback);
        return 1;
    });
}

int32_t LVC_CALL openCVLPort(int32_t, int32_t port, const char* cameraName, uint32_t* size) {
    return guardedExport("openCVLPort", 0, [&] { return lvc::openPort(port, cameraName, size); });
}

void LVC_CALL closeCVLPort(int32_t, int32_t port) {
    guardedExport("closeCVLPort", [&] { lvc::closePort(port); });
}

int32_t LVC_CALL doCVLGrab(int32_t, int32_t port) {
    return guardedExport("doCVLGrab", 0, [&] { return lvc::grab(port); });
}

int32_t LVC_CALL getCVLGrabRow(int32_t, int32_t port, void* buffer, uint32_t row, uint32_t first,
                               uint32_t last) {
    return guardedExport("getCVLGrabRow", 0,
                         [&] { return lvc::grabRow(port, buffer, row, first, last); });
}

int32_t LVC_CALL getProperty(int32_t, int32_t port, const char* name, int32_t* value) {
    return guardedExport("getProperty", 0, [&] { return lvc::readProperty(port, name, value); });
}

int32_t LVC_CALL setProperty(int32_t, int32_t port, const char* name, int32_t value) {
    return guardedExport("setProperty", 0, [&] { return lvc::writeProperty(port, name, value); });
}

int32_t LVC_CALL execCmd(int32_t, int32_t port, const char* command, int32_t, char* answer,
                         int32_t answerSize) {
    return guardedExport("execCmd", 0,
                         [&] { return lvc::executeCommand(port, command, answer, answerSize); });
}
