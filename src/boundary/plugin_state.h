// Process-wide state of the plug-in that the camera engine and the dialog read.
#pragma once

#include <cstddef>

#include "platform/named_mutex.h"

namespace lvc {

struct CCamera;

// True between the first successful initialize and the last finalize.
bool pluginInitialized();
// Copies SystemPath into destination (size bytes), cut and always terminated.
void copySystemPath(char* destination, std::size_t size);
// The process-wide frame-ready mutex handle, or null before the first initialize.
NamedMutex* frameReadyMutexHandle();
// Port callback of a port camera: CompleteCallback(0, port) when the host has set one.
void notifyHost(CCamera* camera);

}  // namespace lvc
