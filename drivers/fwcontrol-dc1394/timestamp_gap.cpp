#include "timestamp_gap.h"

namespace fwdc1394 {
namespace {

// An interval this many periods long means at least one frame went missing.
constexpr double kGapPeriods = 1.5;
// Intervals averaged before gaps are judged.
constexpr uint32_t kLearningIntervals = 4;
constexpr double kAverageWeight = 1.0 / 8.0;

}  // namespace

void TimestampGap::reset() { *this = TimestampGap(); }

bool TimestampGap::lostBefore(uint64_t timestampUs) {
    const uint64_t previous = last_;
    last_ = timestampUs;
    if (previous == 0 || timestampUs <= previous) return false;
    const auto interval = static_cast<double>(timestampUs - previous);
    if (intervals_ >= kLearningIntervals && interval > kGapPeriods * period_) return true;
    period_ = intervals_ == 0 ? interval : period_ + kAverageWeight * (interval - period_);
    if (intervals_ < kLearningIntervals) ++intervals_;
    return false;
}

}  // namespace fwdc1394
