// A test host: loads the plug-in library at run time and calls it only through its
// exports, as a machine-vision host does.
#pragma once

#include <stdexcept>
#include <string>

#include "lorvenacam.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace lvc::test {

class PluginHost {
public:
    explicit PluginHost(const std::string& path = LVC_PLUGIN_PATH) {
#if defined(_WIN32)
        module_ = LoadLibraryA(path.c_str());
#else
        module_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
#endif
        if (!module_) throw std::runtime_error("cannot load " + path);
        bind(initialize, "initialize");
        bind(finalize, "finalize");
        bind(setDebugMsgProc, "setDebugMsgProc");
        bind(setSystemPath, "setSystemPath");
        bind(configure, "configure");
        bind(getPropertyRange, "getPropertyRange");
        bind(configureCamera, "configureCamera");
        bind(getCVLMaxNoOfPorts, "getCVLMaxNoOfPorts");
        bind(getCVLNoOfSupportedCameras, "getCVLNoOfSupportedCameras");
        bind(getCVLCameraConfigNames, "getCVLCameraConfigNames");
        bind(setCompleteCallback, "setCompleteCallback");
        bind(setCmdCallback, "setCmdCallback");
        bind(openCVLPort, "openCVLPort");
        bind(closeCVLPort, "closeCVLPort");
        bind(doCVLGrab, "doCVLGrab");
        bind(getCVLGrabRow, "getCVLGrabRow");
        bind(getProperty, "getProperty");
        bind(setProperty, "setProperty");
        bind(execCmd, "execCmd");
    }
    ~PluginHost() {
#if defined(_WIN32)
        FreeLibrary(module_);
#else
        dlclose(module_);
#endif
    }
    PluginHost(const PluginHost&) = delete;
    PluginHost& operator=(const PluginHost&) = delete;

    decltype(&::initialize) initialize = nullptr;
    decltype(&::finalize) finalize = nullptr;
    decltype(&::setDebugMsgProc) setDebugMsgProc = nullptr;
    decltype(&::setSystemPath) setSystemPath = nullptr;
    decltype(&::configure) configure = nullptr;
    decltype(&::getPropertyRange) getPropertyRange = nullptr;
    decltype(&::configureCamera) configureCamera = nullptr;
    decltype(&::getCVLMaxNoOfPorts) getCVLMaxNoOfPorts = nullptr;
    decltype(&::getCVLNoOfSupportedCameras) getCVLNoOfSupportedCameras = nullptr;
    decltype(&::getCVLCameraConfigNames) getCVLCameraConfigNames = nullptr;
    decltype(&::setCompleteCallback) setCompleteCallback = nullptr;
    decltype(&::setCmdCallback) setCmdCallback = nullptr;
    decltype(&::openCVLPort) openCVLPort = nullptr;
    decltype(&::closeCVLPort) closeCVLPort = nullptr;
    decltype(&::doCVLGrab) doCVLGrab = nullptr;
    decltype(&::getCVLGrabRow) getCVLGrabRow = nullptr;
    decltype(&::getProperty) getProperty = nullptr;
    decltype(&::setProperty) setProperty = nullptr;
    decltype(&::execCmd) execCmd = nullptr;

private:
    template <typename Function>
    void bind(Function& function, const char* name) {
#if defined(_WIN32)
        // Through void*: FARPROC to another function type is a cast-function-type warning.
        void* address = reinterpret_cast<void*>(GetProcAddress(module_, name));
        function = reinterpret_cast<Function>(address);
#else
        function = reinterpret_cast<Function>(dlsym(module_, name));
#endif
        if (!function) throw std::runtime_error(std::string("missing export ") + name);
    }

#if defined(_WIN32)
    HMODULE module_ = nullptr;
#else
    void* module_ = nullptr;
#endif
};

}  // namespace lvc::test
