// Compiled with -mavx512f -mavx512bw -mavx512vl where the compiler supports it and the
// target is 64-bit (see CMakeLists.txt).
#include "kernel_set.h"

#if defined(__AVX512BW__) && defined(__AVX512VL__)
#include "isa_avx512.h"
#include "kernel_set_instance.h"
#include "simd_vector_parts.h"
#endif

namespace fwt {

const KernelSet* avx512Kernels() {
#if defined(__AVX512BW__) && defined(__AVX512VL__)
    // 512-bit vectors pay for the demosaics and YUV. The byte moves (RGB to BGR, 16 to 8
    // bits) and the binning are bound by memory and measured no faster than with AVX2,
    // whose kernels they keep.
    static const KernelSet set = [] {
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
