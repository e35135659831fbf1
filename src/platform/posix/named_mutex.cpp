// Named mutexes over POSIX shared memory: one robust, process-shared, recursive pthread
// mutex per name in the shared-memory object "/lvc-mutex.<name>". Robust, so a mutex whose
// owner died is handed to the next waiter (EOWNERDEAD, made consistent and taken, as a
// Windows mutex is abandoned); recursive, so its owner thread may take it again. Every
// handle of one name in a process shares one mapping, as Windows handles share one
// kernel object. The object is never removed: like the name of a Windows mutex, it means
// the same mutex to every process that opens it.
#include "platform/named_mutex.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <climits>
#include <ctime>
#include <map>
#include <mutex>
#include <new>
#include <string>
#include <thread>

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#if defined(__SANITIZE_THREAD__)
#include <sanitizer/tsan_interface.h>
#endif

namespace lvc {

namespace {

// The mapped object. A new object is all zero bytes; the first process to claim it writes
// its pid into `state` with kInitialising, sets the mutex up, then publishes kReady.
// ownerThread and depth are written by the owner only, while it holds the mutex; they let
// a release by a thread that does not own the mutex be refused without touching it.
struct SharedMutex {
    uint64_t state;
    pthread_mutex_t mutex;
    pid_t ownerThread;
    uint32_t depth;
};

constexpr uint64_t kInitialising = 1;
constexpr uint64_t kReady = 2;
constexpr uint32_t kWaitForever = 0xFFFFFFFF;
constexpr auto kInitialisationDeadline = std::chrono::seconds(5);

static_assert(std::atomic_ref<uint64_t>::is_always_lock_free &&
                  std::atomic_ref<pid_t>::is_always_lock_free,
              "the state and owner words are shared between processes");

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

SharedMutex* mapSharedMutex(const std::string& objectName) {
    const int descriptor = shm_open(objectName.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (descriptor < 0) return nullptr;
    struct stat status {};
    // Every opener grows a new object to full size; growing to the same size changes nothing.
    const bool sized = fstat(descriptor, &status) == 0 &&
                       (status.st_size >= static_cast<off_t>(sizeof(SharedMutex)) ||
                        ftruncate(descriptor, sizeof(SharedMutex)) == 0);
    void* mapping = sized ? mmap(nullptr, sizeof(SharedMutex), PROT_READ | PROT_WRITE, MAP_SHARED,
                                 descriptor, 0)
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

// The mappings of this process, one per name, with the number of open handles.
struct Mapping {
    SharedMutex* shared = nullptr;
    int handles = 0;
};
std::mutex mappingsMutex;
std::map<std::string, Mapping>& mappings() {
    static std::map<std::string, Mapping> table;
    return table;
}

SharedMutex* acquireMapping(const std::string& objectName) {
    std::lock_guard lock(mappingsMutex);
    Mapping& mapping = mappings()[objectName];
    if (mapping.shared == nullptr) mapping.shared = mapSharedMutex(objectName);
    if (mapping.shared == nullptr) {
        mappings().erase(objectName);
        return nullptr;
    }
    ++mapping.handles;
    return mapping.shared;
}

void releaseMapping(const std::string& objectName) {
    std::lock_guard lock(mappingsMutex);
    const auto found = mappings().find(objectName);
    if (found == mappings().end() || --found->second.handles > 0) return;
    munmap(found->second.shared, sizeof(SharedMutex));
    mappings().erase(found);
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

// The thread sanitizer follows pthread_mutex_timedlock only when it returns 0; an owner
// that died during the wait would leave it believing the mutex free.
void noteTakenOver([[maybe_unused]] pthread_mutex_t* mutex) {
#if defined(__SANITIZE_THREAD__)
    __tsan_mutex_pre_lock(mutex, __tsan_mutex_try_lock);
    __tsan_mutex_post_lock(mutex, __tsan_mutex_try_lock, 0);
#endif
}

// Records the calling thread as owner; an owner that died left its record behind, which
// the new owner replaces.
MutexWait taken(SharedMutex* shared, bool ownerDied) {
    std::atomic_ref<pid_t> owner(shared->ownerThread);
    if (ownerDied) {
        if (pthread_mutex_consistent(&shared->mutex) != 0) return MutexWait::Failed;
        shared->depth = 0;
    }
    owner.store(gettid());
    ++shared->depth;
    return MutexWait::Acquired;
}

MutexWait lockResult(SharedMutex* shared, int status) {
    switch (status) {
    case 0: return taken(shared, false);
    case EOWNERDEAD: return taken(shared, true);
    case EBUSY:
    case ETIMEDOUT: return MutexWait::TimedOut;
    default: return MutexWait::Failed;
    }
}

}  // namespace

class NamedMutex {
public:
    NamedMutex(std::string objectName, SharedMutex* shared)
        : objectName_(std::move(objectName)), shared_(shared) {}
    ~NamedMutex() { releaseMapping(objectName_); }
    NamedMutex(const NamedMutex&) = delete;
    NamedMutex& operator=(const NamedMutex&) = delete;

    SharedMutex* shared() { return shared_; }

private:
    std::string objectName_;
    SharedMutex* shared_;
};

NamedMutex* openOrCreateNamedMutex(const char* name) {
    if (name == nullptr || *name == '\0') return nullptr;
    std::string objectName = sharedObjectName(name);
    if (objectName.size() > NAME_MAX) return nullptr;
    SharedMutex* shared = acquireMapping(objectName);
    if (shared == nullptr) return nullptr;
    auto* mutex = new (std::nothrow) NamedMutex(objectName, shared);
    if (mutex == nullptr) releaseMapping(objectName);
    return mutex;
}

// A free or abandoned mutex is taken by the first try; only a held one is waited for.
MutexWait waitNamedMutex(NamedMutex* mutex, uint32_t timeoutMs) {
    if (mutex == nullptr) return MutexWait::Failed;
    SharedMutex* shared = mutex->shared();
    const MutexWait tried = lockResult(shared, pthread_mutex_trylock(&shared->mutex));
    if (tried != MutexWait::TimedOut || timeoutMs == 0) return tried;
    if (timeoutMs == kWaitForever) return lockResult(shared, pthread_mutex_lock(&shared->mutex));
    const timespec deadline = realTimeAfter(timeoutMs);
    const int status = pthread_mutex_timedlock(&shared->mutex, &deadline);
    if (status == EOWNERDEAD) noteTakenOver(&shared->mutex);
    return lockResult(shared, status);
}

bool releaseNamedMutex(NamedMutex* mutex) {
    if (mutex == nullptr) return false;
    SharedMutex* shared = mutex->shared();
    std::atomic_ref<pid_t> owner(shared->ownerThread);
    if (owner.load() != gettid() || shared->depth == 0) return false;
    if (--shared->depth == 0) owner.store(0);
    return pthread_mutex_unlock(&shared->mutex) == 0;
}

void closeNamedMutex(NamedMutex* mutex) { delete mutex; }

}  // namespace lvc
