#include "platform/win32/module_instance.h"

namespace lvc {

namespace {

HINSTANCE instance = nullptr;

}  // namespace

HINSTANCE moduleInstance() { return instance ? instance : GetModuleHandleA(nullptr); }

void setModuleInstance(HINSTANCE newInstance) { instance = newInstance; }

}  // namespace lvc
