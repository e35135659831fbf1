#include "frame_drop_counter.h"

#include <gtest/gtest.h>

#include <vector>

namespace fwaravis {
namespace {

struct Buffer {
    bool complete;
    uint64_t frameId;
};

struct DropCase {
    const char* shows;
    std::vector<Buffer> buffers;
    uint32_t dropped;
};

const DropCase kCases[] = {
    {"consecutive ids lose nothing", {{true, 5}, {true, 6}, {true, 7}}, 0},
    {"a gap of two ids", {{true, 5}, {true, 8}}, 2},
    {"a failed buffer counts once", {{true, 5}, {false, 6}, {true, 7}}, 1},
    {"16-bit ids wrap from 65535 to 1, skipping 0",
     {{true, 65534}, {true, 65535}, {true, 1}, {true, 2}},
     0},
    {"a gap across the wrap", {{true, 65533}, {true, 2}}, 3},
    {"a counter that restarts far from the wrap is no loss", {{true, 10000}, {true, 1}}, 0},
    {"64-bit ids do not wrap", {{true, 70000}, {true, 70002}}, 1},
    {"a failed buffer without an id is one of the gap's frames",
     {{true, 10}, {false, 0}, {true, 12}},
     1},
    {"the first buffer starts the count", {{true, 1234}}, 0},
    {"buffers without ids count only their failures", {{true, 0}, {false, 0}, {true, 0}}, 1},
};

TEST(FrameDropCounter, CountsLostFramesFromStatusesAndIds) {
    for (const DropCase& row : kCases) {
        SCOPED_TRACE(row.shows);
        FrameDropCounter counter;
        uint32_t dropped = 0;
        for (const Buffer& buffer : row.buffers)
            dropped += counter.onBuffer(buffer.complete, buffer.frameId);
        EXPECT_EQ(dropped, row.dropped);
    }
}

TEST(FrameDropCounter, ResetForgetsTheLastId) {
    FrameDropCounter counter;
    counter.onBuffer(true, 100);
    counter.reset();
    EXPECT_EQ(counter.onBuffer(true, 3), 0u);
}

}  // namespace
}  // namespace fwaravis
