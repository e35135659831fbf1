// The ring between the completion callback and the GUI thread: a full ring drops the
// newest frame, the reader always gets the newest ready one and frees the rest.
#include <gtest/gtest.h>

#include "frame_ring.h"

namespace lvcview {
namespace {

int fillAndPublish(FrameRing& ring, uchar value) {
    const int slot = ring.beginFill();
    if (slot < 0) return slot;
    for (uint32_t row = 0; row < ring.height(); ++row)
        std::fill_n(ring.row(slot, row), ring.width() * ring.bytesPerPixel(), value);
    ring.publish(slot, Clock::now());
    return slot;
}

TEST(FrameRingTest, AFullRingDropsTheNewestFrameAndCountsIt) {
    FrameRing ring(5, 3, 3);
    for (std::size_t frame = 0; frame < FrameRing::kSlots; ++frame)
        ASSERT_GE(fillAndPublish(ring, static_cast<uchar>(frame + 1)), 0);
    EXPECT_EQ(fillAndPublish(ring, 99), -1);
    EXPECT_EQ(ring.dropped(), 1);
    EXPECT_EQ(ring.published(), static_cast<int64_t>(FrameRing::kSlots));

    // The reader takes the last published frame, not the dropped one.
    const int shown = ring.takeNewest();
    ASSERT_GE(shown, 0);
    EXPECT_EQ(ring.image(shown).constScanLine(2)[14], FrameRing::kSlots);
    EXPECT_EQ(ring.takeNewest(), -1) << "nothing new arrived";
}

TEST(FrameRingTest, TheShownFrameStaysUntouchedWhileTheOthersAreRefilled) {
    FrameRing ring(4, 2, 1);
    ASSERT_GE(fillAndPublish(ring, 7), 0);
    const int shown = ring.takeNewest();
    ASSERT_GE(shown, 0);
    // Every other slot is free again; the shown one is not handed to the writer.
    for (std::size_t frame = 1; frame < FrameRing::kSlots; ++frame)
        EXPECT_NE(fillAndPublish(ring, 8), shown);
    EXPECT_EQ(fillAndPublish(ring, 9), -1);
    EXPECT_EQ(ring.image(shown).constScanLine(1)[3], 7);
    EXPECT_EQ(ring.image(shown).format(), QImage::Format_Grayscale8);

    // Taking the newest frees the previously shown slot and the older ready ones.
    const int next = ring.takeNewest();
    EXPECT_NE(next, shown);
    for (std::size_t frame = 1; frame < FrameRing::kSlots; ++frame)
        EXPECT_GE(fillAndPublish(ring, 10), 0);
}

TEST(FrameRingTest, AnAbandonedSlotIsFreeAgainAndNeverShown) {
    FrameRing ring(2, 2, 3);
    const int slot = ring.beginFill();
    ASSERT_GE(slot, 0);
    ring.abandon(slot);
    EXPECT_EQ(ring.takeNewest(), -1);
    for (std::size_t frame = 0; frame < FrameRing::kSlots; ++frame)
        EXPECT_GE(fillAndPublish(ring, 1), 0);
}

}  // namespace
}  // namespace lvcview
