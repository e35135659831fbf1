#include "processor_tier.h"

#if defined(__x86_64__) || defined(__i386__)
#include <cpuid.h>
#endif

namespace fwt {

#if defined(__x86_64__) || defined(__i386__)
namespace {

struct CpuidRegisters {
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
};

CpuidRegisters cpuid(unsigned leaf) {
    CpuidRegisters r;
    if (leaf > __get_cpuid_max(0, nullptr)) return r;
    __cpuid_count(leaf, 0, r.eax, r.ebx, r.ecx, r.edx);
    return r;
}

bool bit(unsigned value, int index) { return (value >> index & 1u) != 0; }

// XCR0: the register states the operating system saves.
unsigned long long enabledStates() {
    unsigned low = 0, high = 0;
    __asm__ volatile("xgetbv" : "=a"(low), "=d"(high) : "c"(0));
    return static_cast<unsigned long long>(high) << 32 | low;
}

constexpr unsigned long long kSseAndYmmStates = 0x6;
constexpr unsigned long long kZmmStates = 0xE0;  // opmask, upper ZMM0..15, ZMM16..31

}  // namespace

Tier processorTier() {
    CpuidRegisters basic = cpuid(1), extended = cpuid(7);
    bool ssse3 = bit(basic.ecx, 9), sse41 = bit(basic.ecx, 19);
    if (!ssse3 || !sse41) return Tier::scalar;
    bool osSavesState = bit(basic.ecx, 27), avx = bit(basic.ecx, 28);
    if (!osSavesState || !avx) return Tier::sse41;
    unsigned long long states = enabledStates();
    if ((states & kSseAndYmmStates) != kSseAndYmmStates || !bit(extended.ebx, 5))
        return Tier::sse41;
    bool avx512 = bit(extended.ebx, 16) && bit(extended.ebx, 30) && bit(extended.ebx, 31);
    if (!avx512 || (states & kZmmStates) != kZmmStates) return Tier::avx2;
    return Tier::avx512;
}

bool processorHasAvx512Vbmi() { return bit(cpuid(7).ecx, 1); }

#else

Tier processorTier() { return Tier::scalar; }

bool processorHasAvx512Vbmi() { return false; }

#endif

}  // namespace fwt
