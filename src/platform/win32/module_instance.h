// The plug-in DLL's own module handle, kept when the DLL is loaded: the dialog templates
// and window classes of the configuration sheet are registered against it.
#pragma once

#include <windows.h>

namespace lvc {

// The DLL's instance handle; the executable's when the code is linked into a program
// (unit tests of the internals).
HINSTANCE moduleInstance();
void setModuleInstance(HINSTANCE instance);

}  // namespace lvc
