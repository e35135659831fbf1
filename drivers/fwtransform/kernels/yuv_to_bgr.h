// Full-range BT.601 YUV to BGR in 16-bit fixed point (the formula of fwtransform.h).
// One chroma pair is shared by the luma samples of its group. The chroma terms are
// written once for a scalar (int) and for a vector of 32-bit lanes.
#pragma once

#include "pixel_arithmetic.h"

namespace fwt {
namespace {

// u = U - 128, v = V - 128; each term is added to Y.
template <class T>
T redTerm(T v) {
    return (91881 * v + 32768) >> 16;
}
template <class T>
T greenTerm(T u, T v) {
    return (-22554 * u - 46802 * v + 32768) >> 16;
}
template <class T>
T blueTerm(T u) {
    return (116130 * u + 32768) >> 16;
}

// Byte positions inside one coding group.
struct Yuv411Layout {
    static constexpr std::size_t kGroupBytes = 6;
    static constexpr std::size_t kGroupPixels = 4;
    static constexpr std::size_t kU = 0;
    static constexpr std::size_t kV = 3;
    static constexpr std::size_t kY[kGroupPixels] = {1, 2, 4, 5};
};
struct Yuv422Layout {
    static constexpr std::size_t kGroupBytes = 4;
    static constexpr std::size_t kGroupPixels = 2;
    static constexpr std::size_t kU = 0;
    static constexpr std::size_t kV = 2;
    static constexpr std::size_t kY[kGroupPixels] = {1, 3};
};

template <class Layout>
void yuvGroupsToBgr(uint8_t* out, const uint8_t* in, std::size_t first, std::size_t groups) {
    for (std::size_t group = first; group < groups; ++group) {
        const uint8_t* source = in + group * Layout::kGroupBytes;
        uint8_t* target = out + group * Layout::kGroupPixels * 3;
        int u = source[Layout::kU] - 128;
        int v = source[Layout::kV] - 128;
        int red = redTerm(v);
        int green = greenTerm(u, v);
        int blue = blueTerm(u);
        for (std::size_t pixel = 0; pixel < Layout::kGroupPixels; ++pixel) {
            int luma = source[Layout::kY[pixel]];
            target[3 * pixel] = clampToByte(luma + blue);
            target[3 * pixel + 1] = clampToByte(luma + green);
            target[3 * pixel + 2] = clampToByte(luma + red);
        }
    }
}

template <class Vector>
void yuv411ToBgr(uint8_t* out, const uint8_t* in, std::size_t groups) {
    yuvGroupsToBgr<Yuv411Layout>(out, in, Vector::yuv411ToBgr(out, in, groups), groups);
}
template <class Vector>
void yuv422ToBgr(uint8_t* out, const uint8_t* in, std::size_t groups) {
    yuvGroupsToBgr<Yuv422Layout>(out, in, Vector::yuv422ToBgr(out, in, groups), groups);
}

}  // namespace
}  // namespace fwt
