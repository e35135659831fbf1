// Named mutexes over POSIX shared memory: one robust, process-shared, recursive pthread
// mutex per name in the shared-memory object "/lvc-mutex.<name>". Robust, so a mutex whose
// owner died is handed to the next waiter (EOWNERDEAD, made consistent and taken, as a
// Windows mutex is abandoned); recursive, so its owner thread may take it again. The object
// is never removed: like the name of a Windows mutex, it means the same mutex to every
// process that opens it.
#include "platform/named_mutex.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <climits>
#include <ctime>
#include <new>
#include <string>
#include <thread>

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace lvc {

namespace {

// The mapped object. A new object is all zero bytes; the first process to claim it writes
// its pid into `state` with kInitialising, sets the mutex up, then publishes kReady.
struct SharedMutex {
    uint64_t state;
    pthread_mutex_t mutex;
};

constexpr uint64_t kInitialising = 1;
constexpr uint64_t kReady = 2;
constexpr uint32_t kWaitForever = 0xFFFFFFFF;
constexpr auto kInitialisationDeadline = std::chrono::seconds(5);

static_assert(std::atomic_ref<uint64_t>::is_always_lock_free,
              "the state word is shared between processes");

std::string sharedObjectName(const char* name) {
    std::string objectName = "/lvc-mutex.";
    for (const char* character = name; *character != '\0'; ++character)
        objectName += *character == '/' ? '_' : *character;
    return objectName;
}

uint64_t initialisingBy(pid_t pid) { return (static_cast<uint64_t>(pid) << 2) | kInitialising; }

bool processIsGone(uint64_t state) {
    const auto pid = static_cast<pid_t>(state >> 2);
    return kill(pid, 0) != 0 && errno == ESRCH;
}

bool initialiseMutex(pthread_mutex_t* mutex) {
    pthread_mutexattr_t attributes;
    if (pthread_mutexattr_init(&attributes) != 0) return false;
    const bool configured =
        pthread_mutexattr_setpshared(&attributes, PTHREAD_PROCESS_SHARED) == 0 &&
        pthread_mutexattr_setrobust(&attributes, PTHREAD_MUTEX_ROBUST) == 0 &&
        pthread_mutexattr_settype(&attributes, PTHREAD_MUTEX_RECURSIVE) == 0 &&
        pthread_mutex_init(mutex, &attributes) == 0;
    pthread_mutexattr_destroy(&attributes);
    return configured;
}

// Claims a new object (or one whose initialiser died half-way) and sets its mutex up, or
// waits until another process has done so. False when neither happens in time.
bool makeReady(SharedMutex* shared) {
    std::atomic_ref<uint64_t> state(shared->state);
    const uint64_t mine = initialisingBy(getpid());
    const auto deadline = std::chrono::steady_clock::now() + kInitialisationDeadline;
    for (;;) {
        uint64_t seen = state.load();
        if (seen == kReady) return true;
        const bool claimable = seen == 0 || processIsGone(seen);
        if (claimable && state.compare_exchange_strong(seen, mine)) {
            if (!initialiseMutex(&shared->mutex)) {
                state.store(0);
                return false;
            }
            state.store(kReady);
            return true;
        }
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::yield();
    }
}

SharedMutex* mapSharedMutex(const char* name) {
    const std::string objectName = sharedObjectName(name);
    if (objectName.size() > NAME_MAX) return nullptr;
    const int descriptor = shm_open(objectName.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (descriptor < 0) return nullptr;
    struct stat status {};
    // Every opener grows a new object to full size; growing to the same size changes nothing.
    const bool sized = fstat(descriptor, &status) == 0 &&
                       (status.st_size >= static_cast<off_t>(sizeof(SharedMutex)) ||
                        ftruncate(descriptor, sizeof(SharedMutex)) == 0);
    void* mapping = sized ? mmap(nullptr, sizeof(SharedMutex), PROT_READ | PROT_WRITE,
                                 MAP_SHARED, descriptor, 0)
                          : MAP_FAILED;
    close(descriptor);
    if (mapping == MAP_FAILED) return nullptr;
    auto* shared = static_cast<SharedMutex*>(mapping);
    if (!makeReady(shared)) {
        munmap(mapping, sizeof(SharedMutex));
        return nullptr;
    }
    return shared;
}

timespec realTimeAfter(uint32_t timeoutMs) {
    timespec deadline{};
    clock_gettime(CLOCK_REALTIME, &deadline);
    deadline.tv_sec += static_cast<time_t>(timeoutMs / 1000);
    deadline.tv_nsec += static_cast<long>(timeoutMs % 1000) * 1'000'000L;
    if (deadline.tv_nsec >= 1'000'000'000L) {
        deadline.tv_sec += 1;
        deadline.tv_nsec -= 1'000'000'000L;
    }
    return deadline;
}

// The result of a lock call: an owner that died leaves the mutex to this thread.
MutexWait lockResult(pthread_mutex_t* mutex, int status) {
    switch (status) {
    case 0:
        return MutexWait::Acquired;
    case EOWNERDEAD:
        return pthread_mutex_consistent(mutex) == 0 ? MutexWait::Acquired : MutexWait::Failed;
    case EBUSY:
    case ETIMEDOUT:
        return MutexWait::TimedOut;
    default:
        return MutexWait::Failed;
    }
}

}  // namespace

class NamedMutex {
public:
    explicit NamedMutex(SharedMutex* shared) : shared_(shared) {}
    ~NamedMutex() { munmap(shared_, sizeof(SharedMutex)); }
    NamedMutex(const NamedMutex&) = delete;
    NamedMutex& operator=(const NamedMutex&) = delete;

    pthread_mutex_t* mutex() { return &shared_->mutex; }

private:
    SharedMutex* shared_;
};

NamedMutex* openOrCreateNamedMutex(const char* name) {
    if (name == nullptr || *name == '\0') return nullptr;
    SharedMutex* shared = mapSharedMutex(name);
    if (shared == nullptr) return nullptr;
    auto* mutex = new (std::nothrow) NamedMutex(shared);
    if (mutex == nullptr) munmap(shared, sizeof(SharedMutex));
    return mutex;
}

// A free or abandoned mutex is taken by the first try; only a held one is waited for.
MutexWait waitNamedMutex(NamedMutex* mutex, uint32_t timeoutMs) {
    if (mutex == nullptr) return MutexWait::Failed;
    pthread_mutex_t* lock = mutex->mutex();
    const MutexWait tried = lockResult(lock, pthread_mutex_trylock(lock));
    if (tried != MutexWait::TimedOut || timeoutMs == 0) return tried;
    if (timeoutMs == kWaitForever) return lockResult(lock, pthread_mutex_lock(lock));
    const timespec deadline = realTimeAfter(timeoutMs);
    return lockResult(lock, pthread_mutex_timedlock(lock, &deadline));
}

bool releaseNamedMutex(NamedMutex* mutex) {
    return mutex != nullptr && pthread_mutex_unlock(mutex->mutex()) == 0;
}

void closeNamedMutex(NamedMutex* mutex) { delete mutex; }

}  // namespace lvc
