// Binning of an interlaced complementary (cyan, yellow, green, magenta) mosaic: each
// 2 x 2 cell gives one colour, written to its four pixels. The samples are halved sums
// (C = (G + B) / 2, Y = (R + G) / 2, M = (R + B) / 2) and green itself.
#pragma once

#include "pixel_arithmetic.h"

namespace fwt {
namespace {

// Where C, Y, G and M sit in the cell, as offsets (row * 2 + column) in progressive order.
struct CygmCell {
    unsigned cyan, yellow, green, magenta;
};

// Pattern codes shift the C Y / G M cell as they shift a Bayer cell: 1 (GBRG) by a row,
// 2 (GRBG) by a column, 3 (BGGR) by both.
inline CygmCell cygmCell(uint32_t pattern) {
    static constexpr unsigned shifts[4] = {0, 2, 1, 3};
    unsigned shift = shifts[pattern];
    return {0u ^ shift, 1u ^ shift, 2u ^ shift, 3u ^ shift};
}

// One output row pair from the even source row and the odd one (field-sequential input).
inline void binCygmRows(uint8_t* outEven, uint8_t* outOdd, const uint8_t* evenRow,
                        const uint8_t* oddRow, std::size_t width, CygmCell cell) {
    const uint8_t* cellRows[2] = {evenRow, oddRow};
    const uint8_t* cyanRow = cellRows[cell.cyan / 2];
    const uint8_t* yellowRow = cellRows[cell.yellow / 2];
    const uint8_t* greenRow = cellRows[cell.green / 2];
    const uint8_t* magentaRow = cellRows[cell.magenta / 2];
    for (std::size_t x = 0; x < width; x += 2) {
        int cyan = cyanRow[x + cell.cyan % 2];
        int yellow = yellowRow[x + cell.yellow % 2];
        int green = greenRow[x + cell.green % 2];
        int magenta = magentaRow[x + cell.magenta % 2];
        uint8_t bgr[3] = {clampToByte(cyan + magenta - yellow),
                          clampToByte((green + yellow + cyan - magenta + 1) >> 1),
                          clampToByte(yellow + magenta - cyan)};
        for (int i = 0; i < 6; ++i) {
            outEven[3 * x + i] = bgr[i % 3];
            outOdd[3 * x + i] = bgr[i % 3];
        }
    }
}

// Arguments already checked: width and height even.
inline void binCygm(uint8_t* out, const uint8_t* in, std::size_t width, std::size_t height,
                    uint32_t pattern) {
    CygmCell cell = cygmCell(pattern);
    std::size_t fieldRows = height / 2;
    for (std::size_t pair = 0; pair < fieldRows; ++pair) {
        uint8_t* outEven = out + 2 * pair * width * 3;
        binCygmRows(outEven, outEven + width * 3, in + pair * width,
                    in + (fieldRows + pair) * width, width, cell);
    }
}

}  // namespace
}  // namespace fwt
