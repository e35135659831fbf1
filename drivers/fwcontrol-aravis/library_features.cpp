#include "library_features.h"

#include "camera_clock.h"
#include "camera_trigger.h"
#include "feature_map.h"
#include "fw_status.h"
#include "fwcontrol.h"
#include "user_sets.h"

namespace fwaravis {
namespace {

constexpr uint32_t kServed[] = {kFrameCounter, kUserProfile, kFrameBufferCount, kCycleTime,
                                kBusTrigger};
constexpr uint32_t kLargestValue = 0xFFFFFFFEu;
// The newest frame holds up to two of the stream's buffers (newest_frame.h): a third keeps
// the stream filling.
constexpr uint32_t kFewestStreamBuffers = 3;
constexpr uint32_t kMostStreamBuffers = 64;

// A counter's value within the library's range, wrapping to 0 after its largest value.
uint32_t wrapped(uint64_t value) {
    return static_cast<uint32_t>(value % (uint64_t{kLargestValue} + 1));
}

bool present(const GenicamAccess& genicam, uint32_t id) {
    switch (id) {
    case kFrameCounter:
    case kFrameBufferCount: return true;
    case kUserProfile: return hasUserSets(genicam);
    case kCycleTime: return hasClock(genicam);
    case kBusTrigger: return hasSoftwareTrigger(genicam);
    default: return false;
    }
}

}  // namespace

bool LibraryFeatures::serves(uint32_t id) {
    for (uint32_t served : kServed)
        if (served == id) return true;
    return false;
}

bool LibraryFeatures::isSetting(uint32_t id) { return id == kFrameBufferCount; }

int32_t LibraryFeatures::bounds(const GenicamAccess& genicam, uint32_t id, uint32_t& min,
                                uint32_t& max) const {
    if (!present(genicam, id)) return FWC_ERR_FEATURE_NOT_PRESENT;
    min = 0;
    switch (id) {
    case kFrameCounter:
    case kCycleTime: max = kLargestValue; return FW_STATUS_OK;
    case kFrameBufferCount:
        min = kFewestStreamBuffers;
        max = kMostStreamBuffers;
        return FW_STATUS_OK;
    case kBusTrigger: max = 1; return FW_STATUS_OK;
    default: {
        uint32_t count = 0;
        const int32_t status = userSetCount(genicam, count);
        if (status == FW_STATUS_OK && count == 0) return FWC_ERR_FEATURE_NOT_PRESENT;
        max = count - 1;
        return status;
    }
    }
}

bool LibraryFeatures::hasStatus(const GenicamAccess& genicam, uint32_t id, uint32_t status) const {
    if (status == FWC_STATUS_ON) return true;
    return status == FWC_STATUS_ONE_PUSH && id == kUserProfile &&
           genicam.implemented("UserSetSave");
}

void LibraryFeatures::describe(const GenicamAccess& genicam,
                               std::vector<fwc::Feature>& features) const {
    for (uint32_t id : kServed) {
        fwc::Feature feature;
        feature.id = id;
        if (bounds(genicam, id, feature.min, feature.max) != FW_STATUS_OK) continue;
        value(genicam, id, feature.value);
        for (uint32_t status = FWC_STATUS_OFF; status <= FWC_STATUS_AUTO; ++status)
            if (hasStatus(genicam, id, status)) feature.statuses.push_back(status);
        feature.status = FWC_STATUS_ON;
        features.push_back(feature);
    }
}

int32_t LibraryFeatures::value(const GenicamAccess& genicam, uint32_t id, uint32_t& value) const {
    if (!present(genicam, id)) return FWC_ERR_FEATURE_NOT_PRESENT;
    switch (id) {
    case kFrameCounter: value = wrapped(newestFrameId_); return FW_STATUS_OK;
    case kFrameBufferCount: value = streamBuffers_; return FW_STATUS_OK;
    case kBusTrigger: value = 0; return FW_STATUS_OK;
    case kCycleTime: {
        uint64_t microseconds = 0;
        const int32_t status = readClock(genicam, microseconds);
        if (status == FW_STATUS_OK) value = wrapped(microseconds);
        return status;
    }
    default: return selectedUserSet(genicam, value);
    }
}

int32_t LibraryFeatures::setValue(const GenicamAccess& genicam, uint32_t id, uint32_t value) {
    uint32_t min = 0, max = 0;
    const int32_t status = bounds(genicam, id, min, max);
    if (status != FW_STATUS_OK) return status;
    if (id == kFrameCounter || id == kCycleTime) return FWC_ERR_INVALID_ARGUMENT;
    if (value < min || value > max) return FWC_ERR_VALUE_OUT_OF_RANGE;
    switch (id) {
    case kFrameBufferCount: streamBuffers_ = value; return FW_STATUS_OK;
    case kBusTrigger: return value == 1 ? fireSoftwareTrigger(genicam) : FW_STATUS_OK;
    default: return loadUserSet(genicam, value);
    }
}

int32_t LibraryFeatures::status(const GenicamAccess& genicam, uint32_t id, uint32_t& status) const {
    if (!present(genicam, id)) return FWC_ERR_FEATURE_NOT_PRESENT;
    status = FWC_STATUS_ON;
    return FW_STATUS_OK;
}

int32_t LibraryFeatures::setStatus(const GenicamAccess& genicam, uint32_t id,
                                   uint32_t status) const {
    if (!present(genicam, id)) return FWC_ERR_FEATURE_NOT_PRESENT;
    if (status > FWC_STATUS_AUTO) return FWC_ERR_INVALID_ARGUMENT;
    if (!hasStatus(genicam, id, status)) return FWC_ERR_FEATURE_STATUS_UNSUPPORTED;
    return status == FWC_STATUS_ONE_PUSH ? saveUserSet(genicam) : FW_STATUS_OK;
}

}  // namespace fwaravis
