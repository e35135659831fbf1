// Every kernel tier this processor runs must give the plain reference's bytes, over sizes
// around each tier's vector length, and write nothing past its output. The library picks
// one tier per processor: the other tests cover that one through the exported calls.
#include <gtest/gtest.h>

#include <string>

#include "fwtransform.h"
#include "kernels/kernel_set.h"
#include "kernels/processor_tier.h"
#include "transform/output_buffer.h"
#include "transform/reference_conversions.h"
#include "transform/test_images.h"

namespace fwt::test {
namespace {

struct Size {
    std::size_t width, height;
};
// Smallest images, odd widths, widths just below, at and above a vector of 16, 32 and 64
// bytes and a Bayer block's reach (vector + 4 columns), a VGA row, and rows wider than the
// 16-bit demosaic's row ring.
const Size sizes[] = {{1, 1},  {2, 2},  {3, 5},  {6, 4},   {7, 1},   {15, 2},  {16, 3},
                      {17, 2}, {19, 3}, {20, 2}, {21, 5},  {31, 2},  {32, 4},  {33, 5},
                      {35, 2}, {36, 3}, {37, 2}, {63, 2},  {64, 5},  {65, 2},  {67, 3},
                      {68, 2}, {69, 4}, {97, 2}, {130, 3}, {640, 4}, {4099, 2}};

std::vector<uint8_t> highBytes(const std::vector<uint8_t>& words) {
    std::vector<uint8_t> bytes(words.size() / 2);
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = words[2 * i];
    return bytes;
}

// Progressive rows from field-sequential ones (even rows first): the inverse of toFields.
std::vector<uint8_t> fromFields(const std::vector<uint8_t>& fields, Size size) {
    std::vector<uint8_t> rows(fields.size());
    std::size_t evenRows = (size.height + 1) / 2;
    for (std::size_t row = 0; row < size.height; ++row) {
        std::size_t fieldRow = row % 2 == 0 ? row / 2 : evenRows + row / 2;
        std::copy_n(fields.begin() + static_cast<std::ptrdiff_t>(fieldRow * size.width), size.width,
                    rows.begin() + static_cast<std::ptrdiff_t>(row * size.width));
    }
    return rows;
}

// A conversion of a random input of exactly inputBytesPerTwoPixels bytes per two pixels
// (an overread shows under the address sanitizer): its run through a kernel set and the
// reference's output. Stream conversions take whole coding groups of
// the image's pixels.
struct Conversion {
    const char* name;
    std::size_t inputBytesPerTwoPixels;
    bool bayerPatterns;
    bool evenSizesOnly;
    void (*run)(const KernelSet&, uint8_t* out, const uint8_t* in, Size, uint32_t pattern);
    std::vector<uint8_t> (*expected)(const std::vector<uint8_t>& in, Size, uint32_t pattern);
};

std::size_t pixelsOf(Size size) { return size.width * size.height; }

const Conversion conversions[] = {
    {"raw8", 2, true, false,
     [](const KernelSet& set, uint8_t* out, const uint8_t* in, Size size, uint32_t pattern) {
         set.raw8ToBgr(out, in, size.width, size.height, pattern);
     },
     [](const std::vector<uint8_t>& in, Size size, uint32_t pattern) {
         return referenceDemosaic(in, size.width, size.height, pattern).pixels;
     }},
    {"raw16", 4, true, false,
     [](const KernelSet& set, uint8_t* out, const uint8_t* in, Size size, uint32_t pattern) {
         set.raw16ToBgr(out, in, size.width, size.height, pattern);
     },
     [](const std::vector<uint8_t>& in, Size size, uint32_t pattern) {
         return referenceDemosaic(highBytes(in), size.width, size.height, pattern).pixels;
     }},
    {"cygm", 2, true, true,
     [](const KernelSet& set, uint8_t* out, const uint8_t* in, Size size, uint32_t pattern) {
         set.cygmToBgr(out, in, size.width, size.height, pattern);
     },
     [](const std::vector<uint8_t>& in, Size size, uint32_t pattern) {
         return referenceCygmBinning(fromFields(in, size), size.width, size.height, pattern);
     }},
    {"yuv422", 4, false, false,
     [](const KernelSet& set, uint8_t* out, const uint8_t* in, Size size, uint32_t) {
         set.yuv422ToBgr(out, in, pixelsOf(size) / 2);
     },
     [](const std::vector<uint8_t>& in, Size size, uint32_t) {
         return referenceYuvToBgr(in, pixelsOf(size) / 2 * 2, 2);
     }},
    {"yuv411", 3, false, false,
     [](const KernelSet& set, uint8_t* out, const uint8_t* in, Size size, uint32_t) {
         set.yuv411ToBgr(out, in, pixelsOf(size) / 4);
     },
     [](const std::vector<uint8_t>& in, Size size, uint32_t) {
         return referenceYuvToBgr(in, pixelsOf(size) / 4 * 4, 4);
     }},
    {"rgb", 6, false, false,
     [](const KernelSet& set, uint8_t* out, const uint8_t* in, Size size, uint32_t) {
         set.rgbToBgr(out, in, pixelsOf(size));
     },
     [](const std::vector<uint8_t>& in, Size, uint32_t) {
         std::vector<uint8_t> bgr(in.size());
         for (std::size_t i = 0; i + 2 < in.size(); i += 3)
             bgr[i] = in[i + 2], bgr[i + 1] = in[i + 1], bgr[i + 2] = in[i];
         return bgr;
     }},
    {"grey16", 4, false, false,
     [](const KernelSet& set, uint8_t* out, const uint8_t* in, Size size, uint32_t) {
         set.grey16ToGrey8(out, in, pixelsOf(size));
     },
     [](const std::vector<uint8_t>& in, Size, uint32_t) { return highBytes(in); }},
};

class EveryTier : public testing::TestWithParam<Tier> {};

TEST_P(EveryTier, MatchesReferenceForEverySizeAndPhase) {
    Tier tier = GetParam();
    if (tier > processorTier()) GTEST_SKIP() << "this processor lacks " << tierName(tier);
    const KernelSet& set = kernelsOf(tier);
    for (const Conversion& conversion : conversions) {
        for (Size size : sizes) {
            if (conversion.evenSizesOnly && (size.width % 2 != 0 || size.height % 2 != 0)) continue;
            std::vector<uint8_t> input =
                randomBytes(conversion.inputBytesPerTwoPixels * pixelsOf(size) / 2,
                            static_cast<unsigned>(size.width * 31 + size.height));
            for (uint32_t pattern = 0; pattern < (conversion.bayerPatterns ? 4u : 1u); ++pattern) {
                SCOPED_TRACE(std::string(conversion.name) + " " + std::to_string(size.width) + "x" +
                             std::to_string(size.height) + " pattern " + std::to_string(pattern));
                std::vector<uint8_t> expected = conversion.expected(input, size, pattern);
                OutputBuffer out(expected.size());
                conversion.run(set, out.data(), input.data(), size, pattern);
                ASSERT_EQ(out.image(), expected);
                ASSERT_TRUE(out.guardIntact());
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(KernelSets, EveryTier, testing::ValuesIn(kAllTiers),
                         [](const testing::TestParamInfo<Tier>& tier) {
                             return std::string(tierName(tier.param));
                         });

// FWTRANSFORM_ISA caps the processor's tier and never raises it; other values are no cap.
TEST(TierChoice, EnvironmentCapsTheProcessorsTier) {
    struct Case {
        Tier processor;
        const char* cap;
        Tier expected;
    };
    const Case cases[] = {
        {Tier::avx512, nullptr, Tier::avx512},  {Tier::avx512, "sse41", Tier::sse41},
        {Tier::avx512, "scalar", Tier::scalar}, {Tier::avx2, "avx512", Tier::avx2},
        {Tier::sse41, "avx2", Tier::sse41},     {Tier::avx2, "AVX2 ", Tier::avx2},
        {Tier::scalar, nullptr, Tier::scalar},  {Tier::avx512, "", Tier::avx512},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(tierName(c.processor)) + " capped by " + (c.cap ? c.cap : "none"));
        EXPECT_EQ(tierToRun(c.processor, c.cap), c.expected);
    }
}

TEST(TierChoice, ExportNamesTheTierThatRuns) {
    EXPECT_STREQ(FWT_GetActiveTier(), tierName(activeTier()));
    EXPECT_LE(activeTier(), processorTier());
}

}  // namespace
}  // namespace fwt::test
