// The host's callbacks as the plug-in stores them. Any thread may read them at any time
// (driver notification threads among them), so each is read and written whole.
#pragma once

#include "lorvenacam.h"

namespace lvc {

struct CCamera;

LvcCompleteCallback completeCallback();
void storeCompleteCallback(LvcCompleteCallback callback);
void storeCmdCallback(LvcCmdCallback callback);
// Port callback of a port camera: CompleteCallback(0, port) when the host has set one.
void notifyHost(CCamera* camera);

}  // namespace lvc
