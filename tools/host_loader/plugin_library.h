// The plug-in loaded at run time and reached only through its exports, as a machine-vision
// host reaches it (dlopen or LoadLibrary, then one symbol per export).
//
//     lvc::host::PluginLibrary plugin;
//     if (!plugin.load(lvc::host::pluginBesideExecutable())) report(plugin.error());
//     plugin.initialize(systemPath, debugMsgProc);
//
// Every member below is bound once load() has succeeded; the library stays loaded until the
// object goes, so finalize the plug-in before that.
#pragma once

#include <string>

#include "lorvenacam.h"

namespace lvc::host {

class PluginLibrary {
public:
    PluginLibrary() = default;
    ~PluginLibrary();
    PluginLibrary(const PluginLibrary&) = delete;
    PluginLibrary& operator=(const PluginLibrary&) = delete;

    // Loads the library at path and binds all nineteen exports. False, with error() saying
    // why, when the library does not load, lacks an export, or this object already holds one.
    bool load(const std::string& path);
    // One line: the path and the system's reason, or the first missing export.
    const std::string& error() const { return error_; }

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
    bool bind(Function& function, const char* name);
    bool bindAll();

    void* module_ = nullptr;
    std::string error_;
};

// The plug-in's file beside the running executable, where the build and an installation
// put it.
std::string pluginBesideExecutable();

}  // namespace lvc::host
