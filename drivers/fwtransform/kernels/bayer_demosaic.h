// Gradient-corrected linear demosaic: each missing colour is the bilinear estimate from
// its nearest samples, corrected by the Laplacian of the centre pixel's own colour over a
// 5 x 5 neighbourhood. Weights are in sixteenths and sum to one, so flat areas stay flat.
//
// The formulas are written once for a scalar sample (int) and for a vector of samples:
// get(dy, dx) returns the sample(s) at that offset from the centre.
#pragma once

#include "pixel_arithmetic.h"

namespace fwt {
namespace {

// How a mosaic sample is read: one byte, or the most significant byte of a big-endian
// 16-bit word.
struct Raw8Samples {
    static int at(const uint8_t* row, std::ptrdiff_t x) { return row[x]; }
    static constexpr std::size_t kBytesPerSample = 1;
};
struct Raw16MsbSamples {
    static int at(const uint8_t* row, std::ptrdiff_t x) { return row[2 * x]; }
    static constexpr std::size_t kBytesPerSample = 2;
};

enum class Colour { red, green, blue };

// Sums of the two samples at distance d on either side, above and below (column dx) or
// left and right. Every formula sums in this order, so that the compiler computes a sum
// once for all the formulas, and both pixels of a vector block, that use it.
template <class Get>
auto aboveAndBelow(const Get& get, int d, int dx = 0) {
    return get(-d, dx) + get(d, dx);
}
template <class Get>
auto leftAndRight(const Get& get, int d) {
    return get(0, -d) + get(0, d);
}
template <class Get>
auto diagonals(const Get& get) {
    return aboveAndBelow(get, 1, -1) + aboveAndBelow(get, 1, 1);
}
// The four samples two away along the row and the column.
template <class Get>
auto axialFar(const Get& get) {
    return aboveAndBelow(get, 2) + leftAndRight(get, 2);
}

// 4 c - far: the part of the centre's Laplacian that both formulas at a red or blue pixel
// use, each with its own weight.
template <class Get>
auto centreLessFar(const Get& get) {
    return 4 * get(0, 0) - axialFar(get);
}

// (8 c + 4 near - 2 far + 8) / 16, halved.
template <class Get>
auto greenAtRedOrBlue(const Get& get) {
    auto near = aboveAndBelow(get, 1) + leftAndRight(get, 1);
    return (centreLessFar(get) + 2 * near + 4) >> 3;
}

// Red at a blue pixel or blue at a red one: (12 c + 4 diagonals - 3 far + 8) / 16.
template <class Get>
auto fromDiagonals(const Get& get) {
    return (3 * centreLessFar(get) + 4 * diagonals(get) + 8) >> 4;
}

// The colours sampled left and right of a green pixel and above and below it, in
// sixteenths: 10 c - 2 diagonals + 8 near - 2 far along the samples' axis + the far pair
// across it, + 8 to round. The terms of even weight are summed halved, and the centre and
// diagonal terms once for both colours.
template <class T>
struct GreenNeighbours {
    T leftRight, aboveBelow;
};
template <class Get>
auto fromGreenNeighbours(const Get& get) {
    using T = decltype(get(0, 0));
    T shared = 5 * get(0, 0) - diagonals(get) + 4;
    T farAcross = leftAndRight(get, 2), farAlong = aboveAndBelow(get, 2);
    return GreenNeighbours<T>{
        (2 * (shared + 4 * leftAndRight(get, 1) - farAcross) + farAlong) >> 4,
        (2 * (shared + 4 * aboveAndBelow(get, 1) - farAlong) + farAcross) >> 4};
}

// Unclamped blue, green and red of a pixel.
template <class T>
struct Channels {
    T blue, green, red;
};

// The pixel's sample has colour `centre`; redRow: its row holds red samples.
template <Colour centre, bool redRow, class Get>
auto bayerChannels(const Get& get) {
    using T = decltype(get(0, 0));
    if constexpr (centre == Colour::green) {
        GreenNeighbours<T> from = fromGreenNeighbours(get);
        return Channels<T>{redRow ? from.aboveBelow : from.leftRight, get(0, 0),
                           redRow ? from.leftRight : from.aboveBelow};
    } else {
        T own = get(0, 0);
        T other = fromDiagonals(get);
        return Channels<T>{centre == Colour::blue ? own : other, greenAtRedOrBlue(get),
                           centre == Colour::red ? own : other};
    }
}

template <Colour centre, bool redRow, class Get>
void demosaicPixel(uint8_t* bgr, const Get& get) {
    Channels<int> channels = bayerChannels<centre, redRow>(get);
    bgr[0] = clampToByte(channels.blue);
    bgr[1] = clampToByte(channels.green);
    bgr[2] = clampToByte(channels.red);
}

// Index beyond an edge mirrored about the edge pixel (..., 2, 1, 0, 1, 2, ...), which keeps
// parity and so the Bayer phase; a single row or column repeats itself.
inline std::ptrdiff_t mirrorIndex(std::ptrdiff_t index, std::ptrdiff_t size) {
    if (index >= 0 && index < size) return index;
    if (size == 1) return 0;
    if (index < 0 && -index < size) return -index;
    if (index >= size && index < 2 * size - 1) return 2 * (size - 1) - index;
    std::ptrdiff_t period = 2 * (size - 1);
    std::ptrdiff_t folded = index % period;
    if (folded < 0) folded += period;
    return folded < size ? folded : period - folded;
}

template <Colour evenColour, bool redRow>
constexpr Colour oddColourOf() {
    if constexpr (evenColour != Colour::green) return Colour::green;
    return redRow ? Colour::red : Colour::blue;
}

// The layout of the row below one of layout (evenColour, redRow).
template <Colour evenColour, bool redRow>
constexpr Colour evenColourBelow() {
    if constexpr (evenColour != Colour::green) return Colour::green;
    return redRow ? Colour::blue : Colour::red;
}

// One output row whose samples alternate evenColour, oddColour from column 0: the columns
// a vector part left, from column x (0, or the even column where it stopped). The scalar
// loop converts the interior and the edge path the columns within two of each edge.
template <class Samples, Colour evenColour, bool redRow>
class BayerRow {
public:
    static constexpr Colour oddColour = oddColourOf<evenColour, redRow>();

