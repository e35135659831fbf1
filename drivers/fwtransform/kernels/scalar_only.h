// The vector policy of the baseline build: every vector part converts nothing and the
// scalar loops (which the compiler may still vectorise) do all the work.
#pragma once

#include "bayer_demosaic.h"
#include "cygm_binning.h"

namespace fwt {
namespace {

struct ScalarOnly {
    // Two, as on the widest tier: scalar rows gain nothing from it, but then every processor
    // runs the row loop's pairs.
    static constexpr std::size_t kBayerRowsPerPass = 2;
    template <Colour evenColour, bool redRow, std::size_t kOutputRows>
    static std::size_t bayerRows(uint8_t*, const uint8_t* const*, std::size_t) {
        return 0;
    }
    static std::size_t yuv411ToBgr(uint8_t*, const uint8_t*, std::size_t) { return 0; }
    static std::size_t yuv422ToBgr(uint8_t*, const uint8_t*, std::size_t) { return 0; }
    static std::size_t rgbToBgr(uint8_t*, const uint8_t*, std::size_t) { return 0; }
    static std::size_t grey16ToGrey8(uint8_t*, const uint8_t*, std::size_t) { return 0; }
    static std::size_t cygmRows(uint8_t*, uint8_t*, const uint8_t* const*, std::size_t, CygmCell) {
        return 0;
    }
};

}  // namespace
}  // namespace fwt
