// The time the machine started, in seconds since 1601: the clock now less the time since
// the start. Two readings differ by the clock's adjustments, so they name the same boot
// when they are close.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "boot_identity.h"

namespace fwc {
namespace {

// Far more than clock adjustments move the reading, far less than a restart takes.
constexpr long long kSameBootSeconds = 60;

long long bootSeconds() {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    const unsigned long long ticks =
        (static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    const unsigned long long sinceStart = GetTickCount64() * 10000ull;
    return static_cast<long long>((ticks - sinceStart) / 10000000ull);
}

}  // namespace

std::string bootIdentity() { return std::to_string(bootSeconds()); }

bool sameBoot(const std::string& kept) {
    char* end = nullptr;
    const long long seconds = std::strtoll(kept.c_str(), &end, 10);
    if (kept.empty() || *end != '\0') return false;
    return std::llabs(seconds - bootSeconds()) <= kSameBootSeconds;
}

}  // namespace fwc
