// The camera's look-up tables through LUTSelector, LUTIndex, LUTValue and LUTEnable.
#pragma once

#include <cstdint>

#include "genicam_access.h"

namespace fwaravis {

struct LutInfo {
    uint32_t count = 0;     // LUTSelector entries (1 without a selector)
    uint32_t maxValue = 0;  // LUTValue's largest value
    uint32_t elements = 0;  // LUTIndex's largest value + 1
};

// FWC_ERR_NO_LUT for a camera without LUTValue.
int32_t readLutInfo(const GenicamAccess& genicam, LutInfo& info);
// values: count bytes, 0..255, scaled to LUTValue's range; count must be the table's size.
int32_t uploadLut(const GenicamAccess& genicam, uint32_t lut, const uint8_t* values,
                  uint32_t count);
int32_t useLut(const GenicamAccess& genicam, uint32_t lut, bool on);

}  // namespace fwaravis
