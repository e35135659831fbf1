// The host's callbacks as the plug-in stores them. Any thread may read them at any time
// (driver notification threads among them), so each is read and written whole.
#pragma once

#include "lorvenacam.h"

namespace lvc {

LvcDebugMsgProc debugMsgProc();
void storeDebugMsgProc(LvcDebugMsgProc proc);
LvcCompleteCallback completeCallback();
void storeCompleteCallback(LvcCompleteCallback callback);
void storeCmdCallback(LvcCmdCallback callback);

}  // namespace lvc
