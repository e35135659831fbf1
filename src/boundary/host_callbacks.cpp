#include "boundary/host_callbacks.h"

#include <atomic>

#include "camera/camera.h"

namespace lvc {

namespace {

std::atomic<LvcCompleteCallback> storedCompleteCallback{nullptr};
// Kept for the host; the plug-in never calls it.
std::atomic<LvcCmdCallback> storedCmdCallback{nullptr};

}  // namespace

LvcCompleteCallback completeCallback() { return storedCompleteCallback.load(); }

void storeCompleteCallback(LvcCompleteCallback callback) { storedCompleteCallback.store(callback); }

void storeCmdCallback(LvcCmdCallback callback) { storedCmdCallback.store(callback); }

// Runs on the driver's frame notification thread.
void notifyHost(CCamera* camera) {
    const LvcCompleteCallback callback = completeCallback();
    if (callback != nullptr && camera != nullptr) callback(0, camera->port);
}

}  // namespace lvc
