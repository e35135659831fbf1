// What initialize and finalize do, and their state as the other exports see it.
#pragma once

#include <cstdint>

#include "lorvenacam.h"

namespace lvc {

int32_t initializePlugin(const char* systemPath, LvcDebugMsgProc debugMsgProc);
int32_t finalizePlugin();
// True between the first successful initialize and the last finalize.
bool pluginInitialized();

}  // namespace lvc
