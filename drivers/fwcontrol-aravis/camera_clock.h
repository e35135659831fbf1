// The camera's clock: its timestamp latched now, in µs.
#pragma once

#include <cstdint>

#include "genicam_access.h"

namespace fwaravis {

// TimestampLatch with TimestampLatchValue in ns, or GevTimestampControlLatch with
// GevTimestampValue in ticks of GevTimestampTickFrequency.
bool hasClock(const GenicamAccess& genicam);
int32_t readClock(const GenicamAccess& genicam, uint64_t& microseconds);

}  // namespace fwaravis
