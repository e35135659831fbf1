#include "kernel_set_instance.h"

namespace fwt {

const KernelSet& baselineKernels() { return kernelSetInstance; }

}  // namespace fwt
