#include "boundary/plugin_mutexes.h"

#include <atomic>

#include "boundary/diagnostics.h"
#include "boundary/plugin_state.h"

namespace lvc {

namespace {

constexpr const char* kEnumerationMutexName = "LORVENACAM_ENUMERATION_MUTEX";
constexpr const char* kFrameReadyMutexName = "LORVENACAM_FRAMEREADY_MUTEX";

// Read by driver notification threads; set and cleared by initialize and finalize.
std::atomic<NamedMutex*> enumerationMutex{nullptr};
std::atomic<NamedMutex*> frameReadyMutex{nullptr};

bool openInto(std::atomic<NamedMutex*>& handle, const char* name) {
    NamedMutex* mutex = openOrCreateNamedMutex(name);
    if (mutex == nullptr) debugMessage("Cannot open or create the mutex %s\n", name);
    handle.store(mutex);
    return mutex != nullptr;
}

}  // namespace

bool openPluginMutexes() {
    if (openInto(enumerationMutex, kEnumerationMutexName) &&
        openInto(frameReadyMutex, kFrameReadyMutexName))
        return true;
    closePluginMutexes();
    return false;
}

void closePluginMutexes() {
    closeNamedMutex(frameReadyMutex.exchange(nullptr));
    closeNamedMutex(enumerationMutex.exchange(nullptr));
}

NamedMutex* enumerationMutexHandle() { return enumerationMutex.load(); }

NamedMutex* frameReadyMutexHandle() { return frameReadyMutex.load(); }

}  // namespace lvc
