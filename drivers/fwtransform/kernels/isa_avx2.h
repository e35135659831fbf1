// AVX2 primitives of the vector kernels: two 128-bit lanes per vector. Only the translation
// units compiled with -mavx2 include this.
#pragma once

#include <immintrin.h>

#include <cstddef>
#include <cstdint>

namespace fwt {
namespace {

struct Avx2Isa {
    typedef int16_t I16 __attribute__((vector_size(32)));
    typedef uint16_t U16 __attribute__((vector_size(32)));
    typedef int32_t I32 __attribute__((vector_size(32)));
    using Bytes = __m256i;
    // Bayer output rows per pass: one, as for SSE4.1 (16 registers).
    static constexpr std::size_t kBayerRowsPerPass = 1;

    static Bytes load(const uint8_t* bytes) {
        return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(bytes));
    }
    static void store(uint8_t* bytes, Bytes value) {
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(bytes), value);
    }
    static Bytes loadLanes(const uint8_t* first, std::size_t stride) {
        return _mm256_inserti128_si256(_mm256_castsi128_si256(load128(first)),
                                       load128(first + stride), 1);
    }
    static void storeLanes(uint8_t* first, std::size_t stride, Bytes value) {
        store128(first, _mm256_castsi256_si128(value));
        store128(first + stride, _mm256_extracti128_si256(value, 1));
    }
    static void splitChunks(const uint8_t* in, Bytes& even, Bytes& odd) {
        Bytes first = load(in), second = load(in + 32);
        even = _mm256_permute2x128_si256(first, second, 0x20);
        odd = _mm256_permute2x128_si256(first, second, 0x31);
    }
    static Bytes everyLane(const int8_t* bytes) {
        return _mm256_broadcastsi128_si256(load128(reinterpret_cast<const uint8_t*>(bytes)));
    }
    static Bytes shuffle(Bytes bytes, Bytes mask) { return _mm256_shuffle_epi8(bytes, mask); }
    // Bytes k .. k + 31 of low followed by high: each lane from the two lanes it overlaps.
    template <int k>
    static Bytes bytesFrom(Bytes low, Bytes high) {
        const Bytes middle = _mm256_permute2x128_si256(low, high, 0x21);
        if constexpr (k < 16)
            return _mm256_alignr_epi8(middle, low, k);
        else
            return _mm256_alignr_epi8(high, middle, k - 16);
    }
    static Bytes blend(Bytes a, Bytes b, Bytes selector) {
        return _mm256_blendv_epi8(a, b, selector);
    }
    static Bytes packToBytes(I16 a, I16 b) {
        return _mm256_packus_epi16(reinterpret_cast<__m256i>(a), reinterpret_cast<__m256i>(b));
    }
    static I16 packToWords(I32 a, I32 b) {
        return reinterpret_cast<I16>(
            _mm256_packs_epi32(reinterpret_cast<__m256i>(a), reinterpret_cast<__m256i>(b)));
    }
    static void storeChunks(uint8_t* out, const Bytes (&chunks)[3]) {
        store(out, _mm256_permute2x128_si256(chunks[0], chunks[1], 0x20));
        store(out + 32, _mm256_permute2x128_si256(chunks[2], chunks[0], 0x30));
        store(out + 64, _mm256_permute2x128_si256(chunks[1], chunks[2], 0x31));
    }

private:
    static __m128i load128(const uint8_t* bytes) {
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
    }
    static void store128(uint8_t* bytes, __m128i value) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(bytes), value);
    }
};

}  // namespace
}  // namespace fwt
