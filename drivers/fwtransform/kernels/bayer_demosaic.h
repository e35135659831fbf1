// Gradient-corrected linear demosaic: each missing colour is the bilinear estimate from
// its nearest samples, corrected by the Laplacian of the centre pixel's own colour over a
// 5 x 5 neighbourhood. Weights are in sixteenths and sum to one, so flat areas stay flat.
#pragma once

#include "pixel_arithmetic.h"

namespace fwt {
namespace {

// How a mosaic sample is read: one byte, or the most significant byte of a big-endian
// 16-bit word.
struct Raw8Samples {
    static int at(const uint8_t* row, std::ptrdiff_t x) { return row[x]; }
    static constexpr std::size_t bytesPerSample = 1;
};
struct Raw16MsbSamples {
    static int at(const uint8_t* row, std::ptrdiff_t x) { return row[2 * x]; }
    static constexpr std::size_t bytesPerSample = 2;
};

enum class Colour { red, green, blue };

// The 5 x 5 neighbourhood of one pixel: get(dy, dx) returns the sample at that offset.
template <class Get>
int greenAtRedOrBlue(const Get& get) {
    int sum = 8 * get(0, 0) + 4 * (get(-1, 0) + get(1, 0) + get(0, -1) + get(0, 1)) -
              2 * (get(-2, 0) + get(2, 0) + get(0, -2) + get(0, 2));
    return (sum + 8) >> 4;
}

// Colour sampled left and right of a green pixel.
template <class Get>
int fromLeftAndRight(const Get& get) {
    int sum = 10 * get(0, 0) + 8 * (get(0, -1) + get(0, 1)) - 2 * (get(0, -2) + get(0, 2)) -
              2 * (get(-1, -1) + get(-1, 1) + get(1, -1) + get(1, 1)) + get(-2, 0) + get(2, 0);
    return (sum + 8) >> 4;
}

// Colour sampled above and below a green pixel.
template <class Get>
int fromAboveAndBelow(const Get& get) {
    int sum = 10 * get(0, 0) + 8 * (get(-1, 0) + get(1, 0)) - 2 * (get(-2, 0) + get(2, 0)) -
              2 * (get(-1, -1) + get(-1, 1) + get(1, -1) + get(1, 1)) + get(0, -2) + get(0, 2);
    return (sum + 8) >> 4;
}

// Red at a blue pixel or blue at a red one: the four diagonal samples.
template <class Get>
int fromDiagonals(const Get& get) {
    int sum = 12 * get(0, 0) + 4 * (get(-1, -1) + get(-1, 1) + get(1, -1) + get(1, 1)) -
              3 * (get(-2, 0) + get(2, 0) + get(0, -2) + get(0, 2));
    return (sum + 8) >> 4;
}

// One BGR pixel whose sample has colour `centre`; redRow: the row holds red samples.
template <Colour centre, bool redRow, class Get>
void demosaicPixel(uint8_t* bgr, const Get& get) {
    if constexpr (centre == Colour::green) {
        int sides = clampToByte(fromLeftAndRight(get));
        int aboveBelow = clampToByte(fromAboveAndBelow(get));
        bgr[0] = static_cast<uint8_t>(redRow ? aboveBelow : sides);
        bgr[1] = static_cast<uint8_t>(get(0, 0));
        bgr[2] = static_cast<uint8_t>(redRow ? sides : aboveBelow);
    } else {
        uint8_t own = static_cast<uint8_t>(get(0, 0));
        uint8_t other = clampToByte(fromDiagonals(get));
        bgr[0] = centre == Colour::blue ? own : other;
        bgr[1] = clampToByte(greenAtRedOrBlue(get));
        bgr[2] = centre == Colour::red ? own : other;
    }
}

// Index beyond an edge mirrored about the edge pixel (..., 2, 1, 0, 1, 2, ...), which keeps
// parity and so the Bayer phase; a single row or column repeats itself.
inline std::ptrdiff_t mirrorIndex(std::ptrdiff_t index, std::ptrdiff_t size) {
    if (size == 1) return 0;
    std::ptrdiff_t period = 2 * (size - 1);
    std::ptrdiff_t folded = index % period;
    if (folded < 0) folded += period;
    return folded < size ? folded : period - folded;
}

// One output row. The row's samples alternate evenColour, oddColour from column 0.
template <class Samples, Colour evenColour, bool redRow>
class BayerRow {
public:
    static constexpr Colour oddColour = evenColour == Colour::green
                                            ? (redRow ? Colour::red : Colour::blue)
                                            : Colour::green;

