// The acquisition thread of a camera: it makes a frame when the camera's timing (or a
// trigger pulse) allows, renders and encodes it outside the lock into the ring's staging
// buffer, commits it and raises the frame-complete (and, on overflow, frame-dropped)
// notification.
#include <algorithm>
#include <cstring>

#include "fw_status.h"
#include "pixel_format.h"
#include "sim_camera.h"

namespace fwc {
namespace {
constexpr uint32_t kFrameBufferCountFeature = 1026;
constexpr auto kFrameWaitLimit = std::chrono::seconds(10);
}  // namespace

uint32_t SimCamera::ringSize() const {
    for (const Feature& candidate : features_)
        if (candidate.id == kFrameBufferCountFeature) return std::max<uint32_t>(candidate.value, 1);
    return 4;
}

int32_t SimCamera::startAcquisition(uint32_t count, bool multiShot) {
    std::unique_lock lock(mutex_);
    if (shutDown_) return FWC_ERR_CAMERA_UNPLUGGED;
    if (count == 0) return FWC_ERR_INVALID_ARGUMENT;
    // A further multishot adds its frames to the shots still in flight.
    if (thread_.joinable() && multiShot && multiShot_ && remaining_ != FWC_GRAB_CONTINUOUS) {
        remaining_ = static_cast<uint32_t>(
            std::min<uint64_t>(uint64_t{remaining_} + count, FWC_GRAB_CONTINUOUS - 1));
        changed_.notify_all();
        return FW_STATUS_OK;
    }
    if (const int32_t running = settleAcquisition(lock)) return running;
    // The caller's open check came before this lock, and settling may have let it go to a
    // close or an unplug: a closed camera must not start acquiring.
    if (const int32_t closed = openStatusLocked()) return closed;
    ring_.reset(ringSize(), frameBytes(format_.coding, format_.width, format_.height));
    remaining_ = count;
    multiShot_ = multiShot;
    stopRequested_ = false;
    pendingSteps_ = 0;
    pendingPulses_ = 0;
    nextDue_ = Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                  std::chrono::duration<double>(1.0 / frameRateLocked()));
    try {
        thread_ = std::thread([this] { acquisitionLoop(); });
    } catch (const std::system_error&) {
        return FWC_ERR_RESOURCES;
    }
    return FW_STATUS_OK;
}

int32_t SimCamera::stopAcquisition() {
    std::unique_lock lock(mutex_);
    if (shutDown_) return FWC_ERR_CAMERA_UNPLUGGED;
    stopThread(lock);
    return FW_STATUS_OK;
}

int32_t SimCamera::settleAcquisition(std::unique_lock<std::mutex>& lock) {
    if (thread_.joinable() && remaining_ != 0) return FWC_ERR_ACQUISITION_RUNNING;
    stopThread(lock);
    return FW_STATUS_OK;
}

// The lock is let go while the thread is joined. Meanwhile no other call may start or
// join a thread: it waits until the join is done, so a camera has one acquisition thread
// at any time and a start never clears the stop request the joined thread still needs.
void SimCamera::stopThread(std::unique_lock<std::mutex>& lock) {
    changed_.wait(lock, [this] { return !joining_; });
    if (!thread_.joinable()) return;
    stopRequested_ = true;
    joining_ = true;
    changed_.notify_all();
    std::thread finishing = std::move(thread_);
    lock.unlock();
    finishing.join();
    lock.lock();
    joining_ = false;
    remaining_ = 0;
    changed_.notify_all();
}

int32_t SimCamera::copyNewestFrame(void* buffer, uint32_t bufferSize) {
    std::lock_guard lock(mutex_);
    if (!ring_.hasFrame()) return FWC_ERR_NO_FRAME;
    const std::vector<uint8_t>& frame = ring_.newest();
    if (bufferSize != 0 && bufferSize < frame.size()) return FWC_ERR_BUFFER_TOO_SMALL;
    std::memcpy(buffer, frame.data(), frame.size());
    ring_.markFetched();
    changed_.notify_all();
    return FW_STATUS_OK;
}

