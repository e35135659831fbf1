// Registered notifications and the driver thread that runs their callbacks.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <list>
#include <mutex>
#include <thread>

#include "fwcontrol.h"

namespace fwc {

constexpr uint32_t kNodeListKind = 0;

class NotificationHub {
public:
    NotificationHub();
    ~NotificationHub();
    NotificationHub(const NotificationHub&) = delete;
    NotificationHub& operator=(const NotificationHub&) = delete;

    // kind: kNodeListKind or a FWC_NOTIFY_ kind. The callback and context are taken from
    // the descriptor now.
    int32_t add(uint32_t kind, const FWC_NOTIFICATION& descriptor, FWC_HANDLE& handle);
    // Returns once the callback is not running and will never run again; from inside
    // the callback itself it returns at once.
    int32_t remove(FWC_HANDLE handle);

    // Marks matching registrations pending; each runs once for any number of raises
    // that arrive before it runs. Never blocks on a callback.
    void raise(uint32_t cameraId, uint32_t kind);
    void raiseNodeListChanged();

    // True on the thread that runs the callbacks.
    bool onDispatcherThread() const;

private:
    struct Registration {
        FWC_HANDLE handle = 0;
        uint32_t kind = 0;
        uint32_t cameraId = 0;
        FWC_NotifyCallback callback = nullptr;
        void* context = nullptr;
        bool pending = false;
        bool running = false;
        bool removed = false;
        bool eraseOnReturn = false;
    };

    void dispatch();
    Registration* nextPending();

    std::mutex mutex_;
    std::condition_variable changed_;
    std::list<Registration> registrations_;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace fwc
