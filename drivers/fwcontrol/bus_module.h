// Buses other than the simulated one live in modules of their own,
// libfwcontrol-<name>.so beside libfwcontrol.so, so that a host that does not name them
// never loads their libraries. A module stays loaded for the life of the process: the
// libraries under it (GLib) cannot be unloaded safely.
#pragma once

#include <memory>
#include <string>

#include "fwcontrol_bus.h"

namespace fwc {

// The folder this library was loaded from, ending in a separator; empty when unknown.
std::string libraryFolder();

// Loads the module of the bus name and creates its bus; FWC_ERR_BUS_MODULE, with the
// module's path and the loader's reason as its detail, when that fails.
int32_t loadBusModule(const std::string& name, std::unique_ptr<Bus>& bus);

}  // namespace fwc
