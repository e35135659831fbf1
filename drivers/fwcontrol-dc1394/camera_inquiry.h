// What an open IIDC camera offers, read through libdc1394 into the library's camera
// description: fixed formats with their rates, Format 7 modes with units, codings and
// colour filters, features 256-266, the trigger input and the present format.
#pragma once

#include <dc1394/dc1394.h>

#include <cstdint>
#include <map>

#include "camera_description.h"

namespace fwdc1394 {

struct Inquiry {
    fwc::CameraDescription description;
    // FWC_INFO_BAYER_PATTERN of each Format 7 mode, by mode.
    std::map<uint32_t, uint32_t> bayerByMode;
};

// Fills formats, features and trigger; vendor, model and id stay as they are.
dc1394error_t inquireCamera(dc1394camera_t* camera, Inquiry& inquiry);
// The present format: a fixed mode and rate, or a Format 7 mode with its area.
dc1394error_t readCurrentFormat(dc1394camera_t* camera, fwc::CurrentFormat& current);

}  // namespace fwdc1394
