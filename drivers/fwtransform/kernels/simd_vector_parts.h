// The vector parts of the kernels, written once over the primitives of an instruction set
// (Isa: isa_sse41.h, isa_avx2.h, isa_avx512.h) whose vectors hold one or more 128-bit
// lanes. Byte shuffles and packs stay inside a lane; only Isa's loads, stores and bytesFrom
// cross lanes. Arithmetic runs in 16- and 32-bit lanes of GCC vector types, with the same
// formula templates as the scalar code, which finishes each row.
#pragma once

#include <algorithm>

#include "bayer_demosaic.h"
#include "cygm_binning.h"
#include "yuv_to_bgr.h"

namespace fwt {
namespace {

// Byte of pixel p (0..15) inside a lane of a channel vector: in pixel order, or in the
// order packToBytes(even pixels, odd pixels) leaves them (0, 2, ..., 14, 1, 3, ..., 15).
constexpr int laneByteOf(int pixel, bool pairPacked) {
    if (!pairPacked) return pixel;
    return pixel % 2 == 0 ? pixel / 2 : 8 + pixel / 2;
}

// Shuffle masks and blend selectors that interleave the 16 pixels of a lane's blue, green
// and red bytes into the three 16-byte chunks of their 48 BGR bytes. Byte p of chunk c
// holds colour (c + p) % 3, so each colour fills different positions in each chunk: one
// shuffle per colour places its bytes for all three chunks, and two blends per chunk pick
// every byte from its colour.
struct BgrMasks {
    alignas(16) int8_t spread[3][16];  // colour, byte
    alignas(16) int8_t select[2][16];  // bytes of colour (c + 1) % 3, then of (c + 2) % 3
};
constexpr BgrMasks makeBgrMasks(bool pairPacked) {
    BgrMasks masks{};
    for (int j = 0; j < 16; ++j) {
        for (int colour = 0; colour < 3; ++colour) {
            int chunk = (colour - j % 3 + 3) % 3;
            masks.spread[colour][j] =
                static_cast<int8_t>(laneByteOf((16 * chunk + j) / 3, pairPacked));
        }
        masks.select[0][j] = j % 3 == 1 ? int8_t{-128} : int8_t{0};
        masks.select[1][j] = j % 3 == 2 ? int8_t{-128} : int8_t{0};
    }
    return masks;
}
constexpr BgrMasks kPixelOrderMasks = makeBgrMasks(false);
constexpr BgrMasks kPairOrderMasks = makeBgrMasks(true);

template <class Isa>
struct SimdVectorParts {
    using Bytes = typename Isa::Bytes;
    using I16 = typename Isa::I16;
    using U16 = typename Isa::U16;
    using I32 = typename Isa::I32;
    // Bytes per vector, and so pixels per Bayer block.
    static constexpr std::size_t kVectorBytes = sizeof(Bytes);
    static constexpr std::size_t kLaneCount = kVectorBytes / 16;
    static constexpr std::size_t kBayerRowsPerPass = Isa::kBayerRowsPerPass;

    // Bayer: a block of kVectorBytes pixels from column x (even) needs columns x - 2 ..
    // x + kVectorBytes + 1. The first and the last block of a row shift the two columns
    // beyond its edge, mirrored, into their vectors, so every column of an even width is
    // converted here; the last block starts at the last even column that fits,
    // overlapping the one before: it rewrites the same values. Each block converts
    // kOutputRows rows (see BayerRows). Returns the end of the columns converted from 0
    // (the row's width, or one less for an odd width), or 0 for a row too narrow.
    // Flattened: the blocks are inlined into the loop, with their shuffle masks and
    // constants kept in registers.
    template <Colour evenColour, bool redRow, std::size_t kOutputRows>
    [[gnu::flatten]] static std::size_t bayerRows(uint8_t* out, const uint8_t* const* rows,
                                                  std::size_t width) {
        if (width < kVectorBytes + 4) return 0;
        // A copy of the row pointers, which the stores to out cannot alias: they stay in
        // registers instead of being read again for every block.
        const uint8_t* window[kOutputRows + 4];
        std::copy_n(rows, kOutputRows + 4, window);
        const std::size_t last = (width - kVectorBytes) & ~std::size_t{1};
        bayerFirstBlock<evenColour, redRow, kOutputRows>(out, window, width);
        for (std::size_t x = kVectorBytes; x < last; x += kVectorBytes)
            bayerBlock<evenColour, redRow, kOutputRows>(out, window, width, x);
        bayerLastBlock<evenColour, redRow, kOutputRows>(out, window, width, last);
        return last + kVectorBytes;
    }

