// Output pixel size per colour coding and the sizes of the two image buffers.
#include "camera/image_buffers.h"

#include <gtest/gtest.h>

#include <initializer_list>

#include "camera/camera.h"

namespace lvc {
namespace {

TEST(PixelSizeTest, IsTwentyFourBitsForColourCodings) {
    CCamera camera;
    for (const uint32_t coding :
         {FWC_CODING_YUV411, FWC_CODING_YUV422, FWC_CODING_YUV444, FWC_CODING_RGB8,
          FWC_CODING_RGB16, FWC_CODING_SRGB16, FWC_CODING_RAW8, FWC_CODING_RAW16, FWC_CODING_RGB12,
          FWC_CODING_SRGB12, FWC_CODING_RAW12}) {
        camera.colorCoding = coding;
        EXPECT_EQ(PixelSize(camera), 24u) << coding;
    }
    for (const uint32_t coding : std::initializer_list<uint32_t>{
             FWC_CODING_MONO8, FWC_CODING_MONO16, FWC_CODING_SMONO16, 11u, FWC_CODING_MONO_RED,
             FWC_CODING_MONO_GREEN, FWC_CODING_MONO_BLUE, 131u, FWC_CODING_MONO12,
             FWC_CODING_SMONO12, FWC_CODING_RGBA8, 9999u}) {
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
        {"Mono8", FWC_CODING_MONO8, 8, 640, 480, 640 * 480, 640 * 480},
        {"Mono8 reporting 16 bits", FWC_CODING_MONO8, 16, 4, 2, 16, 8},
        {"MONO16: three bytes per raw pixel", FWC_CODING_MONO16, 16, 4, 2, 24, 8},
        {"RAW8", FWC_CODING_RAW8, 8, 4, 2, 24, 24},
        {"YUV422", FWC_CODING_YUV422, 16, 4, 2, 24, 24},
        {"RGB16: six native bytes per pixel", FWC_CODING_RGB16, 48, 4, 2, 48, 24},
        {"SRGB16", FWC_CODING_SRGB16, 48, 4, 2, 48, 24},
        {"RGB12: 36 native bits per pixel", FWC_CODING_RGB12, 36, 4, 2, 36, 24},
        {"RGBA8: four native bytes per pixel", FWC_CODING_RGBA8, 32, 4, 2, 32, 8},
        {"no image", FWC_CODING_RAW8, 8, 0, 0, 0, 0},
        {"beyond 32 bits", FWC_CODING_RGB16, 48, 65535, 65535, 0, 0},
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
    camera.colorCoding = FWC_CODING_RAW8;
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

    camera.colorCoding = FWC_CODING_MONO8;
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
