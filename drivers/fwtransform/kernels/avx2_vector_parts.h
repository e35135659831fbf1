// The vector parts of the kernels with AVX2 intrinsics, 32 pixels per step. Only the
// translation unit compiled with -mavx2 includes this; the scalar loops finish each row.
// Arithmetic runs in 16- and 32-bit lanes of GCC vector types, with the same formula
// templates as the scalar code.
#pragma once

#include <immintrin.h>

#include "bayer_demosaic.h"
#include "cygm_binning.h"
#include "yuv_to_bgr.h"

namespace fwt {
namespace {

typedef int16_t I16x16 __attribute__((vector_size(32)));
typedef int32_t I32x8 __attribute__((vector_size(32)));

inline __m256i load256(const uint8_t* bytes) {
    return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(bytes));
}
inline void store256(uint8_t* bytes, __m256i value) {
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(bytes), value);
}
inline __m128i load128(const uint8_t* bytes) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
}
inline void store128(uint8_t* bytes, __m128i value) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(bytes), value);
}
// Two 16-byte loads, one per lane.
inline __m256i loadLanes(const uint8_t* low, const uint8_t* high) {
    return _mm256_inserti128_si256(_mm256_castsi128_si256(load128(low)), load128(high), 1);
}
// Signed 16-bit lanes to bytes, saturated to 0..255: a's lanes then b's, per 128-bit lane.
inline __m256i packToBytes(I16x16 a, I16x16 b) {
    return _mm256_packus_epi16(reinterpret_cast<__m256i>(a), reinterpret_cast<__m256i>(b));
}

// Byte of pixel p (0..15) inside a lane of a channel vector: in pixel order, or in the
// order packToBytes(even pixels, odd pixels) leaves them (0, 2, ..., 14, 1, 3, ..., 15).
constexpr int laneByteOf(int pixel, bool pairPacked) {
    if (!pairPacked) return pixel;
    return pixel % 2 == 0 ? pixel / 2 : 8 + pixel / 2;
}

// Shuffle masks that spread the 16 pixels of a lane's blue, green and red bytes over the
// three 16-byte chunks of their 48 interleaved BGR bytes.
struct BgrMasks {
    alignas(32) int8_t bytes[3][3][32];  // chunk, channel, byte
};
constexpr BgrMasks makeBgrMasks(bool pairPacked) {
    BgrMasks masks{};
    for (int chunk = 0; chunk < 3; ++chunk) {
        for (int channel = 0; channel < 3; ++channel) {
            for (int j = 0; j < 16; ++j) {
                int position = 16 * chunk + j;
                int8_t source = position % 3 == channel
                                    ? static_cast<int8_t>(laneByteOf(position / 3, pairPacked))
                                    : int8_t{-128};
                masks.bytes[chunk][channel][j] = source;
                masks.bytes[chunk][channel][16 + j] = source;
            }
        }
    }
    return masks;
}
constexpr BgrMasks pixelOrderMasks = makeBgrMasks(false);
constexpr BgrMasks pairOrderMasks = makeBgrMasks(true);

// 32 pixels (lane 0: pixels 0..15, lane 1: 16..31) of planar blue, green and red bytes as
// 96 interleaved bytes, in three 32-byte vectors.
struct Bgr96 {
    __m256i parts[3];

    void storeTo(uint8_t* out) const {
        for (int i = 0; i < 3; ++i) store256(out + 32 * i, parts[i]);
    }
};
inline Bgr96 interleaveBgr(__m256i blue, __m256i green, __m256i red, const BgrMasks& masks) {
    __m256i chunks[3];
    for (int chunk = 0; chunk < 3; ++chunk) {
        auto mask = [&](int channel) {
            return _mm256_load_si256(reinterpret_cast<const __m256i*>(masks.bytes[chunk][channel]));
        };
        chunks[chunk] = _mm256_or_si256(_mm256_or_si256(_mm256_shuffle_epi8(blue, mask(0)),
                                                        _mm256_shuffle_epi8(green, mask(1))),
                                        _mm256_shuffle_epi8(red, mask(2)));
    }
    // Lane 0 made bytes 0..47, lane 1 bytes 48..95.
    return {{_mm256_permute2x128_si256(chunks[0], chunks[1], 0x20),
             _mm256_permute2x128_si256(chunks[2], chunks[0], 0x30),
             _mm256_permute2x128_si256(chunks[1], chunks[2], 0x31)}};
}

