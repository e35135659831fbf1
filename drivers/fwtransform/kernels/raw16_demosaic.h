// The 16-bit demosaic: each source row is reduced to its most significant bytes once, into
// a ring of six rows on the stack, and the 8-bit kernel (vector part included) runs on
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
    // Slot r % 6 holds source row r; the source rows of the output rows of a pass (mirrored
    // ones among them) are always the last six reduced.
    uint8_t ring[6][kRaw16RingWidth];
    std::size_t reduced = 0;
    constexpr std::size_t kRows = Vector::kBayerRowsPerPass;
    for (std::size_t y = 0; y < height;) {
        for (; reduced <= y + 3 && reduced < height; ++reduced)
            reduceRow<Vector>(ring[reduced % 6], in + 2 * width * reduced, width);
        std::size_t indices[6];
        sourceRowIndices(indices, y, height);
        const uint8_t* rows[6];
        for (std::size_t k = 0; k < 6; ++k) rows[k] = ring[indices[k] % 6];
        uint8_t* outRow = out + 3 * width * y;
        if (y + kRows <= height) {
            demosaicRows<Raw8Samples, Vector, kRows>(outRow, rows, width, pattern, y);
            y += kRows;
        } else {
            demosaicRows<Raw8Samples, Vector, 1>(outRow, rows, width, pattern, y);
            ++y;
        }
    }
}

}  // namespace
}  // namespace fwt
