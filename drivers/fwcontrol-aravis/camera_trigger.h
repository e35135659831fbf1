// The camera's FrameStart trigger through TriggerMode, ExposureMode and TriggerActivation.
#pragma once

#include "genicam_access.h"
#include "trigger_map.h"

namespace fwaravis {

bool hasTrigger(const GenicamAccess& genicam);
int32_t readTrigger(const GenicamAccess& genicam, TriggerSetting& setting);
// FWC_ERR_NO_TRIGGER without a trigger; FWC_ERR_INVALID_ARGUMENT for a mode or polarity
// the camera does not offer. The trigger source is left as it is.
int32_t writeTrigger(const GenicamAccess& genicam, const TriggerSetting& setting);

}  // namespace fwaravis
