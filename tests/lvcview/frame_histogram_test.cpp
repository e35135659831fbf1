// The histogram counts each channel of grey and BGR frames on its own.
#include <gtest/gtest.h>

#include "frame_histogram.h"

namespace lvcview {
namespace {

TEST(FrameHistogramTest, CountsEveryChannelOfEveryPixelOnce) {
    // Two rows of two BGR pixels; the rows' padding to 4 bytes is not counted.
    QImage colour(2, 2, QImage::Format_BGR888);
    const uchar rows[2][6] = {{1, 2, 3, 1, 5, 3}, {1, 2, 200, 255, 0, 3}};
    for (int y = 0; y < 2; ++y) std::copy_n(rows[y], 6, colour.scanLine(y));
    FrameHistogram histogram;
    histogram.count(colour);
    ASSERT_EQ(histogram.channels(), 3);
    EXPECT_EQ(histogram.bins(0)[1], 3u);
    EXPECT_EQ(histogram.bins(0)[255], 1u);
    EXPECT_EQ(histogram.bins(1)[2], 2u);
    EXPECT_EQ(histogram.bins(1)[5], 1u);
    EXPECT_EQ(histogram.bins(1)[0], 1u);
    EXPECT_EQ(histogram.bins(2)[3], 3u);
    EXPECT_EQ(histogram.bins(2)[200], 1u);
    EXPECT_EQ(histogram.peak(), 3u);

    // A later grey frame replaces the counts.
    QImage grey(3, 1, QImage::Format_Grayscale8);
    grey.fill(7);
    histogram.count(grey);
    ASSERT_EQ(histogram.channels(), 1);
    EXPECT_EQ(histogram.bins(0)[7], 3u);
    EXPECT_EQ(histogram.bins(0)[1], 0u);

    histogram.count(QImage(2, 2, QImage::Format_ARGB32));
    EXPECT_EQ(histogram.channels(), 0);
    EXPECT_EQ(histogram.peak(), 1u);
}

}  // namespace
}  // namespace lvcview
