// Plain per-pixel references for the conversions, written independently of the library:
// explicit 5 x 5 weight tables, colour letters, floating-point rounding.
#pragma once

#include <cstdint>
#include <vector>

#include "transform/test_images.h"

namespace fwt::test {

BgrImage referenceDemosaic(const std::vector<uint8_t>& mosaic, std::size_t width,
                           std::size_t height, uint32_t pattern);
// Plain bilinear interpolation of the same mosaic, the baseline for quality.
BgrImage bilinearDemosaic(const std::vector<uint8_t>& mosaic, std::size_t width, std::size_t height,
                          uint32_t pattern);
std::vector<uint8_t> referenceYuvToBgr(const std::vector<uint8_t>& coded, std::size_t pixels,
                                       std::size_t groupPixels);
std::vector<uint8_t> referenceCygmBinning(const std::vector<uint8_t>& progressive,
                                          std::size_t width, std::size_t height, uint32_t pattern);

}  // namespace fwt::test
