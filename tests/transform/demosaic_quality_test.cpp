// The gradient-corrected demosaic is better than bilinear on fine detail.
#include <gtest/gtest.h>

#include "fwtransform.h"
#include "transform/image_comparison.h"
#include "transform/output_buffer.h"
#include "transform/reference_conversions.h"
#include "transform/test_images.h"

namespace fwt::test {
namespace {

TEST(DemosaicQuality, BeatsBilinearOnAZonePlateInEveryPhase) {
    constexpr uint32_t width = 320, height = 240;
    BgrImage plate = zonePlate(width, height);
    for (uint32_t pattern = 0; pattern < 4; ++pattern) {
        SCOPED_TRACE(pattern);
        std::vector<uint8_t> mosaic = bayerMosaic(plate, pattern);
        OutputBuffer out(plate.pixels.size());
        ASSERT_EQ(FWT_Raw8ToBGR(out.data(), mosaic.data(), width, height, pattern), 0);
        double ours = psnr(plate.pixels, out.image());
        double bilinear =
            psnr(plate.pixels, bilinearDemosaic(mosaic, width, height, pattern).pixels);
        EXPECT_GT(ours, bilinear + 3.0) << "ours " << ours << " dB, bilinear " << bilinear << " dB";
    }
}

}  // namespace
}  // namespace fwt::test
