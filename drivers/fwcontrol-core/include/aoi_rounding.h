// How a Format 7 mode accepts an area of interest and a bus load.
#pragma once

#include <cstdint>

#include "camera_description.h"

namespace fwc {

struct AreaOfInterest {
    uint32_t left = 0;
    uint32_t top = 0;
    uint32_t width = 0;
    uint32_t height = 0;
};

// Width and height step of a mode in a coding: the mode's unit, made a multiple of the
// coding's pixel group (YUV411 4, YUV422 2) and, for interlaced sensors, of 2 (fields
// and CYGM cells).
uint32_t widthStep(const Format7Mode& mode, uint32_t coding, bool interlaced);
uint32_t heightStep(const Format7Mode& mode, bool interlaced);

// Sizes are rounded down to their step (at least one step, at most the sensor); positions
// are rounded down to their unit after being pulled in so that the area fits the sensor.
AreaOfInterest roundAoi(const Format7Mode& mode, uint32_t coding, bool interlaced,
                        const AreaOfInterest& requested);
// 1..1000; 0 counts as 1.
uint32_t boundBusLoad(uint32_t busLoad);

}  // namespace fwc