struct Avx2VectorParts {
    // Bayer: 32 pixels from column x (even) need columns x - 2 .. x + 33. The last block
    // ends at the last even start that fits, overlapping the one before: it rewrites the
    // same values, and few columns are left to the slower scalar paths.
    template <Colour evenColour, bool redRow>
    static std::size_t bayerInterior(uint8_t* out, const uint8_t* const* rows, std::size_t width) {
        if (width < 36) return 2;
        std::size_t last = (width - 34) & ~std::size_t{1};
        for (std::size_t x = 2; x < last; x += 32)
            bayerBlock<evenColour, redRow>(out + 3 * x, rows, x);
        bayerBlock<evenColour, redRow>(out + 3 * last, rows, last);
        return last + 32;
    }

    static std::size_t yuv422ToBgr(uint8_t* out, const uint8_t* in, std::size_t groups) {
        std::size_t group = 0;
        for (; group + 16 <= groups; group += 16) yuv422Block(out + 6 * group, in + 4 * group);
        return group;
    }

    // Reads four bytes past the eighth group: one group is left to the scalar loop.
    static std::size_t yuv411ToBgr(uint8_t* out, const uint8_t* in, std::size_t groups) {
        std::size_t group = 0;
        for (; group + 9 <= groups; group += 8) yuv411Block(out + 12 * group, in + 6 * group);
        return group;
    }

    // Ten pixels per step through two overlapping 16-byte lanes; each step writes one byte
    // of the next pixel, which the next step (or the scalar loop) rewrites.
    static std::size_t rgbToBgr(uint8_t* out, const uint8_t* in, std::size_t pixels) {
        const __m256i swap = _mm256_setr_epi8(2, 1, 0, 5, 4, 3, 8, 7, 6, 11, 10, 9, 14, 13, 12, 15,
                                              2, 1, 0, 5, 4, 3, 8, 7, 6, 11, 10, 9, 14, 13, 12, 15);
        std::size_t pixel = 0;
        for (; pixel + 11 <= pixels; pixel += 10) {
            __m256i swapped =
                _mm256_shuffle_epi8(loadLanes(in + 3 * pixel, in + 3 * pixel + 15), swap);
            store128(out + 3 * pixel, _mm256_castsi256_si128(swapped));
            store128(out + 3 * pixel + 15, _mm256_extracti128_si256(swapped, 1));
        }
        return pixel;
    }

    // The compiler vectorises the scalar loop well.
    static std::size_t grey16ToGrey8(uint8_t*, const uint8_t*, std::size_t) { return 0; }

    // 16 cells (32 columns) per step; the last step overlaps the one before, as for Bayer.
    static std::size_t cygmRows(uint8_t* outEven, uint8_t* outOdd, const uint8_t* const* cellRows,
                                std::size_t width, CygmCell cell) {
        if (width < 32) return 0;
        auto block = [&](std::size_t x) {
            Bgr96 bgr = cygmBlock(cellRows[0] + x, cellRows[1] + x, cell);
            bgr.storeTo(outEven + 3 * x);
            bgr.storeTo(outOdd + 3 * x);
        };
        std::size_t last = width - 32;
        for (std::size_t x = 0; x < last; x += 32) block(x);
        block(last);
        return width;
    }

private:
    static I16x16 evenBytes(__m256i bytes) {
        return reinterpret_cast<I16x16>(_mm256_and_si256(bytes, _mm256_set1_epi16(0x00FF)));
    }
    static I16x16 oddBytes(__m256i bytes) {
        return reinterpret_cast<I16x16>(_mm256_srli_epi16(bytes, 8));
    }

