// Runs when the dynamic loader maps the library into a process: finds the library's own
// file through one of its addresses and keeps its directory. Nothing else is set up at
// load time; the dialog's toolkit is loaded when the dialog is first opened.
#include "platform/load_hook.h"

#include <climits>
#include <cstdlib>
#include <cstring>

#include <dlfcn.h>

namespace lvc {

namespace {

char moduleDirectory[PATH_MAX] = {};

// The path is made absolute now: a library loaded by a relative path names it relative
// to the current directory of this moment.
void keepModuleDirectory() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<const void*>(&keepModuleDirectory), &info) == 0 ||
        info.dli_fname == nullptr)
        return;
    char modulePath[PATH_MAX];
    if (realpath(info.dli_fname, modulePath) == nullptr) return;
    const char* lastSeparator = std::strrchr(modulePath, '/');
    if (lastSeparator == nullptr || lastSeparator == modulePath) return;
    const auto length = static_cast<std::size_t>(lastSeparator - modulePath);
    std::memcpy(moduleDirectory, modulePath, length);
    moduleDirectory[length] = '\0';
}

__attribute__((constructor)) void onLibraryLoad() { keepModuleDirectory(); }

}  // namespace

bool pluginDirectory(char* destination, std::size_t size) {
    if (destination == nullptr || size == 0) return false;
    const std::size_t length = std::strlen(moduleDirectory);
    if (length == 0 || length >= size) {
        destination[0] = '\0';
        return false;
    }
    std::memcpy(destination, moduleDirectory, length + 1);
    return true;
}

}  // namespace lvc
