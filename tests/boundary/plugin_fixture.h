// What the tests of the plug-in's boundary share: a host that loads the plug-in, a bus
// described for the test, the captured diagnostic lines and the expected texts.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "fw_status.h"
#include "fwsim.h"
#include "support/debug_log.h"
#include "support/plugin_host.h"
#include "support/sim_bus_file.h"
#include "support/sim_bus_json.h"

namespace lvc::test {

struct BusCamera {
    uint32_t id;
    std::string vendor;
    std::string model;
};

// A Mono8 fixed-format camera that makes frames only when a test steps it.
inline SimCamera simCamera(const BusCamera& camera) {
    return SimCamera(camera.id)
        .vendor(camera.vendor)
        .model(camera.model)
        .timing("manual")
        .fixedFormat(0, 5, {4});
}

inline std::string cameraJson(const BusCamera& camera) { return simCamera(camera).json(); }

inline std::string busJson(const std::vector<BusCamera>& cameras) {
    std::vector<SimCamera> simCameras;
    for (const BusCamera& camera : cameras) simCameras.push_back(simCamera(camera));
    return simBusJson(simCameras);
}

// The driver's text of a status, as the plug-in reports it.
inline std::string errorText(int32_t status) {
    char text[FWC_ERROR_TEXT_SIZE] = {};
    FWC_GetErrorInfo(status, text, sizeof text);
    return text;
}

inline std::string failureLine(const std::string& callName, int32_t status = FWC_ERR_INJECTED) {
    return callName + ": " + errorText(status) + "\n";
}

inline std::string versionLine() {
    uint32_t version = 0;
    FWC_GetVersion(&version);
    return "fwAPI version " + std::to_string(version >> 24) + "." +
           std::to_string((version >> 16) & 0xFF) + "." + std::to_string((version >> 8) & 0xFF) +
           "." + std::to_string(version & 0xFF) + "\n";
}

// The name of a camera as listed: "Vendor Model - id".
inline std::string configName(const BusCamera& camera) {
    return camera.vendor + " " + camera.model + " - " + std::to_string(camera.id);
}

class PluginTest : public ::testing::Test {
protected:
    PluginTest() { log().clear(); }
    // A test that stopped half-way leaves the plug-in down before it is unloaded, and
    // leaves no injected failure to the next test. Extra finalize calls do nothing.
    ~PluginTest() override {
        for (int call = 0; call < 8 && plugin.finalize() == 0; ++call) {
        }
        FWS_Reset();
    }

    static DebugLog& log() { return DebugLog::instance(); }

    void useBus(const std::vector<BusCamera>& cameras) { useBusDescription(busJson(cameras)); }
    // The bus file of an earlier call goes first: its end clears FWCONTROL_SIM_BUS.
    void useBusDescription(const std::string& json) {
        bus_.reset();
        bus_ = std::make_unique<SimBusFile>(json);
    }
    std::string systemPath() const { return bus_ ? bus_->directory().string() : ""; }
    // initialize with the test's bus directory as system path and the captured log.
    int32_t initialize() { return plugin.initialize(systemPath().c_str(), &DebugLog::receive); }
    std::vector<std::string> listedNames() {
        std::vector<std::string> names;
        char** slots = plugin.getCVLCameraConfigNames();
        for (int32_t index = 0; index < plugin.getCVLNoOfSupportedCameras(); ++index)
            names.emplace_back(slots[index] ? slots[index] : "(null)");
        return names;
    }

    std::unique_ptr<SimBusFile> bus_;
    PluginHost plugin;
};

}  // namespace lvc::test
