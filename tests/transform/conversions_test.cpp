// Each conversion against its per-pixel reference, over sizes that stress the edges and
// the vector loops, and every Bayer phase. The inputs are noise, so any misplaced sample
// shows.
#include <gtest/gtest.h>

#include <string>

#include "fwtransform.h"
#include "transform/output_buffer.h"
#include "transform/reference_conversions.h"
#include "transform/test_images.h"

namespace fwt::test {
namespace {

struct Size {
    uint32_t width, height;
};
// Smallest images, odd sizes, widths around the vector lengths, a full VGA frame, and
// rows wider than the 16-bit demosaic's row buffers.
const Size sizes[] = {{1, 1},   {2, 2},  {3, 5},   {5, 3},     {1, 7},    {7, 1},
                      {6, 4},   {7, 9},  {17, 3},  {31, 6},    {33, 5},   {64, 4},
                      {65, 11}, {97, 2}, {130, 7}, {640, 480}, {4096, 3}, {4099, 2}};

std::string describe(Size size, uint32_t pattern) {
    return std::to_string(size.width) + "x" + std::to_string(size.height) + " pattern " +
           std::to_string(pattern);
}

TEST(Raw8ToBgr, MatchesReferenceForEverySizeAndPhase) {
    for (Size size : sizes) {
        std::size_t pixels = std::size_t{size.width} * size.height;
        std::vector<uint8_t> mosaic = randomBytes(pixels, size.width * 31 + size.height);
        for (uint32_t pattern = 0; pattern < 4; ++pattern) {
            SCOPED_TRACE(describe(size, pattern));
            OutputBuffer out(3 * pixels);
            ASSERT_EQ(FWT_Raw8ToBGR(out.data(), mosaic.data(), size.width, size.height, pattern),
                      0);
            ASSERT_EQ(out.image(),
                      referenceDemosaic(mosaic, size.width, size.height, pattern).pixels);
            ASSERT_TRUE(out.guardIntact());
        }
    }
}

// The 16-bit conversion demosaics the high bytes: the low bytes (noise here) never matter.
TEST(Raw16ToBgr, MatchesReferenceOfHighBytesForEverySizeAndPhase) {
    for (Size size : sizes) {
        std::size_t pixels = std::size_t{size.width} * size.height;
        std::vector<uint8_t> mosaic = randomBytes(pixels, size.width * 17 + size.height);
        std::vector<uint8_t> words = toBigEndian16(mosaic, 3);
        for (uint32_t pattern = 0; pattern < 4; ++pattern) {
            SCOPED_TRACE(describe(size, pattern));
            OutputBuffer out(3 * pixels);
            uint32_t options = FWT_RAW16_MSB8 | FWT_RAW16_PATTERN(pattern);
            ASSERT_EQ(FWT_Raw16ToBGR(out.data(), words.data(), size.width, size.height, options),
                      0);
            ASSERT_EQ(out.image(),
                      referenceDemosaic(mosaic, size.width, size.height, pattern).pixels);
            ASSERT_TRUE(out.guardIntact());
        }
    }
}

TEST(Raw16ToBgr, PlainOneIsRggb) {
    std::vector<uint8_t> mosaic = randomBytes(8 * 6, 5);
    std::vector<uint8_t> words = toBigEndian16(mosaic, 6);
    OutputBuffer out(3 * 8 * 6);
    ASSERT_EQ(FWT_Raw16ToBGR(out.data(), words.data(), 8, 6, 1), 0);
    EXPECT_EQ(out.image(), referenceDemosaic(mosaic, 8, 6, FWT_BAYER_RGGB).pixels);
}

TEST(CygmBinning, MatchesReferenceForEverySizeAndPhase) {
    for (Size size : sizes) {
        if (size.width % 2 != 0 || size.height % 2 != 0) continue;
        std::vector<uint8_t> progressive =
            randomBytes(std::size_t{size.width} * size.height, size.width + 7 * size.height);
        std::vector<uint8_t> fields = toFields(progressive, size.width, size.height);
        for (uint32_t pattern = 0; pattern < 4; ++pattern) {
            SCOPED_TRACE(describe(size, pattern));
            OutputBuffer out(3 * progressive.size());
            ASSERT_EQ(
                FWT_IRaw8CYGMToBGR_Bin(out.data(), fields.data(), size.width, size.height, pattern),
                0);
            ASSERT_EQ(out.image(),
                      referenceCygmBinning(progressive, size.width, size.height, pattern));
            ASSERT_TRUE(out.guardIntact());
        }
    }
}

TEST(InterlacedToProgressive, RestoresRowOrderForEverySize) {
    for (Size size : sizes) {
        SCOPED_TRACE(describe(size, 0));
        std::vector<uint8_t> progressive =
            randomBytes(std::size_t{size.width} * size.height, size.width + size.height);
        std::vector<uint8_t> fields = toFields(progressive, size.width, size.height);
        OutputBuffer out(progressive.size());
        ASSERT_EQ(FWT_InterlacedToProgressive(out.data(), fields.data(), size.width, size.height),
                  0);
        ASSERT_EQ(out.image(), progressive);
        ASSERT_TRUE(out.guardIntact());
    }
}

// Pixel counts around the vector lengths, up to a VGA frame.
const uint32_t pixelCounts[] = {4, 8, 12, 20, 44, 64, 68, 100, 132, 1000, 640 * 480};

// Every U, V pair appears: the formula is checked over its whole domain.
TEST(YuvToBgr, FollowsTheDocumentedFormulaExactly) {
    for (uint32_t count : pixelCounts) {
        SCOPED_TRACE(count);
        std::vector<uint8_t> coded422 = randomBytes(2 * std::size_t{count}, count);
        OutputBuffer out422(3 * std::size_t{count});
        ASSERT_EQ(FWT_YUV422ToBGR(out422.data(), coded422.data(), count), 0);
        ASSERT_EQ(out422.image(), referenceYuvToBgr(coded422, count, 2));
        ASSERT_TRUE(out422.guardIntact());

        std::vector<uint8_t> coded411 = randomBytes(3 * std::size_t{count} / 2, count + 1);
        OutputBuffer out411(3 * std::size_t{count});
        ASSERT_EQ(FWT_YUV411ToBGR(out411.data(), coded411.data(), count), 0);
        ASSERT_EQ(out411.image(), referenceYuvToBgr(coded411, count, 4));
        ASSERT_TRUE(out411.guardIntact());
    }
}

TEST(YuvToBgr, CoversEveryChromaPair) {
    std::vector<uint8_t> coded;
    for (int u = 0; u < 256; ++u) {
        for (int v = 0; v < 256; ++v) {
            uint8_t luma = static_cast<uint8_t>((u * 7 + v * 13) % 256);
            coded.insert(coded.end(), {static_cast<uint8_t>(u), luma, static_cast<uint8_t>(v),
                                       static_cast<uint8_t>(255 - luma)});
        }
    }
    uint32_t count = 2 * 256 * 256;
    OutputBuffer out(3 * std::size_t{count});
    ASSERT_EQ(FWT_YUV422ToBGR(out.data(), coded.data(), count), 0);
    EXPECT_EQ(out.image(), referenceYuvToBgr(coded, count, 2));
}

TEST(ByteConversions, SwapRedAndBlueAndKeepTheHighByte) {
    for (uint32_t count : pixelCounts) {
        SCOPED_TRACE(count);
        std::vector<uint8_t> rgb = randomBytes(3 * std::size_t{count}, count);
        OutputBuffer bgr(rgb.size());
        ASSERT_EQ(FWT_RGB8ToBGR(bgr.data(), rgb.data(), count), 0);
        std::vector<uint8_t> image = bgr.image();
        for (std::size_t i = 0; i < count; ++i) {
            ASSERT_EQ(image[3 * i], rgb[3 * i + 2]);
            ASSERT_EQ(image[3 * i + 1], rgb[3 * i + 1]);
            ASSERT_EQ(image[3 * i + 2], rgb[3 * i]);
        }
        ASSERT_TRUE(bgr.guardIntact());

        std::vector<uint8_t> grey16 = randomBytes(2 * std::size_t{count}, count + 2);
        OutputBuffer grey8(count);
        ASSERT_EQ(FWT_Y16ToY8(grey8.data(), grey16.data(), count), 0);
        image = grey8.image();
        for (std::size_t i = 0; i < count; ++i) ASSERT_EQ(image[i], grey16[2 * i]);
        ASSERT_TRUE(grey8.guardIntact());
    }
}

}  // namespace
}  // namespace fwt::test
