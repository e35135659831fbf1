#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "kernel_set.h"
#include "processor_tier.h"

namespace fwt {
namespace {

const KernelSet* builtKernels(Tier tier) {
    switch (tier) {
    case Tier::sse41: return sse41Kernels();
    case Tier::avx2: return avx2Kernels();
    case Tier::avx512: return avx512Kernels();
    default: return &baselineKernels();
    }
}

// The tier a FWTRANSFORM_ISA value names; no cap when it is unset or names none.
Tier tierCap(const char* name) {
    if (name == nullptr) return Tier::avx512;
    for (Tier tier : kAllTiers)
        if (std::strcmp(name, tierName(tier)) == 0) return tier;
    return Tier::avx512;
}

// The tier itself when its set is built, else the widest built one below (the scalar set
// always is).
Tier widestBuiltUpTo(Tier tier) {
    while (builtKernels(tier) == nullptr) tier = static_cast<Tier>(static_cast<int>(tier) - 1);
    return tier;
}

}  // namespace

const KernelSet& kernelsOf(Tier tier) { return *builtKernels(widestBuiltUpTo(tier)); }

Tier tierToRun(Tier processor, const char* capName) {
    return widestBuiltUpTo(std::min(processor, tierCap(capName)));
}

Tier activeTier() {
    static const Tier chosen = tierToRun(processorTier(), std::getenv("FWTRANSFORM_ISA"));
    return chosen;
}

const KernelSet& activeKernels() {
    static const KernelSet& chosen = kernelsOf(activeTier());
    return chosen;
}

}  // namespace fwt
