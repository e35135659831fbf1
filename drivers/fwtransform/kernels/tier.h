// The instruction-set tiers of the kernels, from the plainest to the widest.
#pragma once

#include <cstdint>

namespace fwt {

enum class Tier : uint8_t { scalar, sse41, avx2, avx512 };

constexpr Tier kAllTiers[] = {Tier::scalar, Tier::sse41, Tier::avx2, Tier::avx512};

// "scalar", "sse41", "avx2" or "avx512": the names FWTRANSFORM_ISA takes.
constexpr const char* tierName(Tier tier) {
    constexpr const char* kNames[] = {"scalar", "sse41", "avx2", "avx512"};
    return kNames[static_cast<int>(tier)];
}

}  // namespace fwt