    // Groups U Y0 V Y1, four per lane of each of two vectors.
    [[gnu::flatten]] static std::size_t yuv422ToBgr(uint8_t* out, const uint8_t* in,
                                                    std::size_t groups) {
        constexpr std::size_t kBlockGroups = kVectorBytes / 2;
        std::size_t group = 0;
        for (; group + kBlockGroups <= groups; group += kBlockGroups)
            yuv422Block(out + 6 * group, in + 4 * group);
        return group;
    }

    // Groups U Y0 Y1 V Y2 Y3, two per lane of each of two vectors. The last lane reads
    // four bytes past its groups: one group is left to the scalar loop.
    [[gnu::flatten]] static std::size_t yuv411ToBgr(uint8_t* out, const uint8_t* in,
                                                    std::size_t groups) {
        constexpr std::size_t kBlockGroups = kVectorBytes / 4;
        std::size_t group = 0;
        for (; group + kBlockGroups + 1 <= groups; group += kBlockGroups)
            yuv411Block(out + 12 * group, in + 6 * group);
        return group;
    }

    // Five pixels per lane through lanes 15 bytes apart; each lane writes one byte of the
    // next pixel, which the next lane (or step, or the scalar loop) rewrites.
    static std::size_t rgbToBgr(uint8_t* out, const uint8_t* in, std::size_t pixels) {
        static constexpr int8_t kSwap[16] = {2, 1, 0, 5, 4, 3, 8, 7, 6, 11, 10, 9, 14, 13, 12, 15};
        constexpr std::size_t kBlockPixels = 5 * kLaneCount;
        const Bytes mask = Isa::everyLane(kSwap);
        std::size_t pixel = 0;
        for (; pixel + kBlockPixels + 1 <= pixels; pixel += kBlockPixels)
            Isa::storeLanes(out + 3 * pixel, 15,
                            Isa::shuffle(Isa::loadLanes(in + 3 * pixel, 15), mask));
        return pixel;
    }

    // The compiler vectorises the scalar loop well.
    static std::size_t grey16ToGrey8(uint8_t*, const uint8_t*, std::size_t) { return 0; }

    // kVectorBytes / 2 cells per step; the last step overlaps the one before, as for Bayer.
    [[gnu::flatten]] static std::size_t cygmRows(uint8_t* outEven, uint8_t* outOdd,
                                                 const uint8_t* const* cellRows, std::size_t width,
                                                 CygmCell cell) {
        if (width < kVectorBytes) return 0;
        auto block = [&](std::size_t x) {
            Bytes chunks[3];
            cygmBlock(chunks, cellRows[0] + x, cellRows[1] + x, cell);
            Isa::storeChunks(outEven + 3 * x, chunks);
            Isa::storeChunks(outOdd + 3 * x, chunks);
        };
        std::size_t last = width - kVectorBytes;
        for (std::size_t x = 0; x < last; x += kVectorBytes) block(x);
        block(last);
        return width;
    }

private:
    static I16 evenBytes(Bytes bytes) { return reinterpret_cast<I16>(bytes) & 0xFF; }
    static I16 oddBytes(Bytes bytes) {
        return reinterpret_cast<I16>(reinterpret_cast<U16>(bytes) >> 8);
    }

