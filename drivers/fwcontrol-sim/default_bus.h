// The bus used when FWCONTROL_SIM_BUS names no file.
#ifndef FWSIM_DEFAULT_BUS_H
#define FWSIM_DEFAULT_BUS_H

namespace fwsim {

// A bus description in the JSON schema of bus_description.cpp.
const char* defaultBusDescription();

}  // namespace fwsim

#endif
