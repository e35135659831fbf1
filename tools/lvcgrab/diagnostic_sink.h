// The host's DebugMsgProc: echoes the plug-in's lines to standard error when asked to,
// and keeps the counts a summary reports (dropped frames, the plug-in's statistics lines).
#pragma once

#include <cstdint>

#include "lorvenacam.h"

namespace lvcgrab {

struct PluginStatistics {
    int32_t lines = 0;
    int32_t requested = 0;
    int32_t received = 0;
    int32_t delivered = 0;
};

void setVerboseDiagnostics(bool verbose);
// Runs on any thread, possibly several at once.
void LVC_CALL receiveDiagnostic(const char* text);
// "Frame dropped" reports for the port since the program started.
int32_t droppedFrameCount(int32_t port);
// Sums of the plug-in's statistics lines for the port.
PluginStatistics pluginStatistics(int32_t port);

}  // namespace lvcgrab
