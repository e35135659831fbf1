// The frames the benchmarks convert: one scene per size, in every camera coding.
#pragma once

#include <cstdint>
#include <vector>

#include "transform/test_images.h"

namespace fwt::bench {

struct BenchInputs {
    uint32_t width, height;
    std::vector<uint8_t> bayer8;         // RGGB
    std::vector<uint8_t> bayer16;        // RGGB, big-endian
    std::vector<uint8_t> bayer16Native;  // the same samples in this machine's order
    std::vector<uint8_t> yuv411, yuv422, rgb8;
    std::vector<uint8_t> grey16;  // big-endian
    std::vector<uint8_t> grey16Native;
    std::vector<uint8_t> cygmFields;
    std::vector<uint8_t> greyFields;

    std::size_t pixels() const { return std::size_t{width} * height; }
};

// Built on first use and kept: the benchmark loops only convert.
const BenchInputs& benchInputs(uint32_t width, uint32_t height);

// Flat colour areas with sharp edges: discs, bars and a gradient.
test::BgrImage shapesScene(std::size_t width, std::size_t height);

}  // namespace fwt::bench
