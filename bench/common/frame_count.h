// Frames a callback has handed over. The benchmark thread waits for a count and is woken
// only when the callback reaches it, so waiting for a batch costs one wake-up, not one
// per frame.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace bench {

class FrameCount {
public:
    void add() {
        std::lock_guard lock(mutex_);
        if (++count_ == target_) reached_.notify_one();
    }
    // The count once it reaches target, or less once `patience` passes without a frame.
    uint64_t waitFor(uint64_t target, std::chrono::milliseconds patience) {
        std::unique_lock lock(mutex_);
        target_ = target;
        uint64_t before = count_;
        while (count_ < target) {
            reached_.wait_for(lock, patience);
            if (count_ == before) break;
            before = count_;
        }
        return count_;
    }
    uint64_t count() {
        std::lock_guard lock(mutex_);
        return count_;
    }

private:
    std::mutex mutex_;
    std::condition_variable reached_;
    uint64_t count_ = 0;
    uint64_t target_ = 0;
};

}  // namespace bench
