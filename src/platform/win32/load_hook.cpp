// The plug-in's directory, from the module handle that DllMain keeps.
#include "platform/load_hook.h"

#include <cstring>

#include <windows.h>

#include "platform/win32/module_instance.h"

namespace lvc {

bool pluginDirectory(char* destination, std::size_t size) {
    if (destination == nullptr || size == 0) return false;
    destination[0] = '\0';
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(moduleInstance(), path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return false;
    const char* lastSeparator = std::strrchr(path, '\\');
    if (lastSeparator == nullptr) return false;
    const auto directoryLength = static_cast<std::size_t>(lastSeparator - path);
    if (directoryLength >= size) return false;
    std::memcpy(destination, path, directoryLength);
    destination[directoryLength] = '\0';
    return true;
}

}  // namespace lvc
