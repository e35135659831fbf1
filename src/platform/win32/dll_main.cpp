// Entry point of lorvenacam.dll. Process attach only keeps the module handle: COM and
// the common controls are initialised by the configuration sheet on its own thread for
// the time it runs, because work that can wait on other threads or load libraries
// (CoInitialize among it) may deadlock under the loader lock held here, and COM state is
// per thread anyway.
#include <windows.h>

#include "platform/win32/module_instance.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/) {
    if (reason == DLL_PROCESS_ATTACH) {
        lvc::setModuleInstance(instance);
        DisableThreadLibraryCalls(instance);
    }
    return TRUE;
}
