// A camera's area of interest through Width, Height, OffsetX and OffsetY.
#pragma once

#include "format7_area.h"
#include "genicam_access.h"

namespace fwaravis {

// Limits at the current binning: the largest size is WidthMax/HeightMax (the sensor's
// size where those are missing). A camera without offsets has its area at 0, 0.
int32_t readAreaLimits(const GenicamAccess& genicam, AreaLimits& limits);
int32_t readArea(const GenicamAccess& genicam, Area& area);
// Offsets go to 0 first, so that any accepted size fits, then the size, then the offsets.
int32_t writeArea(const GenicamAccess& genicam, const Area& area);

}  // namespace fwaravis
