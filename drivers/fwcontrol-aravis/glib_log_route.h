// GLib's and Aravis's log messages kept out of the host's terminal: the newest one is
// held, and the bus adds it to the detail of the next failure it reports, which the
// plug-in writes to its diagnostic stream.
#pragma once

#include <string>

namespace fwaravis {

// Installs the handlers once per process; later calls do nothing.
void routeGlibLogs();
// The newest message since the last call, empty when there was none.
std::string takeGlibMessage();

}  // namespace fwaravis