    // Even lanes hold pixels x + 2k (colour evenColour), odd lanes x + 2k + 1. A load at
    // column offset -2, 0 or +2 gives both parities, so offsets -2 .. +2 of either pixel of
    // a pair are one of six vectors.
    template <Colour evenColour, bool redRow>
    static void bayerBlock(uint8_t* out, const uint8_t* const* rows, std::size_t x) {
        auto at = [rows, x](int dy, std::ptrdiff_t offset) {
            return load256(rows[dy + 2] + static_cast<std::ptrdiff_t>(x) + offset);
        };
        auto evenPixels = [&at](int dy, int dx) {
            switch (dx) {
            case -2: return evenBytes(at(dy, -2));
            case -1: return oddBytes(at(dy, -2));
            case 0: return evenBytes(at(dy, 0));
            case 1: return oddBytes(at(dy, 0));
            default: return evenBytes(at(dy, 2));
            }
        };
        auto oddPixels = [&at](int dy, int dx) {
            switch (dx) {
            case -2: return oddBytes(at(dy, -2));
            case -1: return evenBytes(at(dy, 0));
            case 0: return oddBytes(at(dy, 0));
            case 1: return evenBytes(at(dy, 2));
            default: return oddBytes(at(dy, 2));
            }
        };
        Channels<I16x16> even = bayerChannels<evenColour, redRow>(evenPixels);
        Channels<I16x16> odd = bayerChannels<oddColourOf<evenColour, redRow>(), redRow>(oddPixels);
        interleaveBgr(packToBytes(even.blue, odd.blue), packToBytes(even.green, odd.green),
                      packToBytes(even.red, odd.red), pairOrderMasks)
            .storeTo(out);
    }

    // 16 groups U Y0 V Y1, one per 32-bit lane.
    static void yuv422Block(uint8_t* out, const uint8_t* in) {
        __m256i first = load256(in), second = load256(in + 32);
        // Groups 0..3 and 8..11, then 4..7 and 12..15: after the packs to 16 bits lane 0
        // holds groups 0..7 and lane 1 groups 8..15.
        I32x8 halves[2] = {reinterpret_cast<I32x8>(_mm256_permute2x128_si256(first, second, 0x20)),
                           reinterpret_cast<I32x8>(_mm256_permute2x128_si256(first, second, 0x31))};
        I32x8 terms[2][3], lumas[2][2];
        for (int h = 0; h < 2; ++h) {
            I32x8 u = (halves[h] & 0xFF) - 128, v = ((halves[h] >> 16) & 0xFF) - 128;
            terms[h][0] = blueTerm(u);
            terms[h][1] = greenTerm(u, v);
            terms[h][2] = redTerm(v);
            lumas[h][0] = (halves[h] >> 8) & 0xFF;
            lumas[h][1] = (halves[h] >> 24) & 0xFF;
        }
        auto pack = [](I32x8 a, I32x8 b) {
            return reinterpret_cast<I16x16>(
                _mm256_packs_epi32(reinterpret_cast<__m256i>(a), reinterpret_cast<__m256i>(b)));
        };
        I16x16 luma0 = pack(lumas[0][0], lumas[1][0]), luma1 = pack(lumas[0][1], lumas[1][1]);
        __m256i channels[3];
        for (int c = 0; c < 3; ++c) {
            I16x16 term = pack(terms[0][c], terms[1][c]);
            channels[c] = packToBytes(luma0 + term, luma1 + term);
        }
        interleaveBgr(channels[0], channels[1], channels[2], pairOrderMasks).storeTo(out);
    }

