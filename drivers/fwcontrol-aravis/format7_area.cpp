#include "format7_area.h"

#include <algorithm>

namespace fwaravis {
namespace {

uint32_t roundDown(uint32_t value, uint32_t unit) { return value / unit * unit; }
uint32_t roundUp(uint32_t value, uint32_t unit) { return (value + unit - 1) / unit * unit; }

uint32_t boundSize(uint32_t requested, uint32_t minimum, uint32_t unit, uint32_t limit) {
    const uint32_t largest = roundDown(limit, unit);
    const uint32_t smallest = std::min(roundUp(std::max(minimum, unit), unit), largest);
    if (largest == 0) return limit;
    return std::clamp(roundDown(requested, unit), smallest, largest);
}

uint32_t boundPosition(uint32_t requested, uint32_t unit, uint32_t size, uint32_t limit) {
    return roundDown(std::min(requested, limit - size), unit);
}

}  // namespace

Area fitArea(const Area& requested, const AreaLimits& limits) {
    Area accepted;
    accepted.width = boundSize(requested.width, limits.minWidth, std::max(limits.unitWidth, 1u),
                               limits.maxWidth);
    accepted.height = boundSize(requested.height, limits.minHeight, std::max(limits.unitHeight, 1u),
                                limits.maxHeight);
    accepted.left = boundPosition(requested.left, std::max(limits.unitLeft, 1u), accepted.width,
                                  limits.maxWidth);
    accepted.top = boundPosition(requested.top, std::max(limits.unitTop, 1u), accepted.height,
                                 limits.maxHeight);
    return accepted;
}

}  // namespace fwaravis
