// A host with the plug-in loaded and initialised on the camera engine's bus, the bus
// directory as its system path, and every port closed again at the end.
#pragma once

#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "camera_bus.h"
#include "support/debug_log.h"
#include "support/plugin_host.h"
#include "support/sim_bus_file.h"

namespace lvc::test {

class PluginFixture : public ::testing::Test {
protected:
    void SetUp() override {
        DebugLog::instance().clear();
        ASSERT_EQ(host.initialize(systemPath().c_str(), DebugLog::receive), 1);
    }
    void TearDown() override {
        for (int32_t port = 0; port < 64; ++port) host.closeCVLPort(0, port);
        host.finalize();
    }

    std::string systemPath() const { return bus.directory().string(); }
    std::string settingsFile(const std::string& name) const {
        return (bus.directory() / name).string();
    }
    void writeIni(const std::string& content) const {
        std::ofstream(settingsFile("Lorvenacam.ini")) << content;
    }
    // Opens the camera on the port; the size out-words are width and height.
    bool open(int32_t port, uint32_t cameraId, uint32_t* size = nullptr) {
        uint32_t ignored[2] = {};
        return host.openCVLPort(0, port, cameraName(cameraId).c_str(), size ? size : ignored) == 1;
    }
    static bool logged(const std::string& line) { return DebugLog::instance().contains(line); }

    SimBusFile bus{cameraBusJson()};
    PluginHost host;
};

}  // namespace lvc::test
