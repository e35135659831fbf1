#include "pixel_format_map.h"

#include <arv.h>

#include "fwcontrol.h"

namespace fwaravis {
namespace {

struct FormatEntry {
    uint32_t pixelFormat;
    PixelFormatMapping mapping;
};

constexpr uint32_t kRggb = 0, kGbrg = 1, kGrbg = 2, kBggr = 3;

using L = PixelLayout;
constexpr FormatEntry kFormats[] = {
    {ARV_PIXEL_FORMAT_MONO_8, {FWC_CODING_MONO8, kNoBayerPattern, L::Copy, 8}},
    {ARV_PIXEL_FORMAT_MONO_10, {FWC_CODING_MONO16, kNoBayerPattern, L::LittleEndianWords, 10}},
    {ARV_PIXEL_FORMAT_MONO_12, {FWC_CODING_MONO16, kNoBayerPattern, L::LittleEndianWords, 12}},
    {ARV_PIXEL_FORMAT_MONO_14, {FWC_CODING_MONO16, kNoBayerPattern, L::LittleEndianWords, 14}},
    {ARV_PIXEL_FORMAT_MONO_16, {FWC_CODING_MONO16, kNoBayerPattern, L::LittleEndianWords, 16}},
    {kPixelFormatMono10p, {FWC_CODING_MONO16, kNoBayerPattern, L::PackedLsbFirst, 10}},
    {kPixelFormatMono12p, {FWC_CODING_MONO16, kNoBayerPattern, L::PackedLsbFirst, 12}},
    {ARV_PIXEL_FORMAT_MONO_10_PACKED,
     {FWC_CODING_MONO16, kNoBayerPattern, L::PackedTwoInThree, 10}},
    {ARV_PIXEL_FORMAT_MONO_12_PACKED,
     {FWC_CODING_MONO16, kNoBayerPattern, L::PackedTwoInThree, 12}},
    {ARV_PIXEL_FORMAT_RGB_8_PACKED, {FWC_CODING_RGB8, kNoBayerPattern, L::Copy, 8}},
    {ARV_PIXEL_FORMAT_BGR_8_PACKED, {FWC_CODING_RGB8, kNoBayerPattern, L::SwapRedBlue, 8}},
    {ARV_PIXEL_FORMAT_YUV_411_PACKED, {FWC_CODING_YUV411, kNoBayerPattern, L::Copy, 8}},
    {ARV_PIXEL_FORMAT_YUV_422_PACKED, {FWC_CODING_YUV422, kNoBayerPattern, L::Copy, 8}},
    {ARV_PIXEL_FORMAT_YUV_422_YUYV_PACKED, {FWC_CODING_YUV422, kNoBayerPattern, L::YuyvToUyvy, 8}},
    {ARV_PIXEL_FORMAT_YUV_444_PACKED, {FWC_CODING_YUV444, kNoBayerPattern, L::Copy, 8}},
    {ARV_PIXEL_FORMAT_BAYER_RG_8, {FWC_CODING_RAW8, kRggb, L::Copy, 8}},
    {ARV_PIXEL_FORMAT_BAYER_GB_8, {FWC_CODING_RAW8, kGbrg, L::Copy, 8}},
    {ARV_PIXEL_FORMAT_BAYER_GR_8, {FWC_CODING_RAW8, kGrbg, L::Copy, 8}},
    {ARV_PIXEL_FORMAT_BAYER_BG_8, {FWC_CODING_RAW8, kBggr, L::Copy, 8}},
    {ARV_PIXEL_FORMAT_BAYER_RG_10, {FWC_CODING_RAW16, kRggb, L::LittleEndianWords, 10}},
    {ARV_PIXEL_FORMAT_BAYER_GB_10, {FWC_CODING_RAW16, kGbrg, L::LittleEndianWords, 10}},
    {ARV_PIXEL_FORMAT_BAYER_GR_10, {FWC_CODING_RAW16, kGrbg, L::LittleEndianWords, 10}},
    {ARV_PIXEL_FORMAT_BAYER_BG_10, {FWC_CODING_RAW16, kBggr, L::LittleEndianWords, 10}},
    {ARV_PIXEL_FORMAT_BAYER_RG_12, {FWC_CODING_RAW16, kRggb, L::LittleEndianWords, 12}},
    {ARV_PIXEL_FORMAT_BAYER_GB_12, {FWC_CODING_RAW16, kGbrg, L::LittleEndianWords, 12}},
    {ARV_PIXEL_FORMAT_BAYER_GR_12, {FWC_CODING_RAW16, kGrbg, L::LittleEndianWords, 12}},
    {ARV_PIXEL_FORMAT_BAYER_BG_12, {FWC_CODING_RAW16, kBggr, L::LittleEndianWords, 12}},
    {ARV_PIXEL_FORMAT_BAYER_RG_16, {FWC_CODING_RAW16, kRggb, L::LittleEndianWords, 16}},
    {ARV_PIXEL_FORMAT_BAYER_GB_16, {FWC_CODING_RAW16, kGbrg, L::LittleEndianWords, 16}},
    {ARV_PIXEL_FORMAT_BAYER_GR_16, {FWC_CODING_RAW16, kGrbg, L::LittleEndianWords, 16}},
    {ARV_PIXEL_FORMAT_BAYER_BG_16, {FWC_CODING_RAW16, kBggr, L::LittleEndianWords, 16}},
    {ARV_PIXEL_FORMAT_BAYER_RG_10P, {FWC_CODING_RAW16, kRggb, L::PackedLsbFirst, 10}},
    {ARV_PIXEL_FORMAT_BAYER_GB_10P, {FWC_CODING_RAW16, kGbrg, L::PackedLsbFirst, 10}},
    {ARV_PIXEL_FORMAT_BAYER_GR_10P, {FWC_CODING_RAW16, kGrbg, L::PackedLsbFirst, 10}},
    {ARV_PIXEL_FORMAT_BAYER_BG_10P, {FWC_CODING_RAW16, kBggr, L::PackedLsbFirst, 10}},
    {ARV_PIXEL_FORMAT_BAYER_RG_12P, {FWC_CODING_RAW16, kRggb, L::PackedLsbFirst, 12}},
    {ARV_PIXEL_FORMAT_BAYER_GB_12P, {FWC_CODING_RAW16, kGbrg, L::PackedLsbFirst, 12}},
    {ARV_PIXEL_FORMAT_BAYER_GR_12P, {FWC_CODING_RAW16, kGrbg, L::PackedLsbFirst, 12}},
    {ARV_PIXEL_FORMAT_BAYER_BG_12P, {FWC_CODING_RAW16, kBggr, L::PackedLsbFirst, 12}},
    {ARV_PIXEL_FORMAT_BAYER_RG_10_PACKED, {FWC_CODING_RAW16, kRggb, L::PackedTwoInThree, 10}},
    {ARV_PIXEL_FORMAT_BAYER_GB_10_PACKED, {FWC_CODING_RAW16, kGbrg, L::PackedTwoInThree, 10}},
    {ARV_PIXEL_FORMAT_BAYER_GR_10_PACKED, {FWC_CODING_RAW16, kGrbg, L::PackedTwoInThree, 10}},
    {ARV_PIXEL_FORMAT_BAYER_BG_10_PACKED, {FWC_CODING_RAW16, kBggr, L::PackedTwoInThree, 10}},
    {ARV_PIXEL_FORMAT_BAYER_RG_12_PACKED, {FWC_CODING_RAW16, kRggb, L::PackedTwoInThree, 12}},
    {ARV_PIXEL_FORMAT_BAYER_GB_12_PACKED, {FWC_CODING_RAW16, kGbrg, L::PackedTwoInThree, 12}},
    {ARV_PIXEL_FORMAT_BAYER_GR_12_PACKED, {FWC_CODING_RAW16, kGrbg, L::PackedTwoInThree, 12}},
    {ARV_PIXEL_FORMAT_BAYER_BG_12_PACKED, {FWC_CODING_RAW16, kBggr, L::PackedTwoInThree, 12}},
};

}  // namespace

std::optional<PixelFormatMapping> mapPixelFormat(uint32_t pixelFormat) {
    for (const FormatEntry& entry : kFormats)
        if (entry.pixelFormat == pixelFormat) return entry.mapping;
    return std::nullopt;
}

}  // namespace fwaravis
