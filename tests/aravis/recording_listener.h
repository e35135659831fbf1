// A stream listener that keeps the newest frame and counts what arrives, for tests.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <vector>

#include "stream_listener.h"

namespace fwaravis::test {

class RecordingListener : public StreamListener {
public:
    uint8_t* frameDestination(size_t bytes) override {
        std::lock_guard lock(mutex_);
        if (staging_.size() != bytes) staging_.resize(bytes);
        return staging_.data();
    }
    void frameCompleted(uint64_t frameId) override {
        std::lock_guard lock(mutex_);
        newest_ = staging_;
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
    std::vector<uint8_t> newest() {
        std::lock_guard lock(mutex_);
        return newest_;
    }
    uint32_t completed() {
        std::lock_guard lock(mutex_);
        return completed_;
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<uint8_t> staging_;
    std::vector<uint8_t> newest_;
    uint64_t lastFrameId_ = 0;
    uint32_t completed_ = 0;
    uint32_t dropped_ = 0;
    bool lost_ = false;
};

}  // namespace fwaravis::test
