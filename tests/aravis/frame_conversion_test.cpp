#include "frame_conversion.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "fwcontrol.h"

namespace fwaravis {
namespace {

std::vector<uint32_t> randomSamples(size_t count, uint32_t bits) {
    std::mt19937 generator(static_cast<uint32_t>(count * 31 + bits));
    std::uniform_int_distribution<uint32_t> sample(0, (1u << bits) - 1);
    std::vector<uint32_t> samples(count);
    for (uint32_t& value : samples) value = sample(generator);
    // The extremes, where a lost or shifted bit shows.
    const uint32_t extremes[] = {(1u << bits) - 1, 0, 1u << (bits - 1)};
    for (size_t index = 0; index < std::size(extremes) && index < count; ++index)
        samples.at(index) = extremes[index];
    return samples;
}

// The camera's bytes, written bit by bit from the standard's description.
std::vector<uint8_t> packLsbFirst(const std::vector<uint32_t>& samples, uint32_t bits) {
    std::vector<uint8_t> bytes((samples.size() * bits + 7) / 8, 0);
    size_t position = 0;
    for (uint32_t sample : samples)
        for (uint32_t bit = 0; bit < bits; ++bit, ++position)
            if ((sample >> bit) & 1u)
                bytes[position / 8] |= static_cast<uint8_t>(1u << (position % 8));
    return bytes;
}

std::vector<uint8_t> packTwoInThree(const std::vector<uint32_t>& samples, uint32_t bits) {
    std::vector<uint8_t> bytes((samples.size() + 1) / 2 * 3, 0);
    const uint32_t low = bits - 8;
    for (size_t pair = 0; pair * 2 < samples.size(); ++pair) {
        const uint32_t first = samples[pair * 2];
        const uint32_t second = pair * 2 + 1 < samples.size() ? samples[pair * 2 + 1] : 0;
        bytes[pair * 3] = static_cast<uint8_t>(first >> low);
        bytes[pair * 3 + 1] =
            static_cast<uint8_t>((first & ((1u << low) - 1)) | ((second & ((1u << low) - 1)) << 4));
        bytes[pair * 3 + 2] = static_cast<uint8_t>(second >> low);
    }
    return bytes;
}

std::vector<uint8_t> littleEndianWords(const std::vector<uint32_t>& samples) {
    std::vector<uint8_t> bytes;
    for (uint32_t sample : samples) {
        bytes.push_back(static_cast<uint8_t>(sample & 0xFF));
        bytes.push_back(static_cast<uint8_t>(sample >> 8));
    }
    return bytes;
}

std::vector<uint8_t> expectedWords(const std::vector<uint32_t>& samples, uint32_t bits) {
    std::vector<uint8_t> bytes;
    for (uint32_t sample : samples) {
        const uint32_t word = sample * (1u << (16 - bits));
        bytes.push_back(static_cast<uint8_t>(word / 256));
        bytes.push_back(static_cast<uint8_t>(word % 256));
    }
    return bytes;
}

struct WideningCase {
    const char* shows;
    PixelLayout layout;
    uint32_t bits;
    uint32_t width;
    uint32_t height;
};

const WideningCase kWideningCases[] = {
    {"10p, whole groups of four", PixelLayout::PackedLsbFirst, 10, 8, 3},
    {"10p, a frame ending inside a group", PixelLayout::PackedLsbFirst, 10, 7, 3},
    {"10p, one pixel", PixelLayout::PackedLsbFirst, 10, 1, 1},
    {"12p, whole pairs", PixelLayout::PackedLsbFirst, 12, 6, 4},
    {"12p, odd pixel count", PixelLayout::PackedLsbFirst, 12, 5, 3},
    {"12 Packed, whole pairs", PixelLayout::PackedTwoInThree, 12, 6, 2},
    {"12 Packed, odd pixel count", PixelLayout::PackedTwoInThree, 12, 3, 3},
    {"10 Packed, whole pairs", PixelLayout::PackedTwoInThree, 10, 4, 2},
    {"10 Packed, odd pixel count", PixelLayout::PackedTwoInThree, 10, 5, 1},
    {"12-bit words moved to the top", PixelLayout::LittleEndianWords, 12, 5, 2},
    {"10-bit words moved to the top", PixelLayout::LittleEndianWords, 10, 3, 3},
    {"16-bit words only swapped", PixelLayout::LittleEndianWords, 16, 4, 2},
};

TEST(FrameConversion, WideningLayoutsGiveBigEndianWordsWithTheSampleAtTheTop) {
    for (const WideningCase& row : kWideningCases) {
        SCOPED_TRACE(row.shows);
        const PixelFormatMapping mapping{FWC_CODING_MONO16, kNoBayerPattern, row.layout, row.bits};
        const auto samples = randomSamples(size_t{row.width} * row.height, row.bits);
        std::vector<uint8_t> camera;
        if (row.layout == PixelLayout::PackedLsbFirst) camera = packLsbFirst(samples, row.bits);
        if (row.layout == PixelLayout::PackedTwoInThree) camera = packTwoInThree(samples, row.bits);
        if (row.layout == PixelLayout::LittleEndianWords) camera = littleEndianWords(samples);
        ASSERT_EQ(camera.size(), cameraFrameBytes(mapping, row.width, row.height));
        std::vector<uint8_t> out(codingFrameBytes(mapping.coding, row.width, row.height) + 1, 0xEE);
        convertFrame(mapping, camera.data(), out.data(), row.width, row.height);
        EXPECT_EQ(out.back(), 0xEE) << "wrote past the frame";
        out.pop_back();
        EXPECT_EQ(out, expectedWords(samples, row.bits));
    }
}

TEST(FrameConversion, HighBitsAboveTheSampleInAWordAreIgnored) {
    const PixelFormatMapping mapping{FWC_CODING_MONO16, kNoBayerPattern,
                                     PixelLayout::LittleEndianWords, 12};
    const uint8_t camera[] = {0xFF, 0xFF};
    uint8_t out[2] = {};
    convertFrame(mapping, camera, out, 1, 1);
    EXPECT_EQ(out[0], 0xFF);
    EXPECT_EQ(out[1], 0xF0);
}

TEST(FrameConversion, ByteOrdersOfEightBitColourBecomeTheCodings) {
    const uint8_t bgr[] = {1, 2, 3, 4, 5, 6};
    uint8_t rgb[6] = {};
    convertFrame({FWC_CODING_RGB8, kNoBayerPattern, PixelLayout::SwapRedBlue, 8}, bgr, rgb, 2, 1);
    EXPECT_EQ(std::vector<uint8_t>(rgb, rgb + 6), (std::vector<uint8_t>{3, 2, 1, 6, 5, 4}));

    const uint8_t yuyv[] = {10, 20, 11, 30, 12, 21, 13, 31};  // Y0 U Y1 V, Y2 U Y3 V
    uint8_t uyvy[8] = {};
    convertFrame({FWC_CODING_YUV422, kNoBayerPattern, PixelLayout::YuyvToUyvy, 8}, yuyv, uyvy, 4,
                 1);
    EXPECT_EQ(std::vector<uint8_t>(uyvy, uyvy + 8),
              (std::vector<uint8_t>{20, 10, 30, 11, 21, 12, 31, 13}));
}

TEST(FrameConversion, FrameSizesOfCodings) {
    EXPECT_EQ(codingFrameBytes(FWC_CODING_YUV411, 8, 2), 24u);
    EXPECT_EQ(codingFrameBytes(FWC_CODING_RAW16, 3, 3), 18u);
    EXPECT_EQ(codingFrameBytes(FWC_CODING_RGB8, 2, 2), 12u);
}

}  // namespace
}  // namespace fwaravis
