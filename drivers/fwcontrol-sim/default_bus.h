// The bus used when FWCONTROL_SIM_BUS names no file.
#pragma once

namespace fwc {

// A bus description in the JSON schema of bus_description.cpp.
const char* defaultBusDescription();

}  // namespace fwc
