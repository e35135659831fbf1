// Which buses FWC_Init starts: the comma-separated names in FWCONTROL_BUSES; without it,
// the "buses = ..." line of fwcontrol-buses.conf in the library's folder, for hosts that
// cannot set their environment; without either, the simulated bus alone.
//
// fwcontrol-buses.conf: blank lines and lines starting with # are skipped; one line
//   buses = sim, aravis
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace fwc {

constexpr const char* kBusSettingsFileName = "fwcontrol-buses.conf";

// FWC_ERR_BUS_MODULE, with the origin of the names as the detail, when a name is not a
// bus name (lower-case letters, digits and _) or is given twice. An empty list means sim.
int32_t parseBusList(const std::string& list, const std::string& origin,
                     std::vector<std::string>& names);
// The list of a settings file's text; FWC_ERR_BUS_MODULE for a line it does not know.
int32_t parseBusSettings(const std::string& text, const std::string& origin,
                         std::vector<std::string>& names);
// libraryFolder ends in a separator; empty: no settings file is read.
int32_t selectedBuses(const std::string& libraryFolder, std::vector<std::string>& names);

}  // namespace fwc
