// Named mutexes over the Windows kernel's own: shared by every process on the machine,
// recursive per thread, and an owner that ends without releasing leaves the mutex
// abandoned, which the next waiter receives as acquired.
#include "platform/named_mutex.h"

#include <new>

#include <windows.h>

namespace lvc {

class NamedMutex {
public:
    explicit NamedMutex(HANDLE handle) : handle_(handle) {}
    ~NamedMutex() { CloseHandle(handle_); }
    NamedMutex(const NamedMutex&) = delete;
    NamedMutex& operator=(const NamedMutex&) = delete;

    HANDLE handle() const { return handle_; }

private:
    HANDLE handle_;
};

namespace {

constexpr DWORD kFullMutexAccess = 0x1F0001;  // MUTEX_ALL_ACCESS

}  // namespace

NamedMutex* openOrCreateNamedMutex(const char* name) {
    HANDLE handle = OpenMutexA(kFullMutexAccess, FALSE, name);
    if (!handle) handle = CreateMutexA(nullptr, FALSE, name);
    if (!handle) return nullptr;
    auto* mutex = new (std::nothrow) NamedMutex(handle);
    if (!mutex) CloseHandle(handle);
    return mutex;
}

MutexWait waitNamedMutex(NamedMutex* mutex, uint32_t timeoutMs) {
    switch (WaitForSingleObject(mutex->handle(), timeoutMs)) {
    case WAIT_OBJECT_0:
    case WAIT_ABANDONED: return MutexWait::Acquired;
    case WAIT_TIMEOUT: return MutexWait::TimedOut;
    default: return MutexWait::Failed;
    }
}

bool releaseNamedMutex(NamedMutex* mutex) { return ReleaseMutex(mutex->handle()) != 0; }

void closeNamedMutex(NamedMutex* mutex) { delete mutex; }

}  // namespace lvc
