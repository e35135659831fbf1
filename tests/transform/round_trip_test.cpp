// Scene -> camera coding -> conversion: the result stays within a stated distance of the
// scene for each coding, borders included.
#include <gtest/gtest.h>

#include "fwtransform.h"
#include "transform/image_comparison.h"
#include "transform/output_buffer.h"
#include "transform/test_images.h"

namespace fwt::test {
namespace {

constexpr uint32_t width = 160;
constexpr uint32_t height = 120;
constexpr std::size_t pixels = std::size_t{width} * height;

TEST(RoundTrip, ExactCodingsComeBackUnchanged) {
    BgrImage scene = smoothScene(width, height);
    OutputBuffer bgr(3 * pixels);
    ASSERT_EQ(FWT_RGB8ToBGR(bgr.data(), rgb8(scene).data(), pixels), 0);
    EXPECT_EQ(bgr.image(), scene.pixels);

    std::vector<uint8_t> grey(pixels);
    for (std::size_t i = 0; i < pixels; ++i) grey[i] = scene.pixels[3 * i + 1];
    OutputBuffer grey8(pixels);
    ASSERT_EQ(FWT_Y16ToY8(grey8.data(), toBigEndian16(grey, 1).data(), pixels), 0);
    EXPECT_EQ(grey8.image(), grey);
}

// Rounding of Y, U and V costs up to 2 levels. Chroma shared by a group departs from a
// pixel's own by up to half the group's chroma slope: on this scene (U changes by about
// 2 levels per pixel) 1 more level for 4:2:2, 5 more for 4:1:1.
TEST(RoundTrip, YuvWithinChromaSubsamplingError) {
    BgrImage scene = smoothScene(width, height);
    OutputBuffer out(3 * pixels);
    ASSERT_EQ(FWT_YUV422ToBGR(out.data(), yuv422(scene).data(), pixels), 0);
    EXPECT_LE(maxDifference(scene, out.image()), 3);
    ASSERT_EQ(FWT_YUV411ToBGR(out.data(), yuv411(scene).data(), pixels), 0);
    EXPECT_LE(maxDifference(scene, out.image()), 7);
}

// Interpolation of a smooth scene is close everywhere; the mirrored border is a little
// less accurate than the inside.
TEST(RoundTrip, BayerWithinInterpolationErrorEverywhere) {
    BgrImage scene = smoothScene(width, height);
    for (uint32_t pattern = 0; pattern < 4; ++pattern) {
        SCOPED_TRACE(pattern);
        std::vector<uint8_t> mosaic = bayerMosaic(scene, pattern);
        OutputBuffer out(3 * pixels);
        ASSERT_EQ(FWT_Raw8ToBGR(out.data(), mosaic.data(), width, height, pattern), 0);
        EXPECT_LE(maxDifference(scene, out.image(), 2), 2);
        EXPECT_LE(maxDifference(scene, out.image()), 6);

        ASSERT_EQ(FWT_Raw16ToBGR(out.data(), toBigEndian16(mosaic, 2).data(), width, height,
                                 FWT_RAW16_MSB8 | FWT_RAW16_PATTERN(pattern)),
                  0);
        EXPECT_LE(maxDifference(scene, out.image(), 2), 2);
        EXPECT_LE(maxDifference(scene, out.image()), 6);
    }
}

// A scene of one colour per cell comes back within the rounding of the halved sums.
TEST(RoundTrip, CygmCellsComeBackWithinOneLevel) {
    BgrImage scene = cellScene(width, height);
    for (uint32_t pattern = 0; pattern < 4; ++pattern) {
        SCOPED_TRACE(pattern);
        std::vector<uint8_t> fields = toFields(cygmMosaic(scene, pattern), width, height);
        OutputBuffer out(3 * pixels);
        ASSERT_EQ(FWT_IRaw8CYGMToBGR_Bin(out.data(), fields.data(), width, height, pattern), 0);
        EXPECT_LE(maxDifference(scene, out.image()), 1);
    }
}

}  // namespace
}  // namespace fwt::test