    // Planar blue, green and red bytes (16 pixels per lane, in the order masks name) as
    // three chunks of interleaved BGR per lane.
    static void interleaveBgr(Bytes (&chunks)[3], Bytes blue, Bytes green, Bytes red,
                              const BgrMasks& masks) {
        const Bytes channels[3] = {blue, green, red};
        Bytes spread[3];
        for (int colour = 0; colour < 3; ++colour)
            spread[colour] = Isa::shuffle(channels[colour], Isa::everyLane(masks.spread[colour]));
        const Bytes nextColour = Isa::everyLane(masks.select[0]);
        const Bytes colourAfterNext = Isa::everyLane(masks.select[1]);
        // The blends grouped by selector: SSE4.1's blend reads its selector from one fixed
        // register, which then changes once, not once per blend.
        Bytes twoColours[3];
        for (int chunk = 0; chunk < 3; ++chunk)
            twoColours[chunk] = Isa::blend(spread[chunk], spread[(chunk + 1) % 3], nextColour);
        for (int chunk = 0; chunk < 3; ++chunk)
            chunks[chunk] = Isa::blend(twoColours[chunk], spread[(chunk + 2) % 3], colourAfterNext);
    }
    static void storeBgr(uint8_t* out, Bytes blue, Bytes green, Bytes red, const BgrMasks& masks) {
        Bytes chunks[3];
        interleaveBgr(chunks, blue, green, red, masks);
        Isa::storeChunks(out, chunks);
    }

    // A source row's vectors at column offsets -2, 0 and +2 from a block's first column.
    struct SourceVectors {
        Bytes at[3];
    };

    // The source rows are loaded once for all the block's output rows, which share most of
    // them with their neighbours, and so are their columns split by parity (the compiler
    // drops the loads no formula reads).
    template <Colour evenColour, bool redRow, std::size_t kOutputRows>
    static void bayerBlock(uint8_t* out, const uint8_t* const* rows, std::size_t width,
                           std::size_t x) {
        SourceVectors source[kOutputRows + 4];
        for (std::size_t row = 0; row < kOutputRows + 4; ++row)
            for (std::size_t offset = 0; offset < 3; ++offset)
                source[row].at[offset] = Isa::load(rows[row] + x + 2 * offset - 2);
        bayerBlockFrom<evenColour, redRow, kOutputRows>(out + 3 * x, source, width);
    }

    // The block at column 0. Its columns -2 and -1 are columns 2 and 1, mirrored about the
    // edge as the scalar edge path mirrors them, shifted in ahead of the row's first vector.
    template <Colour evenColour, bool redRow, std::size_t kOutputRows>
    static void bayerFirstBlock(uint8_t* out, const uint8_t* const* rows, std::size_t width) {
        SourceVectors source[kOutputRows + 4];
        for (std::size_t row = 0; row < kOutputRows + 4; ++row) {
            const uint8_t* samples = rows[row];
            const Bytes inside = Isa::load(samples);
            source[row].at[0] = Isa::template bytesFrom<kVectorBytes - 2>(
                everyPair(samples[2], samples[1]), inside);
            source[row].at[1] = inside;
            source[row].at[2] = Isa::load(samples + 2);
        }
        bayerBlockFrom<evenColour, redRow, kOutputRows>(out, source, width);
    }

    // The row's last block, at column `last`. Its columns from the row's width on are
    // width - 2 and width - 3, mirrored, shifted in after the row's last vector: its
    // offset +2 vector starts at that vector's third byte for an even width, its second
    // for an odd one.
    template <Colour evenColour, bool redRow, std::size_t kOutputRows>
    static void bayerLastBlock(uint8_t* out, const uint8_t* const* rows, std::size_t width,
                               std::size_t last) {
        const bool oddWidth = width % 2 != 0;
        SourceVectors source[kOutputRows + 4];
        for (std::size_t row = 0; row < kOutputRows + 4; ++row) {
            const uint8_t* samples = rows[row];
            const Bytes tail = Isa::load(samples + width - kVectorBytes);
            const Bytes beyond = everyPair(samples[width - 2], samples[width - 3]);
            source[row].at[0] = Isa::load(samples + last - 2);
            source[row].at[1] = Isa::load(samples + last);
            source[row].at[2] = oddWidth ? Isa::template bytesFrom<1>(tail, beyond)
                                         : Isa::template bytesFrom<2>(tail, beyond);
        }
        bayerBlockFrom<evenColour, redRow, kOutputRows>(out + 3 * last, source, width);
    }

