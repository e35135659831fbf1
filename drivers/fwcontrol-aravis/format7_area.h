// A camera's Width, Height, OffsetX and OffsetY as a Format 7 area: its limits and units,
// and how a requested area is rounded and bounded (Aravis writes any value it is given).
#pragma once

#include <cstdint>

namespace fwaravis {

struct AreaLimits {
    uint32_t maxWidth = 0;  // at offset 0
    uint32_t maxHeight = 0;
    uint32_t minWidth = 1;
    uint32_t minHeight = 1;
    uint32_t unitWidth = 1;
    uint32_t unitHeight = 1;
    uint32_t unitLeft = 1;
    uint32_t unitTop = 1;
};

struct Area {
    uint32_t left = 0;
    uint32_t top = 0;
    uint32_t width = 0;
    uint32_t height = 0;
};

// Sizes are rounded down to their unit, at least the smallest size and at most the
// largest; positions are pulled in so that the area fits, then rounded down to their unit.
Area fitArea(const Area& requested, const AreaLimits& limits);

}  // namespace fwaravis
