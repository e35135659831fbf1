// The Linux platform view: the Qt module, loaded from the plug-in's directory on first use.
#if !defined(_WIN32)

#include <dlfcn.h>

#include <climits>
#include <string>

#include "config_ui/qt_view_module.h"
#include "config_ui/sheet_view_factory.h"
#include "diagnostics/diagnostics.h"
#include "platform/load_hook.h"

namespace lvc {
namespace {

std::string moduleDirectory() {
    char directory[PATH_MAX];
    return pluginDirectory(directory, sizeof directory) ? std::string(directory) + '/' : "";
}

// Loads the module once and keeps it: the Qt libraries it pulls in cannot be unloaded.
LvcQtCreateSheetView loadEntryPoint(std::string* reason) {
    static LvcQtCreateSheetView entryPoint = nullptr;
    if (entryPoint) return entryPoint;
    std::string path = moduleDirectory() + LVC_QT_MODULE_FILE;
    void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module) {
        const char* error = dlerror();
        *reason = error ? error : "cannot load " + path;
        return nullptr;
    }
    entryPoint = reinterpret_cast<LvcQtCreateSheetView>(dlsym(module, LVC_QT_ENTRY_POINT));
    if (!entryPoint) *reason = path + " has no " LVC_QT_ENTRY_POINT;
    return entryPoint;
}

void logUnavailable(const std::string& reason) {
    debugMessage("Configuration dialog not shown: %s\n", reason.c_str());
}

}  // namespace

std::unique_ptr<SheetView> createPlatformSheetView() {
    std::string reason;
    LvcQtCreateSheetView entryPoint = loadEntryPoint(&reason);
    if (!entryPoint) {
        logUnavailable(reason);
        return nullptr;
    }
    char text[256] = {};
    std::unique_ptr<SheetView> view(entryPoint(kSheetViewInterfaceVersion, text, sizeof text));
    if (!view) logUnavailable(text);
    return view;
}

}  // namespace lvc

#endif
