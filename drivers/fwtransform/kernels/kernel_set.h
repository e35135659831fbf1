// The conversion kernels of one instruction set. The kernels trust their arguments: the
// exported functions check them first.
#pragma once

#include <cstddef>
#include <cstdint>

namespace fwt {

struct KernelSet {
    void (*yuv411ToBgr)(uint8_t* out, const uint8_t* in, std::size_t groups);
    void (*yuv422ToBgr)(uint8_t* out, const uint8_t* in, std::size_t groups);
    void (*rgbToBgr)(uint8_t* out, const uint8_t* in, std::size_t pixels);
    void (*grey16ToGrey8)(uint8_t* out, const uint8_t* in, std::size_t pixels);
    void (*raw8ToBgr)(uint8_t* out, const uint8_t* in, std::size_t width, std::size_t height,
                      uint32_t pattern);
    void (*raw16ToBgr)(uint8_t* out, const uint8_t* in, std::size_t width, std::size_t height,
                       uint32_t pattern);
    void (*cygmToBgr)(uint8_t* out, const uint8_t* in, std::size_t width, std::size_t height,
                      uint32_t pattern);
};

// Built for any processor of the target architecture.
const KernelSet& baselineKernels();
// Built for AVX2; null when the compiler cannot target it.
const KernelSet* avx2Kernels();
// The fastest set this processor runs, chosen once.
const KernelSet& activeKernels();

}  // namespace fwt
