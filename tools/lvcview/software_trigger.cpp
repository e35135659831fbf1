#include "software_trigger.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace lvcview {
namespace {

#if defined(_WIN32)
using SimulatedPulse = int32_t(__stdcall*)(uint32_t cameraId);

void* findSimulatedPulse() {
    HMODULE library = GetModuleHandleA("fwcontrol.dll");
    return library ? reinterpret_cast<void*>(GetProcAddress(library, "FWS_Trigger")) : nullptr;
}
#else
using SimulatedPulse = int32_t (*)(uint32_t cameraId);

// Only a library already in the process: the viewer never loads the camera library itself.
void* findSimulatedPulse() {
    void* library = dlopen("libfwcontrol.so", RTLD_LAZY | RTLD_NOLOAD);
    if (!library) return nullptr;
    void* pulse = dlsym(library, "FWS_Trigger");
    dlclose(library);
    return pulse;
}
#endif

// The camera id that ends a configuration name, "Vendor Model - id"; 0 without one.
uint32_t cameraIdOf(const QString& cameraName) {
    bool numeric = false;
    const uint32_t id = cameraName.section(" - ", -1).toUInt(&numeric);
    return numeric ? id : 0;
}

}  // namespace

SoftwareTrigger::SoftwareTrigger(lvc::host::PluginLibrary& plugin, int32_t port,
                                 const QString& cameraName)
    : plugin_(plugin), port_(port), cameraId_(cameraIdOf(cameraName)) {
    int32_t ignored = 0;
    busTrigger_ = plugin_.getProperty(0, port_, "DO_BUSTRIGGER", &ignored) == 1;
    if (!busTrigger_ && cameraId_ != 0) simulatedPulse_ = findSimulatedPulse();
}

bool SoftwareTrigger::pulse() {
    if (busTrigger_) return plugin_.setProperty(0, port_, "DO_BUSTRIGGER", 1) == 1;
    if (!simulatedPulse_) return false;
    return reinterpret_cast<SimulatedPulse>(simulatedPulse_)(cameraId_) == 0;
}

}  // namespace lvcview
