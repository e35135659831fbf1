#include "kernel_set.h"

namespace fwt {
namespace {

bool processorHasAvx2() {
#if defined(__x86_64__) || defined(__i386__)
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2");
#else
    return false;
#endif
}

const KernelSet& chooseKernels() {
    const KernelSet* avx2 = avx2Kernels();
    return avx2 && processorHasAvx2() ? *avx2 : baselineKernels();
}

}  // namespace

const KernelSet& activeKernels() {
    static const KernelSet& chosen = chooseKernels();
    return chosen;
}

}  // namespace fwt
