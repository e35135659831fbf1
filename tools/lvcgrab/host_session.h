// The plug-in initialised for one run of lvcgrab, and the cameras it offers.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "plugin_library.h"

namespace lvcgrab {

class HostSession {
public:
    // Initialises the plug-in with the system directory and lvcgrab's diagnostic sink.
    HostSession(lvc::host::PluginLibrary& plugin, const std::string& systemDirectory);
    // Finalises the plug-in when the initialisation succeeded.
    ~HostSession();
    HostSession(const HostSession&) = delete;
    HostSession& operator=(const HostSession&) = delete;

    bool initialized() const { return initialized_; }
    lvc::host::PluginLibrary& plugin() { return plugin_; }
    std::vector<std::string> cameraNames() const;
    // The configuration name of a camera given by name or by its index in the list.
    std::optional<std::string> findCamera(const std::string& nameOrIndex) const;

private:
    lvc::host::PluginLibrary& plugin_;
    bool initialized_ = false;
};

// A camera open on a host port for the life of the object.
class OpenPort {
public:
    static constexpr int32_t kPort = 0;

    OpenPort(lvc::host::PluginLibrary& plugin, const std::string& cameraName);
    // Closes the port.
    ~OpenPort();
    OpenPort(const OpenPort&) = delete;
    OpenPort& operator=(const OpenPort&) = delete;

    bool opened() const { return opened_; }
    // Closes the port now; no frame callback for it runs afterwards. Repeated calls do nothing.
    void close();
    uint32_t width() const { return size_[0]; }
    uint32_t height() const { return size_[1]; }
    // Bytes per output pixel, from the plug-in's "PixelSize": 3 (BGR) or 1 (grey).
    uint32_t bytesPerPixel() const;

private:
    lvc::host::PluginLibrary& plugin_;
    bool opened_ = false;
    bool closed_ = false;
    uint32_t size_[2] = {};
};

// Opens the camera given by name or index on the host port. On failure writes the one-line
// error, sets exitCode and returns null.
std::unique_ptr<OpenPort> openCamera(HostSession& host, const std::string& camera, int& exitCode);

}  // namespace lvcgrab
