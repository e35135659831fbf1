// The status line's figures, taken at each tick: frames per second received since the last
// tick, and the time from completion callback to display of the frames shown since then.
#pragma once

#include <QString>
#include <chrono>
#include <cstdint>

#include "frame_ring.h"

namespace lvcview {

class StreamStatistics {
public:
    void restart(Clock::time_point now, int64_t received);
    void addLatency(std::chrono::microseconds latency);
    // Closes the interval that ends now with received frames in total.
    void tick(Clock::time_point now, int64_t received);

    double framesPerSecond() const { return framesPerSecond_; }
    // Mean and largest latency of the last interval, in milliseconds; 0 without frames.
    double meanLatencyMs() const { return meanLatencyMs_; }
    double maxLatencyMs() const { return maxLatencyMs_; }

private:
    Clock::time_point lastTick_{};
    int64_t lastReceived_ = 0;
    int64_t latencyCount_ = 0;
    std::chrono::microseconds latencySum_{0};
    std::chrono::microseconds latencyMax_{0};
    double framesPerSecond_ = 0;
    double meanLatencyMs_ = 0;
    double maxLatencyMs_ = 0;
};

}  // namespace lvcview
