// The library picks one kernel set per processor; the others must give the same bytes.
// The reference tests cover the one picked here, this one the baseline build beside it.
#include <gtest/gtest.h>

#include "kernels/kernel_set.h"
#include "transform/test_images.h"

namespace fwt::test {
namespace {

struct Sets {
    const KernelSet& baseline = baselineKernels();
    const KernelSet& active = activeKernels();
};

template <class Kernel>
void expectSameOutput(Kernel baseline, Kernel active, std::size_t outputBytes,
                      const std::vector<uint8_t>& input, auto... arguments) {
    std::vector<uint8_t> expected(outputBytes), actual(outputBytes);
    baseline(expected.data(), input.data(), arguments...);
    active(actual.data(), input.data(), arguments...);
    ASSERT_EQ(actual, expected);
}

TEST(KernelSets, BaselineAndActiveAgree) {
    Sets sets;
    for (std::size_t width : {1u, 2u, 3u, 6u, 31u, 33u, 64u, 97u, 640u}) {
        for (std::size_t height : {1u, 2u, 5u, 8u}) {
            SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
            std::size_t pixels = width * height;
            std::vector<uint8_t> input = randomBytes(2 * pixels, static_cast<unsigned>(pixels));
            for (uint32_t pattern = 0; pattern < 4; ++pattern) {
                expectSameOutput(sets.baseline.raw8ToBgr, sets.active.raw8ToBgr, 3 * pixels, input,
                                 width, height, pattern);
                expectSameOutput(sets.baseline.raw16ToBgr, sets.active.raw16ToBgr, 3 * pixels,
                                 input, width, height, pattern);
                if (width % 2 == 0 && height % 2 == 0) {
                    expectSameOutput(sets.baseline.cygmToBgr, sets.active.cygmToBgr, 3 * pixels,
                                     input, width, height, pattern);
                }
            }
            expectSameOutput(sets.baseline.rgbToBgr, sets.active.rgbToBgr, 3 * pixels, input,
                             pixels / 2);
            expectSameOutput(sets.baseline.grey16ToGrey8, sets.active.grey16ToGrey8, pixels, input,
                             pixels);
            expectSameOutput(sets.baseline.yuv422ToBgr, sets.active.yuv422ToBgr, 3 * pixels, input,
                             pixels / 2);
            expectSameOutput(sets.baseline.yuv411ToBgr, sets.active.yuv411ToBgr, 3 * pixels, input,
                             pixels / 4);
        }
    }
}

}  // namespace
}  // namespace fwt::test
