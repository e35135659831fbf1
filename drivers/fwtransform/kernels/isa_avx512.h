// AVX-512 (F, BW, VL) primitives of the vector kernels: four 128-bit lanes per vector.
// Only the translation unit compiled for AVX-512 includes this.
#pragma once

#include <immintrin.h>

#include <cstddef>
#include <cstdint>

namespace fwt {
namespace {

// The masked forms of broadcast, extract and alignr (all lanes kept) avoid GCC 12's false
// "used uninitialized" warning on the unmasked ones.
struct Avx512Isa {
    typedef int16_t I16 __attribute__((vector_size(64)));
    typedef uint16_t U16 __attribute__((vector_size(64)));
    typedef int32_t I32 __attribute__((vector_size(64)));
    using Bytes = __m512i;
    // Bayer output rows per pass: two rows share four source rows' loads and column splits,
    // which 32 registers hold.
    static constexpr std::size_t kBayerRowsPerPass = 2;

    static Bytes load(const uint8_t* bytes) { return _mm512_loadu_si512(bytes); }
    static void store(uint8_t* bytes, Bytes value) { _mm512_storeu_si512(bytes, value); }
    static Bytes loadLanes(const uint8_t* first, std::size_t stride) {
        Bytes value = _mm512_castsi128_si512(load128(first));
        value = _mm512_inserti32x4(value, load128(first + stride), 1);
        value = _mm512_inserti32x4(value, load128(first + 2 * stride), 2);
        return _mm512_inserti32x4(value, load128(first + 3 * stride), 3);
    }
    static void storeLanes(uint8_t* first, std::size_t stride, Bytes value) {
        store128(first, _mm512_maskz_extracti32x4_epi32(0xF, value, 0));
        store128(first + stride, _mm512_maskz_extracti32x4_epi32(0xF, value, 1));
        store128(first + 2 * stride, _mm512_maskz_extracti32x4_epi32(0xF, value, 2));
        store128(first + 3 * stride, _mm512_maskz_extracti32x4_epi32(0xF, value, 3));
    }
    static void splitChunks(const uint8_t* in, Bytes& even, Bytes& odd) {
        Bytes first = load(in), second = load(in + 64);
        even =
            _mm512_permutex2var_epi64(first, _mm512_setr_epi64(0, 1, 4, 5, 8, 9, 12, 13), second);
        odd =
            _mm512_permutex2var_epi64(first, _mm512_setr_epi64(2, 3, 6, 7, 10, 11, 14, 15), second);
    }
    static Bytes everyLane(const int8_t* bytes) {
        return _mm512_maskz_broadcast_i32x4(0xFFFF,
                                            load128(reinterpret_cast<const uint8_t*>(bytes)));
    }
    static Bytes shuffle(Bytes bytes, Bytes mask) { return _mm512_shuffle_epi8(bytes, mask); }
    // Bytes k .. k + 63 of low followed by high: each lane from the two lanes it overlaps.
    template <int k>
    static Bytes bytesFrom(Bytes low, Bytes high) {
        return _mm512_alignr_epi8(lanesFrom<k / 16 + 1>(low, high), lanesFrom<k / 16>(low, high),
                                  k % 16);
    }
    static Bytes blend(Bytes a, Bytes b, Bytes selector) {
        return _mm512_mask_blend_epi8(_mm512_movepi8_mask(selector), a, b);
    }
    static Bytes packToBytes(I16 a, I16 b) {
        return _mm512_packus_epi16(reinterpret_cast<__m512i>(a), reinterpret_cast<__m512i>(b));
    }
    static I16 packToWords(I32 a, I32 b) {
        return reinterpret_cast<I16>(
            _mm512_packs_epi32(reinterpret_cast<__m512i>(a), reinterpret_cast<__m512i>(b)));
    }
    // Units (chunk, lane) in output order: 00 10 20 01 | 11 21 02 12 | 22 03 13 23. Each
    // output takes two chunks with one permute, then its third chunk's lane.
    static void storeChunks(uint8_t* out, const Bytes (&chunks)[3]) {
        const Bytes c0 = chunks[0], c1 = chunks[1], c2 = chunks[2];
        Bytes first = _mm512_permutex2var_epi64(c0, _mm512_setr_epi64(0, 1, 8, 9, 0, 0, 2, 3), c1);
        first = _mm512_mask_permutexvar_epi64(first, 0x30,
                                              _mm512_setr_epi64(0, 0, 0, 0, 0, 1, 0, 0), c2);
        Bytes second =
            _mm512_permutex2var_epi64(c1, _mm512_setr_epi64(2, 3, 0, 0, 12, 13, 4, 5), c0);
        second = _mm512_mask_permutexvar_epi64(second, 0x0C,
                                               _mm512_setr_epi64(0, 0, 2, 3, 0, 0, 0, 0), c2);
        Bytes third =
            _mm512_permutex2var_epi64(c2, _mm512_setr_epi64(4, 5, 14, 15, 0, 0, 6, 7), c0);
        third = _mm512_mask_permutexvar_epi64(third, 0x30,
                                              _mm512_setr_epi64(0, 0, 0, 0, 6, 7, 0, 0), c1);
        store(out, first);
        store(out + 64, second);
        store(out + 128, third);
    }

private:
    // The four 128-bit lanes from lane `first` of low followed by high.
    template <int first>
    static Bytes lanesFrom(Bytes low, Bytes high) {
        if constexpr (first == 0)
            return low;
        else if constexpr (first == 4)
            return high;
        else
            return _mm512_maskz_alignr_epi64(0xFF, high, low, 2 * first);
    }
    static __m128i load128(const uint8_t* bytes) {
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
    }
    static void store128(uint8_t* bytes, __m128i value) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(bytes), value);
    }
};

}  // namespace
}  // namespace fwt
