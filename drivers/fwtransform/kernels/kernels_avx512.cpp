// Compiled with -mavx512f -mavx512bw -mavx512vl where the compiler supports it and the
// target is 64-bit (see CMakeLists.txt).
#include "kernel_set.h"
#include "processor_tier.h"

#if defined(__AVX512BW__) && defined(__AVX512VL__)
#include "isa_avx512.h"
#include "kernel_set_instance.h"
#include "simd_vector_parts.h"
#endif

namespace fwt {

const KernelSet* avx512Kernels() {
#if defined(__AVX512BW__) && defined(__AVX512VL__)
    // 512-bit vectors pay for the demosaics and YUV. Without VBMI the byte moves (RGB to
    // BGR, 16 to 8 bits) measured no faster than with AVX2, whose kernels they keep, as
    // does the binning, bound by memory.
    static const KernelSet set = [] {
        if (const KernelSet* vbmi = avx512VbmiKernels(); vbmi && processorHasAvx512Vbmi()) {
            KernelSet permuting = *vbmi;
            if (const KernelSet* avx2 = avx2Kernels()) permuting.cygmToBgr = avx2->cygmToBgr;
            return permuting;
        }
        KernelSet wide = kernelSetWith<SimdVectorParts<Avx512Isa>>();
        if (const KernelSet* avx2 = avx2Kernels()) {
            wide.rgbToBgr = avx2->rgbToBgr;
            wide.grey16ToGrey8 = avx2->grey16ToGrey8;
            wide.cygmToBgr = avx2->cygmToBgr;
        }
        return wide;
    }();
    return &set;
#else
    return nullptr;
#endif
}

}  // namespace fwt
