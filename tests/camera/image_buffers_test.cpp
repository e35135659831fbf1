// Output pixel size per colour coding and the sizes of the two image buffers.
#include "camera/image_buffers.h"

#include <gtest/gtest.h>

#include "camera/camera.h"

namespace lvc {
namespace {

TEST(PixelSizeTest, IsTwentyFourBitsForColourCodings) {
    CCamera camera;
    for (const uint32_t coding : {1u, 2u, 3u, 4u, 6u, 8u, 9u, 10u, 133u, 135u, 136u}) {
        camera.colorCoding = coding;
        EXPECT_EQ(PixelSize(camera), 24u) << coding;
    }
    for (const uint32_t coding :
         {0u, 5u, 7u, 11u, 128u, 129u, 130u, 131u, 132u, 134u, 141u, 9999u}) {
        camera.colorCoding = coding;
        EXPECT_EQ(PixelSize(camera), 8u) << coding;
    }
}

struct SizeCase {
    const char* what;
    uint32_t coding;
    uint32_t bitDepth;
    uint32_t width;
    uint32_t height;
    uint32_t rawBytes;
    uint32_t outputBytes;
};

TEST(ImageBuffersTest, SizesTheBuffersForTheCoding) {
    const SizeCase cases[] = {
        {"Mono8", 0, 8, 640, 480, 640 * 480, 640 * 480},
        {"Mono8 reporting 16 bits", 0, 16, 4, 2, 16, 8},
        {"MONO16: three bytes per raw pixel", 5, 16, 4, 2, 24, 8},
        {"RAW8", 9, 8, 4, 2, 24, 24},
        {"YUV422", 2, 16, 4, 2, 24, 24},
        {"RGB16: six native bytes per pixel", 6, 48, 4, 2, 48, 24},
        {"SRGB16", 8, 48, 4, 2, 48, 24},
        {"RGB12: 36 native bits per pixel", 133, 36, 4, 2, 36, 24},
        {"RGBA8: four native bytes per pixel", 141, 32, 4, 2, 32, 8},
        {"no image", 9, 8, 0, 0, 0, 0},
        {"beyond 32 bits", 6, 48, 65535, 65535, 0, 0},
    };
    for (const auto& c : cases) {
        CCamera camera;
        camera.colorCoding = c.coding;
        camera.bitDepth = c.bitDepth;
        camera.width = c.width;
        camera.height = c.height;
        EXPECT_EQ(rawImageBytes(camera), c.rawBytes) << c.what;
        EXPECT_EQ(outputImageBytes(camera), c.outputBytes) << c.what;
    }
}

TEST(ImageBuffersTest, KeepsBuffersOfUnchangedSize) {
    CCamera camera;
    camera.colorCoding = 9;
    camera.bitDepth = 8;
    camera.width = 8;
    camera.height = 4;
    sizeImageBuffers(camera);
    ASSERT_NE(camera.rawImage, nullptr);
    ASSERT_NE(camera.image, nullptr);
    EXPECT_EQ(camera.rawSize, 96u);
    EXPECT_EQ(camera.imageSize, 96u);
    camera.rawImage[0] = 42;
    const uint8_t* raw = camera.rawImage.get();
    sizeImageBuffers(camera);
    EXPECT_EQ(camera.rawImage.get(), raw);
    EXPECT_EQ(camera.rawImage[0], 42);

    camera.colorCoding = 0;
    sizeImageBuffers(camera);
    EXPECT_EQ(camera.rawSize, 32u);
    EXPECT_EQ(camera.imageSize, 32u);

    freeImageBuffers(camera);
    EXPECT_EQ(camera.rawImage, nullptr);
    EXPECT_EQ(camera.image, nullptr);
    EXPECT_EQ(camera.rawSize, 0u);
    EXPECT_EQ(camera.imageSize, 0u);
}

}  // namespace
}  // namespace lvc
