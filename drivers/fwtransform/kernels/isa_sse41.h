// SSE4.1 primitives of the vector kernels: one 128-bit lane per vector. Only the
// translation unit compiled with -msse4.1 includes this.
#pragma once

#include <immintrin.h>

#include <cstddef>
#include <cstdint>

namespace fwt {
namespace {

struct Sse41Isa {
    typedef int16_t I16 __attribute__((vector_size(16)));
    typedef uint16_t U16 __attribute__((vector_size(16)));
    typedef int32_t I32 __attribute__((vector_size(16)));
    using Bytes = __m128i;
    // Bayer output rows per pass: two rows would share four source rows' loads and column
    // splits, but with 16 registers the values they share spill, and measured slower.
    static constexpr std::size_t kBayerRowsPerPass = 1;

    static Bytes load(const uint8_t* bytes) {
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
    }
    static void store(uint8_t* bytes, Bytes value) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(bytes), value);
    }
    // Lane i from first + i * stride.
    static Bytes loadLanes(const uint8_t* first, std::size_t) { return load(first); }
    // Lane i to first + i * stride, in ascending order.
    static void storeLanes(uint8_t* first, std::size_t, Bytes value) { store(first, value); }
    // The 16 bytes of `in`, or 2 vectors of them: lanes of even 16-byte chunks, of odd ones.
    static void splitChunks(const uint8_t* in, Bytes& even, Bytes& odd) {
        even = load(in);
        odd = load(in + 16);
    }
    // The same 16 bytes in every lane.
    static Bytes everyLane(const int8_t* bytes) {
        return load(reinterpret_cast<const uint8_t*>(bytes));
    }
    static Bytes shuffle(Bytes bytes, Bytes mask) { return _mm_shuffle_epi8(bytes, mask); }
    // Bytes k .. k + 15 of low followed by high.
    template <int k>
    static Bytes bytesFrom(Bytes low, Bytes high) {
        return _mm_alignr_epi8(high, low, k);
    }
    // The bytes of b where selector's byte has its top bit set, of a elsewhere.
    static Bytes blend(Bytes a, Bytes b, Bytes selector) { return _mm_blendv_epi8(a, b, selector); }
    // Signed 16-bit lanes to bytes saturated to 0..255, a's then b's per 128-bit lane.
    static Bytes packToBytes(I16 a, I16 b) {
        return _mm_packus_epi16(reinterpret_cast<__m128i>(a), reinterpret_cast<__m128i>(b));
    }
    static I16 packToWords(I32 a, I32 b) {
        return reinterpret_cast<I16>(
            _mm_packs_epi32(reinterpret_cast<__m128i>(a), reinterpret_cast<__m128i>(b)));
    }
    // Three chunks per lane, lane i of chunk c to 16-byte unit 3 * i + c of out.
    static void storeChunks(uint8_t* out, const Bytes (&chunks)[3]) {
        for (int c = 0; c < 3; ++c) store(out + 16 * c, chunks[c]);
    }
};

}  // namespace
}  // namespace fwt
