// Texts of the statuses, with the detail of the last failure of a kind (which file,
// which place) for the statuses that carry one.
#pragma once

#include <cstdint>
#include <string>

namespace fwc {

// Remembers the detail of a failure with this status and returns the status.
int32_t failWithDetail(int32_t status, const std::string& detail);
// "<text>" or "<text>: <detail>"; an unknown status gives "unknown status <n>".
std::string errorText(int32_t status);

}  // namespace fwc
