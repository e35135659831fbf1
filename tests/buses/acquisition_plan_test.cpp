// The acquisition bookkeeping the real buses share: which starts join a plan in flight,
// and when a counted plan has its frames.
#include <gtest/gtest.h>

#include "acquisition_plan.h"

namespace {

using fwc::AcquisitionPlan;
using Start = AcquisitionPlan::Start;

struct JoinCase {
    const char* what;
    uint32_t firstCount;
    bool firstMultiShot;
    uint32_t secondCount;
    bool secondMultiShot;
    Start expected;
};

const JoinCase kJoinCases[] = {
    {"a multishot joins a multishot", 2, true, 3, true, Start::added},
    {"a grab does not join a multishot", 2, true, 3, false, Start::refused},
    {"a multishot does not join a counted grab", 2, false, 3, true, Start::refused},
    {"nothing joins a continuous grab", FWC_GRAB_CONTINUOUS, true, 3, true, Start::refused},
    {"a continuous multishot does not join", 2, true, FWC_GRAB_CONTINUOUS, true, Start::refused},
};

TEST(AcquisitionPlan, AStartJoinsAPlanInFlightOnlyAsAFurtherMultiShot) {
    for (const JoinCase& test : kJoinCases) {
        AcquisitionPlan plan;
        EXPECT_EQ(plan.join(test.firstCount, test.firstMultiShot), Start::fresh) << test.what;
        plan.begin(test.firstCount, test.firstMultiShot);
        EXPECT_EQ(plan.join(test.secondCount, test.secondMultiShot), test.expected) << test.what;
    }
}

TEST(AcquisitionPlan, ACountedPlanWantsItsFramesAndTheAddedOnesThenStartsFresh) {
    AcquisitionPlan plan;
    plan.begin(1, true);
    ASSERT_EQ(plan.join(2, true), Start::added);
    for (int frame = 0; frame < 3; ++frame) {
        EXPECT_TRUE(plan.wantsFrames()) << frame;
        plan.frameTaken();
    }
    EXPECT_FALSE(plan.wantsFrames());
    EXPECT_TRUE(plan.acquiring());
    EXPECT_EQ(plan.join(1, false), Start::fresh);
}

// 2 + (2^32 - 2) would wrap to 0 frames left.
TEST(AcquisitionPlan, AddedCountsStopShortOfTheContinuousCount) {
    AcquisitionPlan plan;
    plan.begin(2, true);
    ASSERT_EQ(plan.join(FWC_GRAB_CONTINUOUS - 1, true), Start::added);
    EXPECT_TRUE(plan.wantsFrames());
}

TEST(AcquisitionPlan, AnEndedPlanWantsNothing) {
    AcquisitionPlan plan;
    plan.begin(FWC_GRAB_CONTINUOUS, false);
    plan.frameTaken();
    EXPECT_TRUE(plan.wantsFrames());
    plan.end();
    EXPECT_FALSE(plan.wantsFrames());
    EXPECT_FALSE(plan.acquiring());
}

}  // namespace
