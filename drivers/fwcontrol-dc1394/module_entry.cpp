// The module's one export: the factory libfwcontrol looks up when FWCONTROL_BUSES names
// "dc1394".
#include "dc1394_bus.h"

FWC_BUS_EXPORT fwc::Bus* fwc_bus_create_v2(void) {
    try {
        return new fwdc1394::Dc1394Bus;
    } catch (...) {
        return nullptr;
    }
}
