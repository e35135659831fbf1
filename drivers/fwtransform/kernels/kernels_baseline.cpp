// Compiled for any processor of the target architecture.
#include "kernel_set_instance.h"
#include "scalar_only.h"

namespace fwt {

const KernelSet& baselineKernels() {
    static constexpr KernelSet set = kernelSetWith<ScalarOnly>();
    return set;
}

}  // namespace fwt
