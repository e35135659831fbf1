// The plug-in loaded at run time and reached only through its exports, as a
// machine-vision host reaches it.
#pragma once

#include <string>

#include "lorvenacam.h"

namespace lvcgrab {

class PluginLibrary {
public:
    PluginLibrary() = default;
    ~PluginLibrary();
    PluginLibrary(const PluginLibrary&) = delete;
    PluginLibrary& operator=(const PluginLibrary&) = delete;

    // Loads the library and binds every export; false with error() set when it cannot.
    bool load(const std::string& path);
    const std::string& error() const { return error_; }

    decltype(&::initialize) initialize = nullptr;
    decltype(&::finalize) finalize = nullptr;
    decltype(&::getCVLNoOfSupportedCameras) getCVLNoOfSupportedCameras = nullptr;
    decltype(&::getCVLCameraConfigNames) getCVLCameraConfigNames = nullptr;
    decltype(&::setCompleteCallback) setCompleteCallback = nullptr;
    decltype(&::openCVLPort) openCVLPort = nullptr;
    decltype(&::closeCVLPort) closeCVLPort = nullptr;
    decltype(&::doCVLGrab) doCVLGrab = nullptr;
    decltype(&::getCVLGrabRow) getCVLGrabRow = nullptr;
    decltype(&::getProperty) getProperty = nullptr;
    decltype(&::setProperty) setProperty = nullptr;
    decltype(&::configureCamera) configureCamera = nullptr;

private:
    template <typename Function>
    bool bind(Function& function, const char* name);

    void* module_ = nullptr;
    std::string error_;
};

// The plug-in beside the running executable, where the build and an installation put it.
std::string defaultPluginPath();

}  // namespace lvcgrab
