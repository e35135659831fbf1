#include "notification_hub.h"

#include <algorithm>
#include <atomic>

#include "fw_status.h"

namespace fwc {
namespace {
constexpr size_t kMaxRegistrations = 256;

// Handles are unique in the process, not per hub: a handle kept past the library's release
// names no registration of a later hub.
std::atomic<FWC_HANDLE> lastHandle{0};

FWC_HANDLE newHandle() {
    FWC_HANDLE handle = lastHandle.fetch_add(1) + 1;
    while (handle == 0) handle = lastHandle.fetch_add(1) + 1;
    return handle;
}
}  // namespace

NotificationHub::NotificationHub() : thread_([this] { dispatch(); }) {}

NotificationHub::~NotificationHub() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

bool NotificationHub::onDispatcherThread() const {
    return thread_.get_id() == std::this_thread::get_id();
}

int32_t NotificationHub::add(uint32_t kind, const FWC_NOTIFICATION& descriptor,
                             FWC_HANDLE& handle) {
    if (descriptor.callback == nullptr) return FWC_ERR_NULL_POINTER;
    std::lock_guard lock(mutex_);
    if (registrations_.size() >= kMaxRegistrations) return FWC_ERR_TOO_MANY_NOTIFICATIONS;
    Registration registration;
    registration.handle = newHandle();
    registration.kind = kind;
    registration.cameraId = descriptor.cameraId;
    registration.callback = descriptor.callback;
    registration.context = descriptor.context;
    registrations_.push_back(registration);
    handle = registration.handle;
    return FW_STATUS_OK;
}

int32_t NotificationHub::remove(FWC_HANDLE handle) {
    std::unique_lock lock(mutex_);
    for (auto it = registrations_.begin(); it != registrations_.end(); ++it) {
        if (it->handle != handle || it->removed) continue;
        it->removed = true;
        it->pending = false;
        if (it->running) {
            if (onDispatcherThread()) {
                it->eraseOnReturn = true;  // the dispatcher erases it when the callback returns
                return FW_STATUS_OK;
            }
            changed_.wait(lock, [&] { return !it->running; });
        }
        registrations_.erase(it);
        return FW_STATUS_OK;
    }
    return FWC_ERR_UNKNOWN_HANDLE;
}

void NotificationHub::raise(uint32_t cameraId, uint32_t kind) {
    bool any = false;
    {
        std::lock_guard lock(mutex_);
        for (Registration& registration : registrations_) {
            if (!registration.removed && registration.kind == kind &&
                (registration.cameraId == cameraId || registration.cameraId == FWC_ALL_CAMERAS)) {
                registration.pending = true;
                any = true;
            }
        }
    }
    if (any) changed_.notify_all();
}

void NotificationHub::raiseNodeListChanged() { raise(FWC_ALL_CAMERAS, kNodeListKind); }

NotificationHub::Registration* NotificationHub::nextPending() {
    for (Registration& registration : registrations_)
        if (registration.pending && !registration.removed) return &registration;
    return nullptr;
}

void NotificationHub::dispatch() {
    std::unique_lock lock(mutex_);
    while (!stopping_) {
        Registration* registration = nextPending();
        if (registration == nullptr) {
            changed_.wait(lock);
            continue;
        }
        registration->pending = false;
        registration->running = true;
        // Run the others' pending calls before this one's again.
        registrations_.splice(
            registrations_.end(), registrations_,
            std::find_if(registrations_.begin(), registrations_.end(),
                         [&](const Registration& r) { return &r == registration; }));
        const FWC_NotifyCallback callback = registration->callback;
        void* const context = registration->context;
        lock.unlock();
        callback(context);
        lock.lock();
        registration->running = false;
        if (registration->eraseOnReturn) {
            const FWC_HANDLE handle = registration->handle;
            registrations_.remove_if([&](const Registration& r) { return r.handle == handle; });
        }
        changed_.notify_all();
    }
}

}  // namespace fwc
