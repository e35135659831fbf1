#include "capture_setup_problem.h"

namespace fwdc1394 {

std::string captureSetupProblem(dc1394error_t error) {
    switch (error) {
    case DC1394_NO_BANDWIDTH:
        return "not enough isochronous bandwidth on the bus for this format: lower the bus load "
               "or the frame rate, or stop another camera on the bus";
    case DC1394_NO_ISO_CHANNEL:
        return "no free isochronous channel on the bus: stop another camera on the bus, or set "
               "ISOCHANNEL to a free channel";
    default: return std::string("dc1394_capture_setup failed: ") + dc1394_error_get_string(error);
    }
}

}  // namespace fwdc1394
