// A named mutex shared by every process on the machine: recursive per thread, and an
// owner that dies leaves it to the next waiter (acquired, like an abandoned mutex).
#pragma once

#include <cstdint>
#include <memory>

namespace lvc {

class NamedMutex;

enum class MutexWait { Acquired, TimedOut, Failed };

// Opens the mutex of this name, or creates it unowned when it does not exist yet.
// Returns null on failure.
NamedMutex* openOrCreateNamedMutex(const char* name);
// Waits at most timeoutMs (0: try without waiting; 0xFFFFFFFF: no limit). A mutex whose
// owner ended without releasing it is acquired. Null: Failed.
MutexWait waitNamedMutex(NamedMutex* mutex, uint32_t timeoutMs);
// Releases one acquisition by the calling thread; false when it does not own the mutex.
bool releaseNamedMutex(NamedMutex* mutex);
// Closes this process's handle, after the mutex was released; null is ignored.
void closeNamedMutex(NamedMutex* mutex);

struct NamedMutexCloser {
    void operator()(NamedMutex* mutex) const { closeNamedMutex(mutex); }
};
// This process's handle of a named mutex, closed when it goes.
using NamedMutexHandle = std::unique_ptr<NamedMutex, NamedMutexCloser>;

}  // namespace lvc
