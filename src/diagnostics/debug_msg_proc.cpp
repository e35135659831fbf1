#include "diagnostics/debug_msg_proc.h"

#include <atomic>

namespace lvc {

namespace {

std::atomic<LvcDebugMsgProc> storedDebugMsgProc{nullptr};

}  // namespace

LvcDebugMsgProc debugMsgProc() { return storedDebugMsgProc.load(); }

void storeDebugMsgProc(LvcDebugMsgProc proc) { storedDebugMsgProc.store(proc); }

}  // namespace lvc
