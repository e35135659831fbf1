// Compiled with -mavx2 where the compiler supports it (see CMakeLists.txt).
#include "kernel_set.h"

#if defined(__AVX2__)
#include "avx2_vector_parts.h"
#include "kernel_set_instance.h"
#endif

namespace fwt {

const KernelSet* avx2Kernels() {
#if defined(__AVX2__)
    static constexpr KernelSet set = kernelSetWith<Avx2VectorParts>();
    return &set;
#else
    return nullptr;
#endif
}

}  // namespace fwt
