#include "plugin_library.h"

#include <filesystem>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace lvc::host {
namespace {

#if defined(_WIN32)
void* openModule(const std::string& path) {
    return reinterpret_cast<void*>(LoadLibraryA(path.c_str()));
}
void closeModule(void* module) { FreeLibrary(reinterpret_cast<HMODULE>(module)); }
// Through void*: FARPROC to another function type is a cast-function-type warning.
void* findSymbol(void* module, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(reinterpret_cast<HMODULE>(module), name));
}
std::string lastLoadError() { return "error " + std::to_string(GetLastError()); }
std::filesystem::path executablePath() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}
#else
void* openModule(const std::string& path) { return dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL); }
void closeModule(void* module) { dlclose(module); }
void* findSymbol(void* module, const char* name) { return dlsym(module, name); }
std::string lastLoadError() {
    const char* text = dlerror();
    return text ? text : "unknown error";
}
std::filesystem::path executablePath() {
    std::error_code ignored;
    return std::filesystem::read_symlink("/proc/self/exe", ignored);
}
#endif

}  // namespace

PluginLibrary::~PluginLibrary() {
    if (module_) closeModule(module_);
}

template <typename Function>
bool PluginLibrary::bind(Function& function, const char* name) {
    function = reinterpret_cast<Function>(findSymbol(module_, name));
    if (!function) error_ = std::string("the plug-in has no export ") + name;
    return function != nullptr;
}

bool PluginLibrary::bindAll() {
    return bind(initialize, "initialize") && bind(finalize, "finalize") &&
           bind(setDebugMsgProc, "setDebugMsgProc") && bind(setSystemPath, "setSystemPath") &&
           bind(configure, "configure") && bind(getPropertyRange, "getPropertyRange") &&
           bind(configureCamera, "configureCamera") &&
           bind(getCVLMaxNoOfPorts, "getCVLMaxNoOfPorts") &&
           bind(getCVLNoOfSupportedCameras, "getCVLNoOfSupportedCameras") &&
           bind(getCVLCameraConfigNames, "getCVLCameraConfigNames") &&
           bind(setCompleteCallback, "setCompleteCallback") &&
           bind(setCmdCallback, "setCmdCallback") && bind(openCVLPort, "openCVLPort") &&
           bind(closeCVLPort, "closeCVLPort") && bind(doCVLGrab, "doCVLGrab") &&
           bind(getCVLGrabRow, "getCVLGrabRow") && bind(getProperty, "getProperty") &&
           bind(setProperty, "setProperty") && bind(execCmd, "execCmd");
}

bool PluginLibrary::load(const std::string& path) {
    if (module_) {
        error_ = "a plug-in is already loaded";
        return false;
    }
    module_ = openModule(path);
    if (!module_) {
        error_ = "cannot load the plug-in " + path + ": " + lastLoadError();
        return false;
    }
    return bindAll();
}

std::string pluginBesideExecutable() {
    return (executablePath().parent_path() / LVC_PLUGIN_FILE_NAME).string();
}

}  // namespace lvc::host
