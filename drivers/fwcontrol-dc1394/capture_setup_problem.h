// What a failed dc1394_capture_setup means for the user: on IEEE 1394 the bus's
// isochronous bandwidth or channels may be taken by other cameras.
#pragma once

#include <dc1394/dc1394.h>

#include <string>

namespace fwdc1394 {

std::string captureSetupProblem(dc1394error_t error);

}  // namespace fwdc1394
