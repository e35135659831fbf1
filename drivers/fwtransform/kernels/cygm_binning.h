// Binning of an interlaced complementary (cyan, yellow, green, magenta) mosaic: each
// 2 x 2 cell gives one colour, written to its four pixels. The samples are halved sums
// (C = (G + B) / 2, Y = (R + G) / 2, M = (R + B) / 2) and green itself. The colour
// formulas are written once for a scalar (int) and for a vector.
#pragma once

#include "pixel_arithmetic.h"

namespace fwt {
namespace {

template <class T>
T cygmBlue(T cyan, T yellow, T magenta) {
    return cyan + magenta - yellow;
}
// The mean of the green sample and the green the other three give.
template <class T>
T cygmGreen(T cyan, T yellow, T green, T magenta) {
    return (green + yellow + cyan - magenta + 1) >> 1;
}
template <class T>
T cygmRed(T cyan, T yellow, T magenta) {
    return yellow + magenta - cyan;
}

// Where C, Y, G and M sit in the cell, as offsets (row * 2 + column) in progressive order.
struct CygmCell {
    unsigned cyan, yellow, green, magenta;
};

// Pattern codes shift the C Y / G M cell as they shift a Bayer cell: 1 (GBRG) by a row,
// 2 (GRBG) by a column, 3 (BGGR) by both.
inline CygmCell cygmCell(uint32_t pattern) {
    static constexpr unsigned kShifts[4] = {0, 2, 1, 3};
    unsigned shift = kShifts[pattern];
    return {0u ^ shift, 1u ^ shift, 2u ^ shift, 3u ^ shift};
}

// One output row pair from the even source row and the odd one (field-sequential input).
template <class Vector>
void binCygmRows(uint8_t* outEven, uint8_t* outOdd, const uint8_t* evenRow, const uint8_t* oddRow,
                 std::size_t width, CygmCell cell) {
    const uint8_t* cellRows[2] = {evenRow, oddRow};
    auto sample = [&cellRows](unsigned offset, std::size_t x) {
        return static_cast<int>(cellRows[offset / 2][x + offset % 2]);
    };
    for (std::size_t x = Vector::cygmRows(outEven, outOdd, cellRows, width, cell); x < width;
         x += 2) {
        int cyan = sample(cell.cyan, x), yellow = sample(cell.yellow, x);
        int green = sample(cell.green, x), magenta = sample(cell.magenta, x);
        uint8_t bgr[3] = {clampToByte(cygmBlue(cyan, yellow, magenta)),
                          clampToByte(cygmGreen(cyan, yellow, green, magenta)),
                          clampToByte(cygmRed(cyan, yellow, magenta))};
        for (int i = 0; i < 6; ++i) {
            outEven[3 * x + i] = bgr[i % 3];
            outOdd[3 * x + i] = bgr[i % 3];
        }
    }
}

// Arguments already checked: width and height even.
template <class Vector>
void binCygm(uint8_t* out, const uint8_t* in, std::size_t width, std::size_t height,
             uint32_t pattern) {
    CygmCell cell = cygmCell(pattern);
    std::size_t fieldRows = height / 2;
    for (std::size_t pair = 0; pair < fieldRows; ++pair) {
        uint8_t* outEven = out + 2 * pair * width * 3;
        binCygmRows<Vector>(outEven, outEven + width * 3, in + pair * width,
                            in + (fieldRows + pair) * width, width, cell);
    }
}

}  // namespace
}  // namespace fwt
