// A host for the frame-path tests: the plug-in loaded and initialised on a bus of the
// test's own, with a CompleteCallback that counts deliveries per port and runs the test's
// action (read rows, grab again, close the port) inside the callback, as hosts do.
#pragma once

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <fstream>
#include <functional>
#include <mutex>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/debug_log.h"
#include "support/plugin_host.h"
#include "support/sim_bus_file.h"

namespace lvc::test {

class FrameHost {
public:
    using Action = std::function<void(int32_t port)>;
    static constexpr int32_t kPorts = 64;

    explicit FrameHost(const std::string& busJson) : bus_(busJson) {
        DebugLog::instance().clear();
        if (plugin_.initialize(bus_.directory().string().c_str(), DebugLog::receive) != 1)
            throw std::runtime_error("initialize failed");
        active() = this;
        plugin_.setCompleteCallback(0, 0, onComplete);
    }
    ~FrameHost() {
        for (int32_t port = 0; port < kPorts; ++port) plugin_.closeCVLPort(0, port);
        plugin_.setCompleteCallback(0, 0, nullptr);
        active() = nullptr;
        plugin_.finalize();
    }
    FrameHost(const FrameHost&) = delete;
    FrameHost& operator=(const FrameHost&) = delete;

    PluginHost& plugin() { return plugin_; }

    // The configuration name at this index of the camera list.
    std::string cameraName(int32_t index) {
        if (index < 0 || index >= plugin_.getCVLNoOfSupportedCameras())
            throw std::runtime_error("no camera at index " + std::to_string(index));
        return plugin_.getCVLCameraConfigNames()[index];
    }
    // The list index of the camera whose configuration name contains model.
    int32_t indexOf(const std::string& model) {
        for (int32_t index = 0; index < plugin_.getCVLNoOfSupportedCameras(); ++index)
            if (cameraName(index).find(model) != std::string::npos) return index;
        throw std::runtime_error("no camera " + model + " in the list");
    }
    // Opens the camera at this list index on the port; throws when the plug-in refuses.
    std::array<uint32_t, 2> open(int32_t port, int32_t cameraIndex) {
        std::array<uint32_t, 2> size{};
        if (plugin_.openCVLPort(0, port, cameraName(cameraIndex).c_str(), size.data()) != 1)
            throw std::runtime_error("cannot open " + cameraName(cameraIndex));
        return size;
    }
    // Stores "Streaming=1" for the camera in the host's Lorvenacam.ini, read when it opens.
    void storeStreaming(int32_t cameraIndex) {
        std::ofstream ini(bus_.directory() / "Lorvenacam.ini", std::ios::app);
        ini << "[" << cameraName(cameraIndex) << "]\nStreaming=1\n";
    }
    int32_t property(int32_t port, const char* name) {
        int32_t value = -1;
        plugin_.getProperty(0, port, name, &value);
        return value;
    }

    // Runs inside every CompleteCallback, on the driver's thread, before it is counted.
    void setAction(Action action) {
        std::lock_guard lock(mutex_);
        action_ = std::move(action);
    }
    int32_t deliveries(int32_t port) {
        std::lock_guard lock(mutex_);
        return deliveries_[port];
    }
    // True once the port has had at least count deliveries, false at the timeout.
    bool waitDeliveries(int32_t port, int32_t count,
                        std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
        std::unique_lock lock(mutex_);
        return delivered_.wait_for(lock, timeout, [&] { return deliveries_[port] >= count; });
    }
    // Callbacks seen for ports that were not open.
    int32_t strayCallbacks() const { return stray_; }
    void markClosed(int32_t port) { closedPorts_[port] = true; }
    void markOpen(int32_t port) { closedPorts_[port] = false; }

private:
    static FrameHost*& active() {
        static FrameHost* host = nullptr;
        return host;
    }
    static void LVC_CALL onComplete(int32_t, int32_t port) {
        FrameHost* host = active();
        if (!host || port < 0 || port >= kPorts) return;
        if (host->closedPorts_[port]) ++host->stray_;
        Action action;
        {
            std::lock_guard lock(host->mutex_);
            action = host->action_;
        }
        if (action) action(port);
        {
            std::lock_guard lock(host->mutex_);
            ++host->deliveries_[port];
        }
        host->delivered_.notify_all();
    }

    SimBusFile bus_;
    PluginHost plugin_;
    std::mutex mutex_;
    std::condition_variable delivered_;
    Action action_;
    std::array<int32_t, kPorts> deliveries_{};
    std::array<std::atomic<bool>, kPorts> closedPorts_{};
    std::atomic<int32_t> stray_{0};
};

}  // namespace lvc::test
