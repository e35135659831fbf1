#include "aoi_rounding.h"

#include <algorithm>
#include <numeric>

#include "pixel_format.h"

namespace fwc {
namespace {

uint32_t roundDown(uint32_t value, uint32_t unit) { return value / unit * unit; }

// The largest multiple of step within limit, or limit itself when no multiple fits.
uint32_t boundSize(uint32_t requested, uint32_t step, uint32_t limit) {
    const uint32_t largest = roundDown(limit, step);
    if (largest == 0) return limit;
    return std::clamp(roundDown(requested, step), step, largest);
}

uint32_t boundPosition(uint32_t requested, uint32_t unit, uint32_t size, uint32_t limit) {
    return roundDown(std::min(requested, limit - size), unit);
}

}  // namespace

uint32_t widthStep(const Format7Mode& mode, uint32_t coding, bool interlaced) {
    const uint32_t step = std::lcm(mode.unitWidth, codingPixelGroup(coding));
    return interlaced ? std::lcm(step, 2u) : step;
}

uint32_t heightStep(const Format7Mode& mode, bool interlaced) {
    return interlaced ? std::lcm(mode.unitHeight, 2u) : mode.unitHeight;
}

AreaOfInterest roundAoi(const Format7Mode& mode, uint32_t coding, bool interlaced,
                        const AreaOfInterest& requested) {
    AreaOfInterest accepted;
    accepted.width = boundSize(requested.width, widthStep(mode, coding, interlaced), mode.maxWidth);
    accepted.height = boundSize(requested.height, heightStep(mode, interlaced), mode.maxHeight);
    accepted.left = boundPosition(requested.left, mode.unitLeft, accepted.width, mode.maxWidth);
    accepted.top = boundPosition(requested.top, mode.unitTop, accepted.height, mode.maxHeight);
    return accepted;
}

uint32_t boundBusLoad(uint32_t busLoad) { return std::clamp<uint32_t>(busLoad, 1, 1000); }

}  // namespace fwc
