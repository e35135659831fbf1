// The two machine-wide named mutexes of the plug-in, opened by the first initialize and
// closed by the last finalize.
#pragma once

#include "platform/named_mutex.h"

namespace lvc {

// Opens (or creates) "LORVENACAM_ENUMERATION_MUTEX" and "LORVENACAM_FRAMEREADY_MUTEX".
// On failure it says so in a diagnostic line, keeps neither open and returns false.
bool openPluginMutexes();
// Closes whichever of the two is open.
void closePluginMutexes();
// The enumeration mutex, or null while the plug-in is not initialised.
NamedMutex* enumerationMutexHandle();
// The frame-ready mutex, or null while the plug-in is not initialised.
NamedMutex* frameReadyMutexHandle();

}  // namespace lvc
