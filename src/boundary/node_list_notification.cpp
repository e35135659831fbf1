#include "boundary/node_list_notification.h"

#include <mutex>
#include <optional>
#include <shared_mutex>

#include "boundary/camera_list.h"
#include "boundary/plugin_mutexes.h"
#include "diagnostics/diagnostics.h"
#include "fw_status.h"
#include "fwcontrol.h"

namespace lvc {

namespace {

// The driver keeps a pointer to the descriptor while the registration lasts. Touched only
// by initialize and finalize, which never run at the same time.
FWC_NOTIFICATION nodeListDescriptor{};
// The registration the driver holds. One whose removal failed is kept, and removed again
// when the plug-in next starts or stops.
std::optional<FWC_HANDLE> nodeListHandle;

// A running handler holds the gate shared. Finalize closes it exclusively before the
// mutexes the handler uses are closed, so a registration the driver still holds calls
// nothing of a finalized plug-in.
std::shared_mutex handlerGate;
bool handlerOpen = false;

void setHandlerOpen(bool open) {
    std::unique_lock lock(handlerGate);
    handlerOpen = open;
}

// True once the driver holds the registration no more. A handle the driver does not know
// went with the driver's last release.
bool removeRegistration() {
    const int32_t status = FWC_UnRegisterNotification(*nodeListHandle);
    if (status != FW_STATUS_OK && status != FWC_ERR_UNKNOWN_HANDLE) {
        checkResult(status, "FWC_UnRegisterNotification");
        return false;
    }
    nodeListHandle.reset();
    return true;
}

}  // namespace

void registerNodeListNotification() {
    if (!nodeListHandle || removeRegistration()) {
        nodeListDescriptor = FWC_MakeNotification(FWC_ALL_CAMERAS, onNodeListChanged, nullptr);
        FWC_HANDLE handle = 0;
        if (checkResult(FWC_RegisterNodeListChangedNotification(&handle, &nodeListDescriptor),
                        "FWC_RegisterNodeListChangedNotification") != 0)
            return;
        nodeListHandle = handle;
    }
    setHandlerOpen(true);
}

void unregisterNodeListNotification() {
    setHandlerOpen(false);
    if (nodeListHandle) removeRegistration();
}

// Runs on a driver thread. A pass already running here or in another process holds the
// enumeration mutex; this change is then left to the next notification.
uint32_t FWC_CALL onNodeListChanged(void* /*ignored*/) {
    std::shared_lock gate(handlerGate);
    if (!handlerOpen) return 0;
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
