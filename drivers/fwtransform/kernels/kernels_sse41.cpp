// Compiled with -msse4.1 where the compiler supports it (see CMakeLists.txt).
#include "kernel_set.h"

#if defined(__SSE4_1__)
#include "isa_sse41.h"
#include "kernel_set_instance.h"
#include "simd_vector_parts.h"
#endif

namespace fwt {

const KernelSet* sse41Kernels() {
#if defined(__SSE4_1__)
    static constexpr KernelSet set = kernelSetWith<SimdVectorParts<Sse41Isa>>();
    return &set;
#else
    return nullptr;
#endif
}

}  // namespace fwt
