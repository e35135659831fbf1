// Compiled with -mavx2 where the compiler supports it (see CMakeLists.txt).
#include "kernel_set.h"

#if defined(__AVX2__)
#include "kernel_set_instance.h"
#endif

namespace fwt {

const KernelSet* avx2Kernels() {
#if defined(__AVX2__)
    return &kernelSetInstance;
#else
    return nullptr;
#endif
}

}  // namespace fwt
