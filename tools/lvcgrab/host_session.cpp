#include "host_session.h"

#include <cstdlib>

#include "command.h"
#include "diagnostic_sink.h"

namespace lvcgrab {

HostSession::HostSession(lvc::host::PluginLibrary& plugin, const std::string& systemDirectory)
    : plugin_(plugin) {
    initialized_ = plugin_.initialize(systemDirectory.c_str(), receiveDiagnostic) == 1;
}

HostSession::~HostSession() {
    if (initialized_) plugin_.finalize();
}

std::vector<std::string> HostSession::cameraNames() const {
    std::vector<std::string> names;
    const int32_t count = plugin_.getCVLNoOfSupportedCameras();
    char** configNames = plugin_.getCVLCameraConfigNames();
    for (int32_t index = 0; configNames && index < count; ++index)
        names.emplace_back(configNames[index] ? configNames[index] : "");
    return names;
}

std::optional<std::string> HostSession::findCamera(const std::string& nameOrIndex) const {
    const std::vector<std::string> names = cameraNames();
    for (const std::string& name : names)
        if (name == nameOrIndex) return name;
    char* end = nullptr;
    const long index = std::strtol(nameOrIndex.c_str(), &end, 10);
    const bool isIndex = !nameOrIndex.empty() && *end == '\0';
    if (isIndex && index >= 0 && index < static_cast<long>(names.size())) return names[index];
    return std::nullopt;
}

OpenPort::OpenPort(lvc::host::PluginLibrary& plugin, const std::string& cameraName)
    : plugin_(plugin) {
    opened_ = plugin_.openCVLPort(0, kPort, cameraName.c_str(), size_) == 1;
}

OpenPort::~OpenPort() { close(); }

void OpenPort::close() {
    if (closed_) return;
    closed_ = true;
    plugin_.closeCVLPort(0, kPort);
}

uint32_t OpenPort::bytesPerPixel() const {
    int32_t pixelSize = 8;
    plugin_.getProperty(0, kPort, "PixelSize", &pixelSize);
    return pixelSize == 24 ? 3 : 1;
}

std::unique_ptr<OpenPort> openCamera(HostSession& host, const std::string& camera, int& exitCode) {
    const std::optional<std::string> name = host.findCamera(camera);
    if (!name) {
        exitCode = fail(kExitUsage, "no camera '" + camera + "' on the bus (see 'lvcgrab list')");
        return nullptr;
    }
    auto port = std::make_unique<OpenPort>(host.plugin(), *name);
    if (!port->opened()) {
        exitCode =
            fail(kExitFailure, "cannot open camera '" + *name + "' (run with -v for details)");
        return nullptr;
    }
    return port;
}

}  // namespace lvcgrab
