// Failures a test asks for: the next calls of a named FWC_ function fail with a status.
#pragma once

#include <cstdint>

namespace fwsim {

// count 0 cancels. Returns FWC_ERR_INVALID_ARGUMENT for an unknown call name, a zero
// status or a negative count.
int32_t injectFailure(const char* callName, int32_t status, int32_t count);
// The status the call fails with now, or 0; uses up one injected failure.
int32_t takeInjectedFailure(const char* callName);
void clearInjectedFailures();

}  // namespace fwsim
