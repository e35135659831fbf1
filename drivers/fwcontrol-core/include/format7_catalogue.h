// The answers FWC_EnumFreeModes and FWC_GetFreeModeInfo give from a camera's Format 7
// modes, the same on every bus.
#pragma once

#include <cstdint>
#include <vector>

#include "camera_description.h"

namespace fwc {

struct Format7Entry {
    uint32_t mode = 0;
    uint32_t coding = 0;
    uint32_t width = 0;
    uint32_t height = 0;
};

// Entry position counts every (mode, coding) pair, modes in order; FWC_ERR_ENUM_END past
// the last.
int32_t format7Entry(const std::vector<Format7Mode>& modes, uint32_t position, Format7Entry& entry);
// kind is an FWC_FREEMODE_ item; FWC_ERR_NO_FREE_MODE for a mode the camera lacks.
int32_t format7Info(const std::vector<Format7Mode>& modes, uint32_t mode, uint32_t kind,
                    uint32_t& value);

}  // namespace fwc
