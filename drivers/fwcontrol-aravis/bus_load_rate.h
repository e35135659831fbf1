// Format 7 bus load (1..1000, thousandths of the link) as a GenICam camera's frame rate:
// the same share of its highest AcquisitionFrameRate, with the rate's enable switched on;
// 1000 lets the camera run at its own pace.
#pragma once

#include <cstdint>

#include "genicam_access.h"

namespace fwaravis {

// The camera has a frame rate to set (AcquisitionFrameRate or AcquisitionFrameRateAbs) with
// a highest rate it tells; a rate without bounds cannot carry a share.
bool hasFrameRateLimit(const GenicamAccess& genicam);
// busLoad is bounded to 1..1000 first.
int32_t writeBusLoad(const GenicamAccess& genicam, uint32_t busLoad);
// The bus load the camera's frame rate stands for: 1000 while the rate is not enabled.
int32_t readBusLoad(const GenicamAccess& genicam, uint32_t& busLoad);

}  // namespace fwaravis
