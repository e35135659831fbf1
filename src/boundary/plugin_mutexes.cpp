#include "boundary/plugin_mutexes.h"

#include <atomic>

#include "diagnostics/diagnostics.h"

namespace lvc {

namespace {

constexpr const char* kEnumerationMutexName = "LORVENACAM_ENUMERATION_MUTEX";
constexpr const char* kFrameReadyMutexName = "LORVENACAM_FRAMEREADY_MUTEX";

// Read by driver notification threads; set by the first initialize. Closed by the last
// finalize only, never at exit, where a notification thread may still be using them.
std::atomic<NamedMutex*> enumerationMutex{nullptr};
std::atomic<NamedMutex*> frameReadyMutex{nullptr};

NamedMutexHandle openNamed(const char* name) {
    NamedMutexHandle mutex(openOrCreateNamedMutex(name));
    if (!mutex) debugMessage("Cannot open or create the mutex %s\n", name);
    return mutex;
}

}  // namespace

bool openPluginMutexes() {
    NamedMutexHandle enumeration = openNamed(kEnumerationMutexName);
    if (!enumeration) return false;
    NamedMutexHandle frameReady = openNamed(kFrameReadyMutexName);
    if (!frameReady) return false;
    enumerationMutex.store(enumeration.release());
    frameReadyMutex.store(frameReady.release());
    return true;
}

void closePluginMutexes() {
    closeNamedMutex(frameReadyMutex.exchange(nullptr));
    closeNamedMutex(enumerationMutex.exchange(nullptr));
}

NamedMutex* enumerationMutexHandle() { return enumerationMutex.load(); }

NamedMutex* frameReadyMutexHandle() { return frameReadyMutex.load(); }

}  // namespace lvc
