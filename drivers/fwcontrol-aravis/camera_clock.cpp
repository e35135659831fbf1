#include "camera_clock.h"

#include "fw_status.h"

namespace fwaravis {
namespace {

constexpr uint64_t kNanosecondsPerMicrosecond = 1000;
constexpr uint64_t kMicrosecondsPerSecond = 1000000;

bool hasStandardClock(const GenicamAccess& genicam) {
    return genicam.implemented("TimestampLatch") && genicam.implemented("TimestampLatchValue");
}

bool hasGigeClock(const GenicamAccess& genicam) {
    return genicam.implemented("GevTimestampControlLatch") &&
           genicam.implemented("GevTimestampValue") &&
           genicam.implemented("GevTimestampTickFrequency");
}

}  // namespace

bool hasClock(const GenicamAccess& genicam) {
    return hasStandardClock(genicam) || hasGigeClock(genicam);
}

int32_t readClock(const GenicamAccess& genicam, uint64_t& microseconds) {
    int64_t value = 0;
    if (hasStandardClock(genicam)) {
        int32_t status = genicam.execute("TimestampLatch");
        if (status == FW_STATUS_OK) status = genicam.integer("TimestampLatchValue", value);
        microseconds = static_cast<uint64_t>(value) / kNanosecondsPerMicrosecond;
        return status;
    }
    if (!hasGigeClock(genicam)) return FWC_ERR_FEATURE_NOT_PRESENT;
    int64_t ticksPerSecond = 0;
    int32_t status = genicam.integer("GevTimestampTickFrequency", ticksPerSecond);
    if (status == FW_STATUS_OK) status = genicam.execute("GevTimestampControlLatch");
    if (status == FW_STATUS_OK) status = genicam.integer("GevTimestampValue", value);
    if (status != FW_STATUS_OK) return status;
    if (ticksPerSecond <= 0) return FWC_ERR_FEATURE_NOT_PRESENT;
    // Whole seconds and the rest apart, so that large tick counts do not overflow.
    const auto ticks = static_cast<uint64_t>(value);
    const auto frequency = static_cast<uint64_t>(ticksPerSecond);
    microseconds = ticks / frequency * kMicrosecondsPerSecond +
                   ticks % frequency * kMicrosecondsPerSecond / frequency;
    return FW_STATUS_OK;
}

}  // namespace fwaravis
