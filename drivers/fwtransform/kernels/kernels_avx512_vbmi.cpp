// Compiled with -mavx512vbmi besides the AVX-512 options where the compiler supports it
// (see CMakeLists.txt). VBMI's two-source byte permute moves any of 128 bytes to any of
// 64 places in one instruction: the byte moves then cost about what a copy costs.
#include "kernel_set.h"

#if defined(__AVX512VBMI__) && defined(__AVX512BW__) && defined(__AVX512VL__)
#include <array>

#include "isa_avx512.h"
#include "kernel_set_instance.h"
#include "simd_vector_parts.h"
#endif

namespace fwt {

#if defined(__AVX512VBMI__) && defined(__AVX512BW__) && defined(__AVX512VL__)
namespace {

using ByteIndices = std::array<uint8_t, 64>;

// 64 pixels (192 bytes) per step. Output vector c takes its bytes from the 128 input bytes
// from kRgbWindow[c] on, which hold every pixel it touches.
constexpr std::size_t kRgbWindow[3] = {0, 32, 64};

constexpr std::array<ByteIndices, 3> makeRgbToBgrIndices() {
    std::array<ByteIndices, 3> indices{};
    for (std::size_t c = 0; c < 3; ++c) {
        for (std::size_t j = 0; j < 64; ++j) {
            std::size_t position = 64 * c + j;
            std::size_t source = position - position % 3 + (2 - position % 3);
            indices[c][j] = static_cast<uint8_t>(source - kRgbWindow[c]);
        }
    }
    return indices;
}

constexpr ByteIndices makeEvenByteIndices() {
    ByteIndices indices{};
    for (std::size_t j = 0; j < 64; ++j) indices[j] = static_cast<uint8_t>(2 * j);
    return indices;
}

constexpr std::array<ByteIndices, 3> kRgbToBgrIndices = makeRgbToBgrIndices();
constexpr ByteIndices kEvenByteIndices = makeEvenByteIndices();

__m512i loadIndices(const ByteIndices& indices) { return _mm512_loadu_si512(indices.data()); }

__m512i permuteWindow(const uint8_t* window, __m512i indices) {
    return _mm512_permutex2var_epi8(_mm512_loadu_si512(window), indices,
                                    _mm512_loadu_si512(window + 64));
}

// The AVX-512 vector parts with the byte moves done by VBMI permutes.
struct Avx512VbmiParts : SimdVectorParts<Avx512Isa> {
    static std::size_t rgbToBgr(uint8_t* out, const uint8_t* in, std::size_t pixels) {
        const __m512i indices[3] = {loadIndices(kRgbToBgrIndices[0]),
                                    loadIndices(kRgbToBgrIndices[1]),
                                    loadIndices(kRgbToBgrIndices[2])};
        std::size_t pixel = 0;
        for (; pixel + 64 <= pixels; pixel += 64) {
            const uint8_t* block = in + 3 * pixel;
            for (std::size_t c = 0; c < 3; ++c)
                _mm512_storeu_si512(out + 3 * pixel + 64 * c,
                                    permuteWindow(block + kRgbWindow[c], indices[c]));
        }
        return pixel;
    }

    // The camera's big-endian words: the most significant byte comes first.
    static std::size_t grey16ToGrey8(uint8_t* out, const uint8_t* in, std::size_t pixels) {
        const __m512i indices = loadIndices(kEvenByteIndices);
        std::size_t pixel = 0;
        for (; pixel + 64 <= pixels; pixel += 64)
            _mm512_storeu_si512(out + pixel, permuteWindow(in + 2 * pixel, indices));
        return pixel;
    }
};

}  // namespace
#endif

const KernelSet* avx512VbmiKernels() {
#if defined(__AVX512VBMI__) && defined(__AVX512BW__) && defined(__AVX512VL__)
    static constexpr KernelSet set = kernelSetWith<Avx512VbmiParts>();
    return &set;
#else
    return nullptr;
#endif
}

}  // namespace fwt
