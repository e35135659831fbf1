#include "bus_module.h"

#include "error_info.h"
#include "fw_status.h"

namespace fwc {

// The Windows build carries the simulated bus only.
std::string libraryFolder() { return {}; }

int32_t loadBusModule(const std::string& name, std::unique_ptr<Bus>& /*bus*/) {
    return failWithDetail(FWC_ERR_BUS_MODULE,
                          "bus " + name + ": only the simulated bus is built for Windows");
}

}  // namespace fwc
