// initialize and finalize: the reference count, the first-time setup and the teardown.
// The two are serialised with each other by lifecycleMutex; the other exports never take
// it.
#include "boundary/plugin_lifecycle.h"

#include <atomic>
#include <cstdint>
#include <mutex>

#include "boundary/camera_list.h"
#include "boundary/host_callbacks.h"
#include "boundary/node_list_notification.h"
#include "boundary/plugin_mutexes.h"
#include "boundary/port_table.h"
#include "boundary/system_path.h"
#include "camera/camera.h"
#include "camera/frame_capture.h"
#include "diagnostics/debug_msg_proc.h"
#include "diagnostics/diagnostics.h"
#include "diagnostics/user_alert.h"
#include "fwcontrol.h"
#include "lorvenacam.h"

namespace lvc {

namespace {

constexpr uint32_t kEnumerationWaitMs = 5000;
constexpr const char* kMessageBoxCaption = "Lorvenacam";

std::mutex lifecycleMutex;
// Changed only under lifecycleMutex; read by pluginInitialized from any thread.
std::atomic<int32_t> initCount{0};
bool driverStarted = false;

void logDriverVersion() {
    uint32_t version = 0;
    if (checkResult(FWC_GetVersion(&version), "FWC_GetVersion") != 0) return;
    debugMessage("fwAPI version %u.%u.%u.%u\n", version >> 24, (version >> 16) & 0xFFu,
                 (version >> 8) & 0xFFu, version & 0xFFu);
}

// When the enumeration mutex cannot be had in time, the list is left to the first bus
// change.
void enumerateOnStart() {
    NamedMutex* mutex = enumerationMutexHandle();
    if (waitNamedMutex(mutex, kEnumerationWaitMs) != MutexWait::Acquired) return;
    enumerateCameras();
    releaseNamedMutex(mutex);
}

// Ports the host left open are closed here, so that no camera notification can call into
// the plug-in once finalize has returned.
void closeRemainingPorts() {
    for (int32_t port = 0; port < kPortCount; ++port) releasePortCamera(vacatePort(port));
}

// Undoes whatever the setup got to, in reverse order.
void tearDown() {
    closeRemainingPorts();
    unregisterNodeListNotification();
    freeRetiredCameras();
    if (driverStarted) {
        checkResult(FWC_Release(), "FWC_Release");
        keepRetiredCameras();
        driverStarted = false;
    }
    closePluginMutexes();
}

bool setUp() {
    if (!openPluginMutexes()) return false;
    if (checkResult(FWC_Init(), "FWC_Init") != 0) {
        closePluginMutexes();
        return false;
    }
    driverStarted = true;
    enumerateOnStart();
    registerNodeListNotification();
    return true;
}

bool setUpGuarded() {
    try {
        return setUp();
    } catch (...) {
        tearDown();
        alertUser("Exception initializing!", kMessageBoxCaption);
        return false;
    }
}

bool tearDownGuarded() {
    try {
        tearDown();
        return true;
    } catch (...) {
        alertUser("Exception finalize!", kMessageBoxCaption);
        return false;
    }
}

}  // namespace

bool pluginInitialized() { return initCount.load() > 0; }

}  // namespace lvc

int32_t lvc::initializePlugin(const char* systemPath, LvcDebugMsgProc debugMsgProc) {
    std::lock_guard lock(lvc::lifecycleMutex);
    lvc::storeSystemPath(systemPath);
    lvc::storeDebugMsgProc(debugMsgProc);
    lvc::logDriverVersion();
    if (lvc::initCount.load() == 0 && !lvc::setUpGuarded()) return 0;
    lvc::initCount.fetch_add(1);
    return 1;
}

int32_t lvc::finalizePlugin() {
    std::lock_guard lock(lvc::lifecycleMutex);
    if (lvc::initCount.load() == 0) return 0;
    if (lvc::initCount.fetch_sub(1) > 1) return 0;
    // The teardown's own failures are not reported: the host asked for silence.
    lvc::storeDebugMsgProc(nullptr);
    lvc::storeCompleteCallback(nullptr);
    return lvc::tearDownGuarded() ? 1 : 0;
}
