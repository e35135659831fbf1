// A software trigger pulse for the open camera, where there is one: the camera library's
// bus trigger (the "DO_BUSTRIGGER" property), or else the pulse the simulated bus's
// library offers beside its camera calls, found at run time in the library the plug-in
// loaded.
#pragma once

#include <QString>

#include "plugin_library.h"

namespace lvcview {

class SoftwareTrigger {
public:
    SoftwareTrigger(lvc::host::PluginLibrary& plugin, int32_t port, const QString& cameraName);

    bool available() const { return busTrigger_ || simulatedPulse_ != nullptr; }
    // One pulse; false when none could be sent.
    bool pulse();

private:
    lvc::host::PluginLibrary& plugin_;
    int32_t port_;
    uint32_t cameraId_ = 0;
    bool busTrigger_ = false;
    void* simulatedPulse_ = nullptr;
};

}  // namespace lvcview
