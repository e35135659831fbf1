// A stream listener that takes every frame and counts what arrives, for tests.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <vector>

#include "fw_status.h"
#include "stream_listener.h"

namespace fwaravis::test {

class RecordingListener : public StreamListener {
public:
    NewestFrame& newestFrame() override { return frames_; }
    bool wantsFrame(size_t) override { return true; }
    void frameCompleted(uint64_t frameId) override {
        std::lock_guard lock(mutex_);
        lastFrameId_ = frameId;
        ++completed_;
        changed_.notify_all();
    }
    void framesDropped(uint32_t count) override {
        std::lock_guard lock(mutex_);
        dropped_ += count;
        changed_.notify_all();
    }
    void controlLost() override {
        std::lock_guard lock(mutex_);
        lost_ = true;
        changed_.notify_all();
    }

    bool waitForFrames(uint32_t count, std::chrono::milliseconds timeout) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, timeout, [&] { return completed_ >= count; });
    }
    bool waitForDrops(uint32_t count, std::chrono::milliseconds timeout) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, timeout, [&] { return dropped_ >= count; });
    }
    bool waitForLoss(std::chrono::milliseconds timeout) {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, timeout, [&] { return lost_; });
    }
    // The newest frame in the library's coding; empty before the first.
    std::vector<uint8_t> newest() {
        std::vector<uint8_t> frame(frames_.frameBytes());
        if (frames_.copyNewest(frame.data(), frame.size()) != FW_STATUS_OK) frame.clear();
        return frame;
    }
    uint32_t completed() {
        std::lock_guard lock(mutex_);
        return completed_;
    }

private:
    NewestFrame frames_;
    std::mutex mutex_;
    std::condition_variable changed_;
    uint64_t lastFrameId_ = 0;
    uint32_t completed_ = 0;
    uint32_t dropped_ = 0;
    bool lost_ = false;
};

}  // namespace fwaravis::test
