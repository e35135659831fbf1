#include "boundary/node_list_notification.h"

#include "boundary/camera_list.h"
#include "boundary/plugin_mutexes.h"
#include "diagnostics/diagnostics.h"
#include "fwcontrol.h"

namespace lvc {

namespace {

// The driver keeps a pointer to the descriptor while the registration lasts. Touched only
// by initialize and finalize, which never run at the same time.
FWC_NOTIFICATION nodeListDescriptor{};
FWC_HANDLE nodeListHandle = 0;
bool nodeListRegistered = false;

}  // namespace

void registerNodeListNotification() {
    nodeListDescriptor = FWC_MakeNotification(FWC_ALL_CAMERAS, onNodeListChanged, nullptr);
    nodeListRegistered =
        checkResult(FWC_RegisterNodeListChangedNotification(&nodeListHandle, &nodeListDescriptor),
                    "FWC_RegisterNodeListChangedNotification") == 0;
}

void unregisterNodeListNotification() {
    if (!nodeListRegistered) return;
    checkResult(FWC_UnRegisterNotification(nodeListHandle), "FWC_UnRegisterNotification");
    nodeListRegistered = false;
    nodeListHandle = 0;
}

// Runs on a driver thread. A pass already running here or in another process holds the
// enumeration mutex; this change is then left to the next notification.
uint32_t FWC_CALL onNodeListChanged(void* /*ignored*/) {
    NamedMutex* mutex = enumerationMutexHandle();
    if (waitNamedMutex(mutex, 0) != MutexWait::Acquired) {
        debugMessage("NodeChangedCallback - busy\n");
        return 0;
    }
    debugMessage("NodeChangedCallback - enum\n");
    enumerateCameras();
    releaseNamedMutex(mutex);
    return 0;
}

}  // namespace lvc
