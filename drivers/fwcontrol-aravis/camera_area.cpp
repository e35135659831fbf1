#include "camera_area.h"

#include <algorithm>

#include "fw_status.h"

namespace fwaravis {
namespace {

uint32_t toUnsigned(int64_t value) {
    return static_cast<uint32_t>(std::clamp<int64_t>(value, 0, UINT32_MAX));
}

// The size a dimension can reach at offset 0.
int32_t readLargest(const GenicamAccess& genicam, const char* maxFeature, const char* sizeFeature,
                    uint32_t& largest) {
    int64_t value = 0, min = 0;
    int32_t status = genicam.implemented(maxFeature)
                         ? genicam.integer(maxFeature, value)
                         : genicam.integerBounds(sizeFeature, min, value);
    largest = toUnsigned(value);
    return status;
}

int32_t readSizeLimits(const GenicamAccess& genicam, const char* feature, uint32_t& minimum,
                       uint32_t& unit) {
    int64_t min = 0, max = 0, increment = 1;
    int32_t status = genicam.integerBounds(feature, min, max);
    if (status == FW_STATUS_OK) status = genicam.integerIncrement(feature, increment);
    minimum = std::max(toUnsigned(min), 1u);
    unit = std::max(toUnsigned(increment), 1u);
    return status;
}

int32_t readPositionUnit(const GenicamAccess& genicam, const char* feature, uint32_t largest,
                         uint32_t& unit) {
    if (!genicam.implemented(feature)) {
        unit = std::max(largest, 1u);
        return FW_STATUS_OK;
    }
    int64_t increment = 1;
    const int32_t status = genicam.integerIncrement(feature, increment);
    unit = std::max(toUnsigned(increment), 1u);
    return status;
}

}  // namespace

int32_t readAreaLimits(const GenicamAccess& genicam, AreaLimits& limits) {
    const int32_t statuses[] = {
        readLargest(genicam, "WidthMax", "Width", limits.maxWidth),
        readLargest(genicam, "HeightMax", "Height", limits.maxHeight),
        readSizeLimits(genicam, "Width", limits.minWidth, limits.unitWidth),
        readSizeLimits(genicam, "Height", limits.minHeight, limits.unitHeight),
        readPositionUnit(genicam, "OffsetX", limits.maxWidth, limits.unitLeft),
        readPositionUnit(genicam, "OffsetY", limits.maxHeight, limits.unitTop),
    };
    for (int32_t status : statuses)
        if (status != FW_STATUS_OK) return status;
    return FW_STATUS_OK;
}

int32_t readArea(const GenicamAccess& genicam, Area& area) {
    int64_t left = 0, top = 0, width = 0, height = 0;
    int32_t status = genicam.integer("Width", width);
    if (status == FW_STATUS_OK) status = genicam.integer("Height", height);
    if (status == FW_STATUS_OK && genicam.implemented("OffsetX"))
        status = genicam.integer("OffsetX", left);
    if (status == FW_STATUS_OK && genicam.implemented("OffsetY"))
        status = genicam.integer("OffsetY", top);
    area = {toUnsigned(left), toUnsigned(top), toUnsigned(width), toUnsigned(height)};
    return status;
}

int32_t writeArea(const GenicamAccess& genicam, const Area& area) {
    const bool movable = genicam.implemented("OffsetX") && genicam.implemented("OffsetY");
    int32_t status = FW_STATUS_OK;
    if (movable) status = genicam.setInteger("OffsetX", 0);
    if (status == FW_STATUS_OK && movable) status = genicam.setInteger("OffsetY", 0);
    if (status == FW_STATUS_OK) status = genicam.setInteger("Width", area.width);
    if (status == FW_STATUS_OK) status = genicam.setInteger("Height", area.height);
    if (status == FW_STATUS_OK && movable) status = genicam.setInteger("OffsetX", area.left);
    if (status == FW_STATUS_OK && movable) status = genicam.setInteger("OffsetY", area.top);
    return status;
}

}  // namespace fwaravis