    // rows: the five source rows centred on this one, edges already mirrored.
    static void convert(uint8_t* out, const uint8_t* const* rows, std::size_t width) {
        std::size_t interiorEnd = convertInterior(out, rows, width);
        for (std::size_t x = 0; x < 2 && x < width; ++x) {
            convertMirrored(out + 3 * x, rows, x, width);
        }
        for (std::size_t x = interiorEnd; x < width; ++x) {
            convertMirrored(out + 3 * x, rows, x, width);
        }
    }

private:
    // Pairs of columns whose whole neighbourhood lies inside the row; returns the first
    // column left for the edge path.
    static std::size_t convertInterior(uint8_t* out, const uint8_t* const* rows,
                                       std::size_t width) {
        if (width < 6) return 2;
        std::size_t pairs = (width - 4) / 2;
        for (std::size_t pair = 0; pair < pairs; ++pair) {
            std::ptrdiff_t x = static_cast<std::ptrdiff_t>(2 + 2 * pair);
            auto even = [rows, x](int dy, int dx) { return Samples::at(rows[dy + 2], x + dx); };
            auto odd = [rows, x](int dy, int dx) {
                return Samples::at(rows[dy + 2], x + 1 + dx);
            };
            demosaicPixel<evenColour, redRow>(out + 3 * x, even);
            demosaicPixel<oddColour, redRow>(out + 3 * x + 3, odd);
        }
        return 2 + 2 * pairs;
    }

    static void convertMirrored(uint8_t* bgr, const uint8_t* const* rows, std::size_t x,
                                std::size_t width) {
        auto get = [rows, x, width](int dy, int dx) {
            std::ptrdiff_t column = mirrorIndex(static_cast<std::ptrdiff_t>(x) + dx,
                                                static_cast<std::ptrdiff_t>(width));
            return Samples::at(rows[dy + 2], column);
        };
        if (x % 2 == 0) {
            demosaicPixel<evenColour, redRow>(bgr, get);
        } else {
            demosaicPixel<oddColour, redRow>(bgr, get);
        }
    }
};

// Colour of column 0 in a row: pattern codes 0 RGGB, 1 GBRG, 2 GRBG, 3 BGGR.
inline Colour firstColour(uint32_t pattern, std::size_t y) {
    static constexpr Colour cells[4][2] = {{Colour::red, Colour::green},
                                           {Colour::green, Colour::red},
                                           {Colour::green, Colour::blue},
                                           {Colour::blue, Colour::green}};
    return cells[pattern][y % 2];
}
inline bool rowHoldsRed(uint32_t pattern, std::size_t y) {
    bool firstRowRed = pattern == 0 || pattern == 2;
    return (y % 2 == 0) == firstRowRed;
}

template <class Samples>
void demosaicRow(uint8_t* out, const uint8_t* const* rows, std::size_t width, Colour first,
                 bool redRow) {
    if (redRow) {
        if (first == Colour::green) {
            BayerRow<Samples, Colour::green, true>::convert(out, rows, width);
        } else {
            BayerRow<Samples, Colour::red, true>::convert(out, rows, width);
        }
    } else if (first == Colour::green) {
        BayerRow<Samples, Colour::green, false>::convert(out, rows, width);
    } else {
        BayerRow<Samples, Colour::blue, false>::convert(out, rows, width);
    }
}

// The whole image; arguments already checked (pattern 0..3, sizes addressable).
template <class Samples>
void demosaic(uint8_t* out, const uint8_t* in, std::size_t width, std::size_t height,
              uint32_t pattern) {
    std::size_t stride = width * Samples::bytesPerSample;
    for (std::size_t y = 0; y < height; ++y) {
        const uint8_t* rows[5];
        for (int dy = -2; dy <= 2; ++dy) {
            std::ptrdiff_t source = mirrorIndex(static_cast<std::ptrdiff_t>(y) + dy,
                                                static_cast<std::ptrdiff_t>(height));
            rows[dy + 2] = in + static_cast<std::size_t>(source) * stride;
        }
        demosaicRow<Samples>(out + 3 * width * y, rows, width, firstColour(pattern, y),
                             rowHoldsRed(pattern, y));
    }
}

}  // namespace
}  // namespace fwt
