// The 16-bit demosaic: each source row is reduced to its most significant bytes once, into
// a ring of five rows on the stack, and the 8-bit kernel (vector part included) runs on
// the ring. Rows wider than the ring are read from the 16-bit words directly.
#pragma once

#include "bayer_demosaic.h"

namespace fwt {
namespace {

constexpr std::size_t kRaw16RingWidth = 4096;

template <class Vector>
void reduceRow(uint8_t* out, const uint8_t* in, std::size_t width) {
    for (std::size_t x = Vector::grey16ToGrey8(out, in, width); x < width; ++x) out[x] = in[2 * x];
}

template <class Vector>
void demosaicRaw16(uint8_t* out, const uint8_t* in, std::size_t width, std::size_t height,
                   uint32_t pattern) {
    if (width > kRaw16RingWidth) {
        demosaic<Raw16MsbSamples, Vector>(out, in, width, height, pattern);
        return;
    }
    // Slot r % 5 holds source row r; rows y - 2 .. y + 2 (mirrored ones among them) are
    // always the last five reduced.
    uint8_t ring[5][kRaw16RingWidth];
    std::size_t reduced = 0;
    for (std::size_t y = 0; y < height; ++y) {
        for (; reduced <= y + 2 && reduced < height; ++reduced)
            reduceRow<Vector>(ring[reduced % 5], in + 2 * width * reduced, width);
        const uint8_t* rows[5];
        for (int dy = -2; dy <= 2; ++dy) {
            std::ptrdiff_t source = mirrorIndex(static_cast<std::ptrdiff_t>(y) + dy,
                                                static_cast<std::ptrdiff_t>(height));
            rows[dy + 2] = ring[static_cast<std::size_t>(source) % 5];
        }
        demosaicRow<Raw8Samples, Vector>(out + 3 * width * y, rows, width, pattern, y);
    }
}

}  // namespace
}  // namespace fwt
