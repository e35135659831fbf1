// Refused arguments: the documented status, and not a byte of the output written.
#include <gtest/gtest.h>

#include <functional>

#include "fw_status.h"
#include "fwtransform.h"
#include "transform/output_buffer.h"

namespace fwt::test {
namespace {

using Call = std::function<int32_t(uint8_t* out, const uint8_t* in)>;

struct Refusal {
    const char* what;
    Call call;
    int32_t status;
};

constexpr uint32_t huge = 0xFFFFFFFFu;

const Refusal refusals[] = {
    {"grey 16 without pixels", [](auto o, auto i) { return FWT_Y16ToY8(o, i, 0); },
     FWT_ERR_ZERO_SIZE},
    {"RGB without pixels", [](auto o, auto i) { return FWT_RGB8ToBGR(o, i, 0); },
     FWT_ERR_ZERO_SIZE},
    {"4:2:2 odd pixel count", [](auto o, auto i) { return FWT_YUV422ToBGR(o, i, 3); },
     FWT_ERR_ODD_SIZE},
    {"4:1:1 count not a multiple of 4", [](auto o, auto i) { return FWT_YUV411ToBGR(o, i, 6); },
     FWT_ERR_ODD_SIZE},
    {"4:1:1 without pixels", [](auto o, auto i) { return FWT_YUV411ToBGR(o, i, 0); },
     FWT_ERR_ZERO_SIZE},
    {"de-interlace zero width",
     [](auto o, auto i) { return FWT_InterlacedToProgressive(o, i, 0, 4); }, FWT_ERR_ZERO_SIZE},
    {"de-interlace zero height",
     [](auto o, auto i) { return FWT_InterlacedToProgressive(o, i, 4, 0); }, FWT_ERR_ZERO_SIZE},
    {"Bayer zero height", [](auto o, auto i) { return FWT_Raw8ToBGR(o, i, 4, 0, 0); },
     FWT_ERR_ZERO_SIZE},
    {"Bayer pattern 4", [](auto o, auto i) { return FWT_Raw8ToBGR(o, i, 4, 4, 4); },
     FWT_ERR_BAYER_PATTERN},
    {"Bayer beyond the address space",
     [](auto o, auto i) { return FWT_Raw8ToBGR(o, i, huge, huge, 0); }, FWT_ERR_SIZE_OVERFLOW},
    {"CYGM odd width", [](auto o, auto i) { return FWT_IRaw8CYGMToBGR_Bin(o, i, 3, 4, 0); },
     FWT_ERR_ODD_SIZE},
    {"CYGM odd height", [](auto o, auto i) { return FWT_IRaw8CYGMToBGR_Bin(o, i, 4, 5, 0); },
     FWT_ERR_ODD_SIZE},
    {"CYGM pattern 7", [](auto o, auto i) { return FWT_IRaw8CYGMToBGR_Bin(o, i, 4, 4, 7); },
     FWT_ERR_BAYER_PATTERN},
    {"Raw16 pattern field 5",
     [](auto o, auto i) {
         return FWT_Raw16ToBGR(o, i, 4, 4, FWT_RAW16_MSB8 | FWT_RAW16_PATTERN(4));
     },
     FWT_ERR_BAYER_PATTERN},
    {"Raw16 without the 8-bit option", [](auto o, auto i) { return FWT_Raw16ToBGR(o, i, 4, 4, 0); },
     FWT_ERR_ARGUMENT},
    {"Raw16 unknown option bit",
     [](auto o, auto i) { return FWT_Raw16ToBGR(o, i, 4, 4, FWT_RAW16_MSB8 | 0x10000u); },
     FWT_ERR_ARGUMENT},
    {"Raw16 zero width", [](auto o, auto i) { return FWT_Raw16ToBGR(o, i, 0, 4, FWT_RAW16_MSB8); },
     FWT_ERR_ZERO_SIZE},
};

TEST(BadArguments, AreRefusedWithoutWriting) {
    std::vector<uint8_t> input(256, 0x5A);
    for (const Refusal& refusal : refusals) {
        SCOPED_TRACE(refusal.what);
        OutputBuffer out(0);
        EXPECT_EQ(refusal.call(out.data(), input.data()), refusal.status);
        EXPECT_TRUE(out.untouched());
    }
}

// Every conversion refuses a null output or input before looking at anything else.
TEST(BadArguments, NullImagesAreRefusedByEveryConversion) {
    const Call conversions[] = {
        [](auto o, auto i) { return FWT_InterlacedToProgressive(o, i, 4, 4); },
        [](auto o, auto i) { return FWT_YUV411ToBGR(o, i, 16); },
        [](auto o, auto i) { return FWT_YUV422ToBGR(o, i, 16); },
        [](auto o, auto i) { return FWT_RGB8ToBGR(o, i, 16); },
        [](auto o, auto i) { return FWT_Y16ToY8(o, i, 16); },
        [](auto o, auto i) { return FWT_Raw8ToBGR(o, i, 4, 4, 0); },
        [](auto o, auto i) { return FWT_IRaw8CYGMToBGR_Bin(o, i, 4, 4, 0); },
        [](auto o, auto i) { return FWT_Raw16ToBGR(o, i, 4, 4, FWT_RAW16_MSB8); },
    };
    std::vector<uint8_t> input(256, 0x5A);
    for (const Call& conversion : conversions) {
        OutputBuffer out(0);
        EXPECT_EQ(conversion(nullptr, input.data()), FWT_ERR_NULL_POINTER);
        EXPECT_EQ(conversion(out.data(), nullptr), FWT_ERR_NULL_POINTER);
        EXPECT_TRUE(out.untouched());
    }
}

}  // namespace
}  // namespace fwt::test
