#include "pixel_format_map.h"

#include <arv.h>
#include <gtest/gtest.h>

#include "fwcontrol.h"

namespace fwaravis {
namespace {

struct FormatCase {
    const char* shows;
    uint32_t pixelFormat;
    uint32_t coding;
    uint32_t bayerPattern;
    PixelLayout layout;
    uint32_t significantBits;
};

const FormatCase kCases[] = {
    {"Mono8 as it is", ARV_PIXEL_FORMAT_MONO_8, FWC_CODING_MONO8, kNoBayerPattern,
     PixelLayout::Copy, 8},
    {"Mono12 widened from LE words", ARV_PIXEL_FORMAT_MONO_12, FWC_CODING_MONO16, kNoBayerPattern,
     PixelLayout::LittleEndianWords, 12},
    {"Mono16 byte-swapped", ARV_PIXEL_FORMAT_MONO_16, FWC_CODING_MONO16, kNoBayerPattern,
     PixelLayout::LittleEndianWords, 16},
    {"Mono10p unpacked", kPixelFormatMono10p, FWC_CODING_MONO16, kNoBayerPattern,
     PixelLayout::PackedLsbFirst, 10},
    {"Mono12p unpacked", kPixelFormatMono12p, FWC_CODING_MONO16, kNoBayerPattern,
     PixelLayout::PackedLsbFirst, 12},
    {"Mono12Packed unpacked", ARV_PIXEL_FORMAT_MONO_12_PACKED, FWC_CODING_MONO16, kNoBayerPattern,
     PixelLayout::PackedTwoInThree, 12},
    {"RGB8 as it is", ARV_PIXEL_FORMAT_RGB_8_PACKED, FWC_CODING_RGB8, kNoBayerPattern,
     PixelLayout::Copy, 8},
    {"BGR8 swapped", ARV_PIXEL_FORMAT_BGR_8_PACKED, FWC_CODING_RGB8, kNoBayerPattern,
     PixelLayout::SwapRedBlue, 8},
    {"YUV422 UYVY as it is", ARV_PIXEL_FORMAT_YUV_422_PACKED, FWC_CODING_YUV422, kNoBayerPattern,
     PixelLayout::Copy, 8},
    {"YUV422 YUYV reordered", ARV_PIXEL_FORMAT_YUV_422_YUYV_PACKED, FWC_CODING_YUV422,
     kNoBayerPattern, PixelLayout::YuyvToUyvy, 8},
    {"YUV411", ARV_PIXEL_FORMAT_YUV_411_PACKED, FWC_CODING_YUV411, kNoBayerPattern,
     PixelLayout::Copy, 8},
    {"YUV444", ARV_PIXEL_FORMAT_YUV_444_PACKED, FWC_CODING_YUV444, kNoBayerPattern,
     PixelLayout::Copy, 8},
    {"BayerRG8 is RGGB", ARV_PIXEL_FORMAT_BAYER_RG_8, FWC_CODING_RAW8, 0, PixelLayout::Copy, 8},
    {"BayerGB8 is GBRG", ARV_PIXEL_FORMAT_BAYER_GB_8, FWC_CODING_RAW8, 1, PixelLayout::Copy, 8},
    {"BayerGR8 is GRBG", ARV_PIXEL_FORMAT_BAYER_GR_8, FWC_CODING_RAW8, 2, PixelLayout::Copy, 8},
    {"BayerBG8 is BGGR", ARV_PIXEL_FORMAT_BAYER_BG_8, FWC_CODING_RAW8, 3, PixelLayout::Copy, 8},
    {"BayerGR10 widened", ARV_PIXEL_FORMAT_BAYER_GR_10, FWC_CODING_RAW16, 2,
     PixelLayout::LittleEndianWords, 10},
    {"BayerBG16 byte-swapped", ARV_PIXEL_FORMAT_BAYER_BG_16, FWC_CODING_RAW16, 3,
     PixelLayout::LittleEndianWords, 16},
    {"BayerRG12p unpacked", ARV_PIXEL_FORMAT_BAYER_RG_12P, FWC_CODING_RAW16, 0,
     PixelLayout::PackedLsbFirst, 12},
    {"BayerGB10p unpacked", ARV_PIXEL_FORMAT_BAYER_GB_10P, FWC_CODING_RAW16, 1,
     PixelLayout::PackedLsbFirst, 10},
    {"BayerBG12Packed unpacked", ARV_PIXEL_FORMAT_BAYER_BG_12_PACKED, FWC_CODING_RAW16, 3,
     PixelLayout::PackedTwoInThree, 12},
    {"BayerGR10Packed unpacked", ARV_PIXEL_FORMAT_BAYER_GR_10_PACKED, FWC_CODING_RAW16, 2,
     PixelLayout::PackedTwoInThree, 10},
};

TEST(PixelFormatMap, EveryOfferedFormatHasItsCodingPhaseAndLayout) {
    for (const FormatCase& row : kCases) {
        SCOPED_TRACE(row.shows);
        const auto mapping = mapPixelFormat(row.pixelFormat);
        ASSERT_TRUE(mapping.has_value());
        EXPECT_EQ(mapping->coding, row.coding);
        EXPECT_EQ(mapping->bayerPattern, row.bayerPattern);
        EXPECT_EQ(mapping->layout, row.layout);
        EXPECT_EQ(mapping->significantBits, row.significantBits);
    }
}

TEST(PixelFormatMap, FormatsWithoutACodingAreNotOffered) {
    const uint32_t unmapped[] = {ARV_PIXEL_FORMAT_MONO_8_SIGNED, ARV_PIXEL_FORMAT_RGBA_8_PACKED,
                                 ARV_PIXEL_FORMAT_RGB_8_PLANAR,  ARV_PIXEL_FORMAT_COORD3D_A_8,
                                 ARV_PIXEL_FORMAT_RGB_12_PACKED, 0};
    for (uint32_t format : unmapped)
        EXPECT_FALSE(mapPixelFormat(format).has_value()) << std::hex << format;
}

}  // namespace
}  // namespace fwaravis