    // rows: the five source rows centred on this one, edges already mirrored.
    static void finish(uint8_t* out, const uint8_t* const* rows, std::size_t width, std::size_t x) {
        if (x == 0) {
            convertNearEdge(out, rows, 0, width);
            x = 2;
        }
        for (x = convertInterior(out, rows, width, x); x < width; x += 2)
            convertNearEdge(out, rows, x, width);
    }

private:
    // Pairs of columns from x whose whole neighbourhood lies inside the row; returns the
    // first column left for the edge path.
    static std::size_t convertInterior(uint8_t* out, const uint8_t* const* rows, std::size_t width,
                                       std::size_t x) {
        for (; x + 4 <= width; x += 2) {
            std::ptrdiff_t column = static_cast<std::ptrdiff_t>(x);
            auto even = [rows, column](int dy, int dx) {
                return Samples::at(rows[dy + 2], column + dx);
            };
            auto odd = [rows, column](int dy, int dx) {
                return Samples::at(rows[dy + 2], column + 1 + dx);
            };
            demosaicPixel<evenColour, redRow>(out + 3 * x, even);
            demosaicPixel<oddColour, redRow>(out + 3 * x + 3, odd);
        }
        return x;
    }

    // The pair of columns from x (even; the second may lie past the edge) when their
    // neighbourhood crosses an edge: it is copied once, mirrored, into a small window on
    // which the plain formulas run.
    static void convertNearEdge(uint8_t* out, const uint8_t* const* rows, std::size_t x,
                                std::size_t width) {
        std::ptrdiff_t columns[6];
        for (int c = 0; c < 6; ++c) {
            columns[c] = mirrorIndex(static_cast<std::ptrdiff_t>(x) - 2 + c,
                                     static_cast<std::ptrdiff_t>(width));
        }
        int window[5][6];
        for (int dy = 0; dy < 5; ++dy)
            for (int c = 0; c < 6; ++c) window[dy][c] = Samples::at(rows[dy], columns[c]);
        auto around = [&window](int centre) {
            return [&window, centre](int dy, int dx) { return window[dy + 2][centre + dx]; };
        };
        demosaicPixel<evenColour, redRow>(out + 3 * x, around(2));
        if (x + 1 < width) demosaicPixel<oddColour, redRow>(out + 3 * x + 3, around(3));
    }
};

// kOutputRows (1 or 2) consecutive output rows, the first of layout (evenColour, redRow).
// Vector converts a run of columns of every row from column 0 in one pass, sharing the
// source rows they read, and returns where it stopped; each row then finishes alone.
template <class Samples, class Vector, Colour evenColour, bool redRow, std::size_t kOutputRows>
struct BayerRows {
    // rows: the kOutputRows + 4 source rows from two above the first output row, edges
    // already mirrored; output rows are 3 * width bytes apart.
    static void convert(uint8_t* out, const uint8_t* const* rows, std::size_t width) {
        std::size_t x = 0;
        if constexpr (Samples::kBytesPerSample == 1)
            x = Vector::template bayerRows<evenColour, redRow, kOutputRows>(out, rows, width);
        BayerRow<Samples, evenColour, redRow>::finish(out, rows, width, x);
        if constexpr (kOutputRows == 2) {
            BayerRow<Samples, evenColourBelow<evenColour, redRow>(), !redRow>::finish(
                out + 3 * width, rows + 1, width, x);
        }
    }
};

// Colour of column 0 in a row: pattern codes 0 RGGB, 1 GBRG, 2 GRBG, 3 BGGR.
inline Colour firstColour(uint32_t pattern, std::size_t y) {
    static constexpr Colour kCells[4][2] = {{Colour::red, Colour::green},
                                            {Colour::green, Colour::red},
                                            {Colour::green, Colour::blue},
                                            {Colour::blue, Colour::green}};
    return kCells[pattern][y % 2];
}
inline bool rowHoldsRed(uint32_t pattern, std::size_t y) {
    bool firstRowRed = pattern == 0 || pattern == 2;
    return (y % 2 == 0) == firstRowRed;
}

// Output rows y .. y + kOutputRows - 1 from the source rows in rows (see BayerRows).
template <class Samples, class Vector, std::size_t kOutputRows>
void demosaicRows(uint8_t* out, const uint8_t* const* rows, std::size_t width, uint32_t pattern,
                  std::size_t y) {
    constexpr Colour green = Colour::green;
    Colour first = firstColour(pattern, y);
    if (rowHoldsRed(pattern, y))
        if (first == green)
            BayerRows<Samples, Vector, green, true, kOutputRows>::convert(out, rows, width);
        else
            BayerRows<Samples, Vector, Colour::red, true, kOutputRows>::convert(out, rows, width);
    else if (first == green)
        BayerRows<Samples, Vector, green, false, kOutputRows>::convert(out, rows, width);
    else
        BayerRows<Samples, Vector, Colour::blue, false, kOutputRows>::convert(out, rows, width);
}

// The source rows from two above row y to two below row y + kOutputRows - 1, mirrored at
// the top and bottom: the rows of each as a row index.
template <std::size_t kSourceRows>
void sourceRowIndices(std::size_t (&indices)[kSourceRows], std::size_t y, std::size_t height) {
    for (std::size_t k = 0; k < kSourceRows; ++k) {
        std::ptrdiff_t row = static_cast<std::ptrdiff_t>(y + k) - 2;
        indices[k] =
            static_cast<std::size_t>(mirrorIndex(row, static_cast<std::ptrdiff_t>(height)));
    }
}

// Output rows y .. y + kOutputRows - 1 of the whole image.
template <class Samples, class Vector, std::size_t kOutputRows>
void demosaicFromImage(uint8_t* out, const uint8_t* in, std::size_t width, std::size_t height,
                       uint32_t pattern, std::size_t y) {
    std::size_t indices[kOutputRows + 4];
    sourceRowIndices(indices, y, height);
    const uint8_t* rows[kOutputRows + 4];
    for (std::size_t k = 0; k < kOutputRows + 4; ++k)
        rows[k] = in + indices[k] * width * Samples::kBytesPerSample;
    demosaicRows<Samples, Vector, kOutputRows>(out + 3 * width * y, rows, width, pattern, y);
}

// The whole image, Vector::kBayerRowsPerPass rows per pass; arguments already checked
// (pattern 0..3, sizes addressable).
template <class Samples, class Vector>
void demosaic(uint8_t* out, const uint8_t* in, std::size_t width, std::size_t height,
              uint32_t pattern) {
    constexpr std::size_t kRows = Vector::kBayerRowsPerPass;
    std::size_t y = 0;
    for (; y + kRows <= height; y += kRows)
        demosaicFromImage<Samples, Vector, kRows>(out, in, width, height, pattern, y);
    for (; y < height; ++y)
        demosaicFromImage<Samples, Vector, 1>(out, in, width, height, pattern, y);
}

}  // namespace
}  // namespace fwt
