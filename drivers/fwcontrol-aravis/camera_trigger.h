// The camera's FrameStart trigger through TriggerMode, ExposureMode and TriggerActivation.
#pragma once

#include "genicam_access.h"
#include "trigger_map.h"

namespace fwaravis {

bool hasTrigger(const GenicamAccess& genicam);
int32_t readTrigger(const GenicamAccess& genicam, TriggerSetting& setting);
// FWC_ERR_NO_TRIGGER without a trigger; FWC_ERR_INVALID_ARGUMENT for a mode or polarity
// the camera does not offer. A source a bus trigger left at Software goes back to the
// camera's first input line; any other source is left as it is.
int32_t writeTrigger(const GenicamAccess& genicam, const TriggerSetting& setting);

// A bus trigger: the camera has TriggerSoftware and a Software trigger source.
bool hasSoftwareTrigger(const GenicamAccess& genicam);
// Sets the FrameStart trigger's source to Software and fires TriggerSoftware once; a
// camera whose trigger is off goes on running on its own.
int32_t fireSoftwareTrigger(const GenicamAccess& genicam);

}  // namespace fwaravis