int32_t SimCamera::step() {
    std::unique_lock lock(mutex_);
    if (description_.timing != Timing::manual || trigger_.active != 0)
        return FWC_ERR_INVALID_ARGUMENT;
    if (!thread_.joinable() || pendingSteps_ >= remaining_) return FWC_ERR_ACQUISITION_NOT_RUNNING;
    ++pendingSteps_;
    changed_.notify_all();
    return waitForFrame(lock, produced_ + pendingSteps_);
}

int32_t SimCamera::triggerPulse() {
    std::unique_lock lock(mutex_);
    if (!trigger_.present) return FWC_ERR_NO_TRIGGER;
    ++triggerPulses_;
    if (trigger_.active == 0 || !thread_.joinable() || pendingPulses_ >= remaining_)
        return FW_STATUS_OK;  // nobody waits for the pulse: it makes no frame
    ++pendingPulses_;
    changed_.notify_all();
    return waitForFrame(lock, produced_ + pendingPulses_);
}

int32_t SimCamera::waitForFrame(std::unique_lock<std::mutex>& lock, uint64_t target) {
    const bool made = changed_.wait_for(lock, kFrameWaitLimit, [&] {
        return produced_ >= target || !thread_.joinable() || stopRequested_;
    });
    if (!made) return FWC_ERR_RESOURCES;
    return produced_ >= target ? FW_STATUS_OK : FWC_ERR_ACQUISITION_NOT_RUNNING;
}

FrameCounters SimCamera::counters() {
    std::lock_guard lock(mutex_);
    return counters_;
}

bool SimCamera::mayProduce(std::unique_lock<std::mutex>& lock) {
    if (remaining_ == 0) {
        changed_.wait(lock);
        return false;
    }
    if (trigger_.active != 0) {
        if (pendingPulses_ > 0) {
            --pendingPulses_;
            return true;
        }
        changed_.wait(lock);
        return false;
    }
    switch (description_.timing) {
    case Timing::realtime: {
        const Clock::time_point now = Clock::now();
        if (now < nextDue_) {
            changed_.wait_until(lock, nextDue_);
            return false;
        }
        const auto period = std::chrono::duration_cast<Clock::duration>(
            std::chrono::duration<double>(1.0 / frameRateLocked()));
        nextDue_ = std::max(nextDue_ + period, now);
        return true;
    }
    case Timing::fast:
        if (ring_.waiting() == 0) return true;
        changed_.wait(lock);
        return false;
    case Timing::manual:
        if (pendingSteps_ > 0) {
            --pendingSteps_;
            return true;
        }
        changed_.wait(lock);
        return false;
    }
    return false;
}

void SimCamera::acquisitionLoop() {
    std::unique_lock lock(mutex_);
    while (!stopRequested_) {
        if (!mayProduce(lock)) continue;
        const uint32_t frameNumber = nextFrameNumber_++;
        const PixelTables tables = tables_;
        lock.unlock();
        scene_.compose(frameNumber, window(), sceneChannels(encoder_.coding), tables,
                       sceneFrame_.data());
        encodeFrame(encoder_, sceneFrame_.data(), ring_.staging().data());
        lock.lock();
        const bool dropped = ring_.commit(frameNumber);
        ++produced_;
        ++counters_.completed;
        if (dropped) ++counters_.dropped;
        if (remaining_ != FWC_GRAB_CONTINUOUS) --remaining_;
        changed_.notify_all();
        lock.unlock();
        if (dropped) host_.raise(description_.id, FWC_NOTIFY_FRAME_DROPPED);
        host_.raise(description_.id, FWC_NOTIFY_FRAME_COMPLETE);
        lock.lock();
    }
}

}  // namespace fwc
