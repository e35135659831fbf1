// A bus host that counts what a bus raises, for tests.
#pragma once

#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <string>

#include "fwcontrol_bus.h"

namespace fwaravis::test {

constexpr uint32_t kNodeListChanged = 0xFFFF;

class RecordingHost : public fwc::BusHost {
public:
    void raise(uint32_t, uint32_t kind) override { count(kind); }
    void raiseNodeListChanged() override { count(kNodeListChanged); }
    int32_t fail(int32_t status, const std::string&) override { return status; }
    bool waitFor(uint32_t kind, uint32_t times, std::chrono::milliseconds timeout) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, timeout, [&] { return raised_[kind] >= times; });
    }

private:
    void count(uint32_t kind) {
        std::lock_guard lock(mutex_);
        ++raised_[kind];
        changed_.notify_all();
    }

    std::mutex mutex_;
    std::condition_variable changed_;
    std::map<uint32_t, uint32_t> raised_;
};

}  // namespace fwaravis::test
