// The newest frame kept in libdc1394's buffers: which frames may go back to it and in what
// order, and what a fetch gets before, during and after a capture.
#include "newest_dma_frame.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

#include "fw_status.h"

namespace fwdc1394 {
namespace {

constexpr size_t kFrameBytes = 4;

// A ring of four frames, each frame's bytes all its index.
class NewestDmaFrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (size_t i = 0; i < frames_.size(); ++i) {
            pixels_[i].fill(static_cast<uint8_t>(i));
            frames_[i].image = pixels_[i].data();
            frames_[i].id = static_cast<uint32_t>(i);
        }
        newest_.start(static_cast<uint32_t>(frames_.size()), kFrameBytes);
    }

    void takeAndKeep(size_t frame) {
        newest_.taken(&frames_[frame]);
        newest_.replace(&frames_[frame]);
    }

    std::vector<uint8_t> fetch(int32_t expected = FW_STATUS_OK) {
        std::vector<uint8_t> out(kFrameBytes, 0xEE);
        EXPECT_EQ(newest_.copyNewest(out.data(), kFrameBytes), expected);
        return out;
    }

    std::array<std::array<uint8_t, kFrameBytes>, 4> pixels_{};
    std::array<dc1394video_frame_t, 4> frames_{};
    NewestDmaFrame newest_;
};

TEST_F(NewestDmaFrameTest, FramesGoBackInTheOrderTheyCameOutButNeverTheNewest) {
    fetch(FWC_ERR_NO_FRAME);
    takeAndKeep(0);
    newest_.taken(&frames_[1]);  // corrupt: not kept
    takeAndKeep(2);
    EXPECT_EQ(newest_.outstanding(), 3u);
    EXPECT_EQ(newest_.nextToGiveBack(), &frames_[0]);
    EXPECT_EQ(newest_.nextToGiveBack(), &frames_[1]);
    EXPECT_EQ(newest_.nextToGiveBack(), nullptr);
    EXPECT_EQ(newest_.outstanding(), 1u);
    EXPECT_EQ(fetch(), std::vector<uint8_t>(kFrameBytes, 2));
    // A frame not kept, behind the newest: the newest moves into the copy and goes back
    // first, and libdc1394 may refill it.
    newest_.taken(&frames_[3]);
    EXPECT_EQ(newest_.nextToGiveBack(), &frames_[2]);
    EXPECT_EQ(newest_.nextToGiveBack(), &frames_[3]);
    EXPECT_EQ(newest_.nextToGiveBack(), nullptr);
    pixels_[2].fill(0x55);
    EXPECT_EQ(fetch(), std::vector<uint8_t>(kFrameBytes, 2));
    takeAndKeep(0);
    EXPECT_EQ(newest_.nextToGiveBack(), nullptr);
    EXPECT_EQ(fetch(), std::vector<uint8_t>(kFrameBytes, 0));
}

// libdc1394's ring has no buffer left: the newest goes back too, its pixels kept.
TEST_F(NewestDmaFrameTest, ReleasingTheNewestKeepsItFetchable) {
    takeAndKeep(1);
    EXPECT_EQ(newest_.releaseOldest(), &frames_[1]);
    EXPECT_EQ(newest_.outstanding(), 0u);
    pixels_[1].fill(0x55);
    EXPECT_EQ(fetch(), std::vector<uint8_t>(kFrameBytes, 1));
}

TEST_F(NewestDmaFrameTest, TheNewestStaysFetchableFromACopyAfterTheStop) {
    takeAndKeep(1);
    newest_.stop();
    pixels_[1].fill(0x55);  // libdc1394 has freed its buffers
    EXPECT_EQ(fetch(), std::vector<uint8_t>(kFrameBytes, 1));
    EXPECT_EQ(fetch(), std::vector<uint8_t>(kFrameBytes, 1));
    std::vector<uint8_t> small(kFrameBytes - 1);
    EXPECT_EQ(newest_.copyNewest(small.data(), kFrameBytes - 1), FWC_ERR_BUFFER_TOO_SMALL);
    EXPECT_EQ(newest_.outstanding(), 0u);
    EXPECT_EQ(newest_.nextToGiveBack(), nullptr);

    newest_.start(static_cast<uint32_t>(frames_.size()), kFrameBytes);
    fetch(FWC_ERR_NO_FRAME);
}

TEST_F(NewestDmaFrameTest, AStopBeforeAnyFrameLeavesNothingToFetch) {
    newest_.taken(&frames_[0]);
    newest_.stop();
    fetch(FWC_ERR_NO_FRAME);
}

}  // namespace
}  // namespace fwdc1394
