// The conversion kernels of one instruction set. The kernels trust their arguments: the
// exported functions check them first.
#pragma once

#include <cstddef>
#include <cstdint>

#include "tier.h"

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
// Built for SSE4.1, AVX2 and AVX-512; null when the compiler cannot target the set.
const KernelSet* sse41Kernels();
const KernelSet* avx2Kernels();
const KernelSet* avx512Kernels();
// The AVX-512 set with VBMI byte permutes; null when the compiler cannot target VBMI.
const KernelSet* avx512VbmiKernels();

// The set of a tier, or the one of the widest tier below it that is built.
const KernelSet& kernelsOf(Tier tier);
// The widest built tier at most `processor` and the tier capName names (no cap when null
// or not a tier name).
Tier tierToRun(Tier processor, const char* capName);
// The tier that runs: the widest this processor and its operating system run, capped by
// the environment variable FWTRANSFORM_ISA (a tier name), and built. Chosen once.
Tier activeTier();
const KernelSet& activeKernels();

}  // namespace fwt