    // The block's kOutputRows output rows, output rows 3 * width bytes apart.
    template <Colour evenColour, bool redRow, std::size_t kOutputRows>
    static void bayerBlockFrom(uint8_t* out, const SourceVectors* source, std::size_t width) {
        bayerRowBlock<evenColour, redRow>(out, source);
        if constexpr (kOutputRows == 2) {
            bayerRowBlock<evenColourBelow<evenColour, redRow>(), !redRow>(out + 3 * width,
                                                                          source + 1);
        }
    }

    // A vector whose every 16-bit lane holds the bytes first, second.
    static Bytes everyPair(uint8_t first, uint8_t second) {
        return reinterpret_cast<Bytes>(U16{} + static_cast<uint16_t>(first | second << 8));
    }

    // Even lanes hold pixels x + 2k (colour evenColour), odd lanes x + 2k + 1. A load at
    // column offset -2, 0 or +2 gives both parities, so offsets -2 .. +2 of either pixel of
    // a pair are one of six vectors. rows: the five source rows centred on this one.
    template <Colour evenColour, bool redRow>
    static void bayerRowBlock(uint8_t* out, const SourceVectors* rows) {
        auto evenPixels = [rows](int dy, int dx) {
            const Bytes(&at)[3] = rows[dy + 2].at;
            switch (dx) {
            case -2: return evenBytes(at[0]);
            case -1: return oddBytes(at[0]);
            case 0: return evenBytes(at[1]);
            case 1: return oddBytes(at[1]);
            default: return evenBytes(at[2]);
            }
        };
        auto oddPixels = [rows](int dy, int dx) {
            const Bytes(&at)[3] = rows[dy + 2].at;
            switch (dx) {
            case -2: return oddBytes(at[0]);
            case -1: return evenBytes(at[1]);
            case 0: return oddBytes(at[1]);
            case 1: return evenBytes(at[2]);
            default: return oddBytes(at[2]);
            }
        };
        Channels<I16> even = bayerChannels<evenColour, redRow>(evenPixels);
        Channels<I16> odd = bayerChannels<oddColourOf<evenColour, redRow>(), redRow>(oddPixels);
        storeBgr(out, Isa::packToBytes(even.blue, odd.blue),
                 Isa::packToBytes(even.green, odd.green), Isa::packToBytes(even.red, odd.red),
                 kPairOrderMasks);
    }

    // One group per 32-bit lane. After the packs to 16 bits, lane i holds groups 8i .. 8i + 7
    // (from the even and the odd 16-byte chunks), so its 16 pixels are contiguous.
    static void yuv422Block(uint8_t* out, const uint8_t* in) {
        Bytes chunks[2];
        Isa::splitChunks(in, chunks[0], chunks[1]);
        I32 terms[2][3], lumas[2][2];
        for (int h = 0; h < 2; ++h) {
            I32 groups = reinterpret_cast<I32>(chunks[h]);
            I32 u = (groups & 0xFF) - 128, v = ((groups >> 16) & 0xFF) - 128;
            terms[h][0] = blueTerm(u);
            terms[h][1] = greenTerm(u, v);
            terms[h][2] = redTerm(v);
            lumas[h][0] = (groups >> 8) & 0xFF;
            lumas[h][1] = (groups >> 24) & 0xFF;
        }
        I16 luma0 = Isa::packToWords(lumas[0][0], lumas[1][0]);
        I16 luma1 = Isa::packToWords(lumas[0][1], lumas[1][1]);
        Bytes channels[3];
        for (int c = 0; c < 3; ++c) {
            I16 term = Isa::packToWords(terms[0][c], terms[1][c]);
            channels[c] = Isa::packToBytes(luma0 + term, luma1 + term);
        }
        storeBgr(out, channels[0], channels[1], channels[2], kPairOrderMasks);
    }

