// The unfetched-frame count the buses share: which completed frame pushes out the oldest,
// and what a fetch or a start clears.
#include <gtest/gtest.h>

#include <string>

#include "unfetched_frames.h"

namespace {

using fwc::UnfetchedFrames;

struct CountCase {
    const char* what;
    uint32_t slots;
    // 'f': a frame completes and waits, 'd': a frame completes and pushes out the oldest,
    // 'c': a fetch or a start clears the count.
    const char* events;
    uint32_t waitingAfter;
};

constexpr uint32_t kBus = UnfetchedFrames::kBusRingSlots;

const CountCase kCountCases[] = {
    {"the fourth unfetched frame still waits", kBus, "ffff", 4},
    {"the fifth and each after it push out the oldest", kBus, "ffffddd", 4},
    {"a clear after a drop makes room for four again", kBus, "ffffdcffffd", 4},
    {"a clear of a part-filled ring makes room for four, not what was left", kBus, "ffcffffd", 4},
    {"a clear leaves none waiting", kBus, "ffc", 0},
    {"a ring of one pushes out the second", 1, "fdcfd", 1},
};

TEST(UnfetchedFrames, AFrameBeyondTheRingPushesOutTheOldestUntilAClear) {
    for (const CountCase& test : kCountCases) {
        UnfetchedFrames unfetched(test.slots);
        const std::string events = test.events;
        for (size_t step = 0; step < events.size(); ++step) {
            if (events[step] == 'c') {
                unfetched.clear();
                continue;
            }
            EXPECT_EQ(unfetched.completed(), events[step] == 'd')
                << test.what << ", event " << step;
        }
        EXPECT_EQ(unfetched.count(), test.waitingAfter) << test.what;
    }
}

}  // namespace
