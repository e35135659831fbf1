// What this processor and its operating system run.
#pragma once

#include "tier.h"

namespace fwt {

// The widest tier whose instructions the processor has and whose registers the operating
// system saves on a context switch (XGETBV): SSE4.1 needs SSSE3 and SSE4.1; AVX2 also AVX
// and the YMM state; AVX-512 also F, BW and VL and the opmask and ZMM state.
Tier processorTier();

// Whether the processor has AVX-512 VBMI's byte permutes (the AVX-512 tier's state checks
// apply).
bool processorHasAvx512Vbmi();

}  // namespace fwt
