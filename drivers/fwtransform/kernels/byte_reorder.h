// Conversions that only move bytes: RGB to BGR, and the high byte of big-endian 16-bit
// grey.
#pragma once

#include "pixel_arithmetic.h"

namespace fwt {
namespace {

template <class Vector>
void rgbToBgr(uint8_t* out, const uint8_t* in, std::size_t pixels) {
    for (std::size_t pixel = Vector::rgbToBgr(out, in, pixels); pixel < pixels; ++pixel) {
        out[3 * pixel] = in[3 * pixel + 2];
        out[3 * pixel + 1] = in[3 * pixel + 1];
        out[3 * pixel + 2] = in[3 * pixel];
    }
}

template <class Vector>
void grey16ToGrey8(uint8_t* out, const uint8_t* in, std::size_t pixels) {
    for (std::size_t pixel = Vector::grey16ToGrey8(out, in, pixels); pixel < pixels; ++pixel)
        out[pixel] = in[2 * pixel];
}

}  // namespace
}  // namespace fwt