    // Lane i of `first` holds groups 4i and 4i + 1, of `second` groups 4i + 2 and 4i + 3,
    // so each lane ends up with 16 pixels in order.
    static void yuv411Block(uint8_t* out, const uint8_t* in) {
        static constexpr int8_t kLumaBytes[16] = {1, -1, 2, -1, 4,  -1, 5,  -1,
                                                  7, -1, 8, -1, 10, -1, 11, -1};
        Bytes first = Isa::loadLanes(in, 24), second = Isa::loadLanes(in + 12, 24);
        const Bytes lumaMask = Isa::everyLane(kLumaBytes);
        I16 lumaFirst = reinterpret_cast<I16>(Isa::shuffle(first, lumaMask));
        I16 lumaSecond = reinterpret_cast<I16>(Isa::shuffle(second, lumaMask));
        // Group 4i + k of the lane in 32-bit lane k.
        auto chroma = [first, second](int8_t at) {
            const int8_t fromFirst[16] = {
                at, -1, -1, -1, static_cast<int8_t>(at + 6), -1, -1, -1, -1, -1, -1, -1,
                -1, -1, -1, -1};
            const int8_t fromSecond[16] = {
                -1, -1, -1, -1, -1, -1, -1, -1, at, -1, -1, -1, static_cast<int8_t>(at + 6),
                -1, -1, -1};
            return reinterpret_cast<I32>(Isa::shuffle(first, Isa::everyLane(fromFirst)) |
                                         Isa::shuffle(second, Isa::everyLane(fromSecond))) -
                   128;
        };
        I32 u = chroma(0), v = chroma(3);
        I32 terms[3] = {blueTerm(u), greenTerm(u, v), redTerm(v)};
        // Each group's term over its four pixels: words 0, 1 for `first`, 2, 3 for `second`.
        static constexpr int8_t kSpreadFirst[16] = {0, 1, 0, 1, 0, 1, 0, 1, 2, 3, 2, 3, 2, 3, 2, 3};
        static constexpr int8_t kSpreadSecond[16] = {4, 5, 4, 5, 4, 5, 4, 5,
                                                     6, 7, 6, 7, 6, 7, 6, 7};
        Bytes channels[3];
        for (int c = 0; c < 3; ++c) {
            Bytes words = reinterpret_cast<Bytes>(Isa::packToWords(terms[c], terms[c]));
            I16 first16 = lumaFirst +
                          reinterpret_cast<I16>(Isa::shuffle(words, Isa::everyLane(kSpreadFirst)));
            I16 second16 = lumaSecond + reinterpret_cast<I16>(
                                            Isa::shuffle(words, Isa::everyLane(kSpreadSecond)));
            channels[c] = Isa::packToBytes(first16, second16);
        }
        storeBgr(out, channels[0], channels[1], channels[2], kPixelOrderMasks);
    }

    static void cygmBlock(Bytes (&chunks)[3], const uint8_t* evenRow, const uint8_t* oddRow,
                          CygmCell cell) {
        Bytes evenBytesOfRow = Isa::load(evenRow), oddBytesOfRow = Isa::load(oddRow);
        I16 samples[4] = {evenBytes(evenBytesOfRow), oddBytes(evenBytesOfRow),
                          evenBytes(oddBytesOfRow), oddBytes(oddBytesOfRow)};
        I16 cyan = samples[cell.cyan], yellow = samples[cell.yellow];
        I16 green = samples[cell.green], magenta = samples[cell.magenta];
        I16 blue = cygmBlue(cyan, yellow, magenta);
        I16 greenOut = cygmGreen(cyan, yellow, green, magenta);
        I16 red = cygmRed(cyan, yellow, magenta);
        // Each cell's byte for both of its pixels: the pair order with even = odd.
        interleaveBgr(chunks, Isa::packToBytes(blue, blue), Isa::packToBytes(greenOut, greenOut),
                      Isa::packToBytes(red, red), kPairOrderMasks);
    }
};

}  // namespace
}  // namespace fwt
