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
    static constexpr KernelSet set = kernelSetWith<SimdVectorParts<Avx512Isa>>();
    return &set;
#else
    return nullptr;
#endif
}

}  // namespace fwt
