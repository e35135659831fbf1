#include <cstdio>

#include "camera_claim.h"

namespace fwc {
namespace {

// 64-bit FNV-1a.
uint64_t hashOf(const std::string& text) {
    uint64_t hash = 14695981039346656037ull;
    for (const char c : text) hash = (hash ^ static_cast<uint8_t>(c)) * 1099511628211ull;
    return hash;
}

}  // namespace

std::string claimNamespace(const std::string& busKey) {
    char digits[17];
    std::snprintf(digits, sizeof digits, "%016llx",
                  static_cast<unsigned long long>(hashOf(busKey)));
    return digits;
}

}  // namespace fwc
