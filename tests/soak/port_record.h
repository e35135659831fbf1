// What the soak's host knows and counts of one port: whether it is open (a callback for a
// closed port is a fault), the geometry of the camera on it, and every delivered frame
// checked for its frame number and, now and then, against the scene the camera rendered.
#pragma once

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstdlib>
#include <mutex>
#include <string>
#include <vector>

#include "fwsim.h"
#include "support/plugin_host.h"

namespace lvc::soak {

using Clock = std::chrono::steady_clock;

inline int64_t millisecondsNow() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now().time_since_epoch())
        .count();
}

// The largest frame of the default bus: 768 x 576 BGR.
constexpr std::size_t kLargestFrameBytes = 768 * 576 * 3;
// Every so many frames of a port are compared with the camera's ground truth.
constexpr int64_t kGroundTruthEvery = 16;

struct Camera {
    uint32_t id;
    const char* kind;
    // Mean absolute difference per byte allowed against the ground truth: 0 where the
    // coding keeps every value; demosaicing, chroma subsampling and binning interpolate.
    double tolerance;
};

class PortRecord {
public:
    // Before openCVLPort: callbacks for the port are expected from now on.
    void opening(const Camera& camera) {
        std::lock_guard lock(mutex_);
        if (image_.empty()) {
            image_.resize(kLargestFrameBytes);
            truth_.resize(kLargestFrameBytes);
        }
        camera_ = camera;
        width_ = height_ = channels_ = 0;
        lastFrameNumber_ = 0;
        closing_ = false;
        open_ = true;
    }
    // After openCVLPort succeeded: the geometry the callbacks read rows with.
    void opened(uint32_t width, uint32_t height, uint32_t channels) {
        std::lock_guard lock(mutex_);
        width_ = width;
        height_ = height;
        channels_ = channels;
    }
    // Before closeCVLPort: a callback running meanwhile may find its rows gone.
    void closing() { closing_ = true; }
    // After closeCVLPort returned: no callback may arrive any more.
    void closed() { open_ = false; }

    // The host's CompleteCallback for this port, on the driver's thread.
    void onComplete(lvc::test::PluginHost& plugin, int32_t port) {
        if (!open_) {
            ++lateCallbacks;
            return;
        }
        {
            std::lock_guard lock(mutex_);
            checkFrame(plugin, port);
            ++frames;
        }
        lastDeliveryMs = millisecondsNow();
        delivered_.notify_all();
    }

    // True once the port has delivered more than `count` frames, false at the timeout.
    bool waitForFramesAbove(int64_t count, std::chrono::milliseconds timeout) {
        std::unique_lock lock(mutex_);
        return delivered_.wait_for(lock, timeout, [&] { return frames > count; });
    }

    std::string firstCorruption() const {
        std::lock_guard lock(mutex_);
        return firstCorruption_;
    }
    double worstError() const {
        std::lock_guard lock(mutex_);
        return worstError_;
    }

    std::atomic<int64_t> frames{0};
    std::atomic<int64_t> lateCallbacks{0};
    std::atomic<int64_t> corrupted{0};
    std::atomic<int64_t> dropsReported{0};
    std::atomic<int64_t> errorsReported{0};
    std::atomic<int64_t> dropsRaised{0};
    std::atomic<int64_t> errorsRaised{0};
    // Places in the soak's event order of the last raise and the last report of each kind.
    // The bus merges raises that arrive before its callback runs, so what must hold is that
    // a report follows the last raise.
    std::atomic<int64_t> lastDropRaised{0};
    std::atomic<int64_t> lastDropReported{0};
    std::atomic<int64_t> lastErrorRaised{0};
    std::atomic<int64_t> lastErrorReported{0};
    std::atomic<int64_t> requests{0};
    std::atomic<int64_t> refusedRequests{0};
    std::atomic<int64_t> unanswered{0};
    std::atomic<int64_t> opens{0};
    std::atomic<int64_t> refusedOpens{0};
    std::atomic<int64_t> lastDeliveryMs{millisecondsNow()};

private:
    void checkFrame(lvc::test::PluginHost& plugin, int32_t port) {
        if (width_ == 0) return corrupt("a frame before openCVLPort returned");
        const std::size_t rowBytes = std::size_t{width_} * channels_;
        for (uint32_t row = 0; row < height_; ++row)
            if (plugin.getCVLGrabRow(0, port, &image_[row * rowBytes], row, 0, width_ - 1) != 1)
                return closing_ ? void() : corrupt("row " + std::to_string(row) + " refused");
        uint32_t number = 0;
        if (FWS_ReadFrameNumber(image_.data(), width_, height_, channels_, &number) != 0)
            return corrupt("no frame number in the image");
        if (number < lastFrameNumber_)
            return corrupt("frame " + std::to_string(number) + " after frame " +
                           std::to_string(lastFrameNumber_));
        lastFrameNumber_ = number;
        if (frames % kGroundTruthEvery == 0) compareWithGroundTruth(number);
    }

    void compareWithGroundTruth(uint32_t number) {
        uint32_t channels = 0;
        if (FWS_GetGroundTruth(camera_.id, number, truth_.data(),
                               static_cast<uint32_t>(truth_.size()), &channels) != 0)
            return;  // the camera left the bus since
        if (channels != channels_) return corrupt("ground truth has other channels");
        const std::size_t bytes = std::size_t{width_} * height_ * channels_;
        double sum = 0;
        for (std::size_t index = 0; index < bytes; ++index)
            sum += std::abs(image_[index] - truth_[index]);
        const double error = sum / static_cast<double>(bytes);
        worstError_ = std::max(worstError_, error);
        if (error > camera_.tolerance)
            corrupt("frame " + std::to_string(number) + " differs from its scene by " +
                    std::to_string(error) + " per byte");
    }

    void corrupt(const std::string& what) {
        if (corrupted++ == 0) firstCorruption_ = what;
    }

    mutable std::mutex mutex_;
    std::condition_variable delivered_;
    std::atomic<bool> open_{false};
    std::atomic<bool> closing_{false};
    Camera camera_{};
    uint32_t width_ = 0;
    uint32_t height_ = 0;
    uint32_t channels_ = 0;
    uint32_t lastFrameNumber_ = 0;
    double worstError_ = 0;
    std::string firstCorruption_;
    std::vector<uint8_t> image_;
    std::vector<uint8_t> truth_;
};

}  // namespace lvc::soak
