// Lost frames from host timestamps: a steady stream has none, a missing frame shows as
// one gap, and frames completing close together are no loss.
#include <gtest/gtest.h>

#include <vector>

#include "timestamp_gap.h"

namespace fwdc1394 {
namespace {

std::vector<bool> lossesOf(const std::vector<uint64_t>& timestamps) {
    TimestampGap gap;
    std::vector<bool> losses;
    for (const uint64_t timestamp : timestamps) losses.push_back(gap.lostBefore(timestamp));
    return losses;
}

TEST(TimestampGap, SteadyStreamWithJitterLosesNothing) {
    EXPECT_EQ(lossesOf({1000, 2000, 3050, 3990, 5000, 6100, 7000, 8000}),
              std::vector<bool>(8, false));
}

TEST(TimestampGap, AMissingFrameIsOneLoss) {
    EXPECT_EQ(lossesOf({1000, 2000, 3000, 4000, 5000, 7000, 8000, 9000}),
              (std::vector<bool>{false, false, false, false, false, true, false, false}));
}

TEST(TimestampGap, GapsBeforeThePeriodIsLearntAreNotJudged) {
    EXPECT_EQ(lossesOf({1000, 2000, 4000}), std::vector<bool>(3, false));
}

TEST(TimestampGap, FramesCompletingCloseTogetherAreNoLossAfterwards) {
    // Two frames completing almost at once lower the learnt period only a little.
    EXPECT_EQ(lossesOf({1000, 2000, 3000, 4000, 5000, 6000, 6010, 6020, 7000, 8000}),
              std::vector<bool>(10, false));
}

TEST(TimestampGap, ResetStartsANewStream) {
    TimestampGap gap;
    for (const uint64_t timestamp : {1000u, 2000u, 3000u, 4000u, 5000u, 6000u})
        gap.lostBefore(timestamp);
    gap.reset();
    EXPECT_FALSE(gap.lostBefore(100000));
    EXPECT_FALSE(gap.lostBefore(200000));
}

}  // namespace
}  // namespace fwdc1394
