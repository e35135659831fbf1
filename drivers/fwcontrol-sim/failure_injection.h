// Failures a test asks for: the next calls of a named FWC_ function fail with a status.
#pragma once

#include <cstdint>

namespace fwc {

// count 0 cancels. Returns FWC_ERR_INVALID_ARGUMENT for an unknown call name, a zero
// status or a negative count.
int32_t injectFailure(const char* callName, int32_t status, int32_t count);
// Counts the call. The status the call fails with now, or 0; uses up one injected failure.
int32_t takeInjectedFailure(const char* callName);
void clearInjectedFailures();
// The index-th call name failures can be injected into; null past the last.
const char* injectableCall(uint32_t index);
// How often the named call was made in this process.
int32_t countOfCalls(const char* callName, uint32_t& count);

}  // namespace fwc