    // 8 groups U Y0 Y1 V Y2 Y3, two per 16-byte lane.
    static void yuv411Block(uint8_t* out, const uint8_t* in) {
        // Lanes: groups 0, 1 | 2, 3 and groups 4, 5 | 6, 7.
        __m256i first = loadLanes(in, in + 12), second = loadLanes(in + 24, in + 36);
        const __m256i lumaBytes =
            _mm256_setr_epi8(1, -1, 2, -1, 4, -1, 5, -1, 7, -1, 8, -1, 10, -1, 11, -1, 1, -1, 2, -1,
                             4, -1, 5, -1, 7, -1, 8, -1, 10, -1, 11, -1);
        I16x16 lumaFirst = reinterpret_cast<I16x16>(_mm256_shuffle_epi8(first, lumaBytes));
        I16x16 lumaSecond = reinterpret_cast<I16x16>(_mm256_shuffle_epi8(second, lumaBytes));
        // One group per 32-bit lane: lane 0 groups 0, 1, 4, 5; lane 1 groups 2, 3, 6, 7.
        auto chroma = [first, second](int at) {
            const __m256i fromFirst = _mm256_setr_epi8(
                at, -1, -1, -1, at + 6, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, at, -1, -1, -1,
                at + 6, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1);
            const __m256i fromSecond = _mm256_setr_epi8(
                -1, -1, -1, -1, -1, -1, -1, -1, at, -1, -1, -1, at + 6, -1, -1, -1, -1, -1, -1, -1,
                -1, -1, -1, -1, at, -1, -1, -1, at + 6, -1, -1, -1);
            return reinterpret_cast<I32x8>(
                       _mm256_or_si256(_mm256_shuffle_epi8(first, fromFirst),
                                       _mm256_shuffle_epi8(second, fromSecond))) -
                   128;
        };
        I32x8 u = chroma(0), v = chroma(3);
        I32x8 terms[3] = {blueTerm(u), greenTerm(u, v), redTerm(v)};
        // Each group's term over its four pixels: words 0, 1 for the first vector's lanes,
        // words 2, 3 for the second's.
        const __m256i spreadFirst =
            _mm256_setr_epi8(0, 1, 0, 1, 0, 1, 0, 1, 2, 3, 2, 3, 2, 3, 2, 3, 0, 1, 0, 1, 0, 1, 0, 1,
                             2, 3, 2, 3, 2, 3, 2, 3);
        const __m256i spreadSecond =
            _mm256_setr_epi8(4, 5, 4, 5, 4, 5, 4, 5, 6, 7, 6, 7, 6, 7, 6, 7, 4, 5, 4, 5, 4, 5, 4, 5,
                             6, 7, 6, 7, 6, 7, 6, 7);
        __m256i channels[3];
        for (int c = 0; c < 3; ++c) {
            __m256i words = _mm256_packs_epi32(reinterpret_cast<__m256i>(terms[c]),
                                               reinterpret_cast<__m256i>(terms[c]));
            I16x16 first16 =
                lumaFirst + reinterpret_cast<I16x16>(_mm256_shuffle_epi8(words, spreadFirst));
            I16x16 second16 =
                lumaSecond + reinterpret_cast<I16x16>(_mm256_shuffle_epi8(words, spreadSecond));
            // Pixels 0..7, 16..23 | 8..15, 24..31, then in order.
            channels[c] = _mm256_permute4x64_epi64(packToBytes(first16, second16), 0xD8);
        }
        interleaveBgr(channels[0], channels[1], channels[2], pixelOrderMasks).storeTo(out);
    }

    static Bgr96 cygmBlock(const uint8_t* evenRow, const uint8_t* oddRow, CygmCell cell) {
        __m256i evenBytesOfRow = load256(evenRow), oddBytesOfRow = load256(oddRow);
        I16x16 samples[4] = {evenBytes(evenBytesOfRow), oddBytes(evenBytesOfRow),
                             evenBytes(oddBytesOfRow), oddBytes(oddBytesOfRow)};
        I16x16 cyan = samples[cell.cyan], yellow = samples[cell.yellow];
        I16x16 green = samples[cell.green], magenta = samples[cell.magenta];
        I16x16 blue = cygmBlue(cyan, yellow, magenta);
        I16x16 greenOut = cygmGreen(cyan, yellow, green, magenta);
        I16x16 red = cygmRed(cyan, yellow, magenta);
        // Each cell's byte for both of its pixels: the pair order with even = odd.
        return interleaveBgr(packToBytes(blue, blue), packToBytes(greenOut, greenOut),
                             packToBytes(red, red), pairOrderMasks);
    }
};

}  // namespace
}  // namespace fwt
