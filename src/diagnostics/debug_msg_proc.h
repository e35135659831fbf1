// The host's DebugMsgProc, where diagnostic lines go. Any thread may read it at any time
// (driver notification threads among them), so it is read and written whole.
#pragma once

#include "lorvenacam.h"

namespace lvc {

LvcDebugMsgProc debugMsgProc();
void storeDebugMsgProc(LvcDebugMsgProc proc);

}  // namespace lvc
