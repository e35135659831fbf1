// FWC features 256-266 on an IIDC camera through libdc1394: bounds, values (white
// balance as its two halves) and the off/on/one-push/auto statuses. Each call returns the
// libdc1394 error of the first call that failed; the caller maps it to a status.
#pragma once

#include <dc1394/dc1394.h>

#include <cstdint>
#include <optional>

#include "camera_description.h"

namespace fwdc1394 {

// The feature as the camera describes it, or nullopt when it lacks it.
std::optional<fwc::Feature> inquireFeature(const dc1394featureset_t& features, uint32_t featureId);

dc1394error_t readFeatureValue(dc1394camera_t* camera, uint32_t featureId, uint32_t& value);
dc1394error_t writeFeatureValue(dc1394camera_t* camera, uint32_t featureId, uint32_t value);
dc1394error_t readFeatureStatus(dc1394camera_t* camera, uint32_t featureId, uint32_t& status);
// status must be one of the feature's statuses.
dc1394error_t writeFeatureStatus(dc1394camera_t* camera, uint32_t featureId, uint32_t status);

}  // namespace fwdc1394
