// The module's one export: the factory libfwcontrol looks up when FWCONTROL_BUSES names
// "aravis".
#include "aravis_bus.h"

FWC_BUS_EXPORT fwc::Bus* fwc_bus_create_v2(void) {
    try {
        return new fwaravis::AravisBus;
    } catch (...) {
        return nullptr;
    }
}
