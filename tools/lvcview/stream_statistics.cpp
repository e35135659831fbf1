#include "stream_statistics.h"

#include <algorithm>

namespace lvcview {

void StreamStatistics::restart(Clock::time_point now, int64_t received) {
    *this = StreamStatistics();
    lastTick_ = now;
    lastReceived_ = received;
}

void StreamStatistics::addLatency(std::chrono::microseconds latency) {
    ++latencyCount_;
    latencySum_ += latency;
    latencyMax_ = std::max(latencyMax_, latency);
}

void StreamStatistics::tick(Clock::time_point now, int64_t received) {
    const double seconds = std::chrono::duration<double>(now - lastTick_).count();
    if (seconds <= 0) return;
    framesPerSecond_ = static_cast<double>(received - lastReceived_) / seconds;
    meanLatencyMs_ =
        latencyCount_ ? static_cast<double>(latencySum_.count()) / latencyCount_ / 1000.0 : 0;
    maxLatencyMs_ = static_cast<double>(latencyMax_.count()) / 1000.0;
    lastTick_ = now;
    lastReceived_ = received;
    latencyCount_ = 0;
    latencySum_ = {};
    latencyMax_ = {};
}

}  // namespace lvcview
