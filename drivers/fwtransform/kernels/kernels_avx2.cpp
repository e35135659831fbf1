// Compiled with -mavx2 where the compiler supports it (see CMakeLists.txt).
#include "kernel_set.h"

#if defined(__AVX2__)
#include "isa_avx2.h"
#include "kernel_set_instance.h"
#include "simd_vector_parts.h"
#endif

namespace fwt {

const KernelSet* avx2Kernels() {
#if defined(__AVX2__)
    static constexpr KernelSet set = kernelSetWith<SimdVectorParts<Avx2Isa>>();
    return &set;
#else
    return nullptr;
#endif
}

}  // namespace fwt
