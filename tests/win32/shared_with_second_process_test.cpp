// What the DLL shares with other processes on Windows: a camera open in another process
// is listed under its unavailable name until it is free and the bus changes, and the
// enumeration mutex held elsewhere turns a bus change away.
#include <gtest/gtest.h>

#include <mutex>
#include <string>
#include <vector>

#include <windows.h>

#include "fwsim.h"
#include "support/plugin_host.h"
#include "support/sim_bus_file.h"
#include "support/sim_bus_json.h"
#include "support/wait_until.h"
#include "win32/second_process.h"

namespace lvc {
namespace {

test::SimCamera camera(uint32_t id, const char* model) {
    return test::SimCamera(id)
        .vendor("Simvision")
        .model(model)
        .timing("manual")
        .fixedFormat(0, 5, {2})
        .with("current", R"({"format": 0, "mode": 5, "rate": 2})");
}

const std::string kTwoCameras = test::simBusJson({camera(3001, "SA-1"), camera(3002, "SB-2")});

std::mutex linesMutex;
std::vector<std::string> lines;

void LVC_CALL collectLine(const char* text) {
    std::lock_guard<std::mutex> lock(linesMutex);
    lines.emplace_back(text);
}

bool logged(const std::string& line) {
    std::lock_guard<std::mutex> lock(linesMutex);
    for (const std::string& entry : lines)
        if (entry == line) return true;
    return false;
}

class SharedWithSecondProcess : public ::testing::Test {
protected:
    void SetUp() override {
        std::lock_guard<std::mutex> lock(linesMutex);
        lines.clear();
    }
    std::string listedName(int index) { return plugin_.getCVLCameraConfigNames()[index]; }

    test::SimBusFile bus_{kTwoCameras};
    test::PluginHost plugin_;
};

TEST_F(SharedWithSecondProcess, CameraOpenElsewhereIsUnavailableUntilFreedAndTheBusChanges) {
    test::SecondProcess holder({"open-camera", "1"});
    ASSERT_EQ(plugin_.initialize(bus_.directory().string().c_str(), collectLine), 1);
    ASSERT_EQ(plugin_.getCVLNoOfSupportedCameras(), 2);
    EXPECT_EQ(listedName(0), "Simvision SA-1 - 3001");
    EXPECT_EQ(listedName(1), "Unavailable - 3002");
    uint32_t size[2] = {};
    EXPECT_EQ(plugin_.openCVLPort(0, 0, "Unavailable - 3002", size), 0) << "busy elsewhere";

    ASSERT_EQ(holder.finish(), 0u);
    ASSERT_NE(FWS_Plug(camera(3003, "SC-3").json().c_str()), 0u);  // the bus change
    ASSERT_TRUE(test::waitUntil([&] { return plugin_.getCVLNoOfSupportedCameras() == 3; }));
    ASSERT_TRUE(test::waitUntil([&] { return logged("2 [3] - Simvision SC-3 - 3003\n"); }));
    EXPECT_EQ(listedName(1), "Simvision SB-2 - 3002") << "same row, full name";
    EXPECT_EQ(plugin_.openCVLPort(0, 1, "Simvision SB-2 - 3002", size), 1);
    plugin_.closeCVLPort(0, 1);
    plugin_.closeCVLPort(0, 0);
    EXPECT_EQ(plugin_.finalize(), 1);
}

TEST_F(SharedWithSecondProcess, EnumerationMutexHeldElsewhereTurnsABusChangeAway) {
    ASSERT_EQ(plugin_.initialize(bus_.directory().string().c_str(), collectLine), 1);
    {
        test::SecondProcess holder({"hold-mutex", "LORVENACAM_ENUMERATION_MUTEX", "release"});
        ASSERT_NE(FWS_Plug(camera(3003, "SC-3").json().c_str()), 0u);
        EXPECT_TRUE(test::waitUntil([] { return logged("NodeChangedCallback - busy\n"); }));
        EXPECT_EQ(plugin_.getCVLNoOfSupportedCameras(), 2) << "that change is not enumerated";
    }
    ASSERT_NE(FWS_Plug(camera(3004, "SD-4").json().c_str()), 0u);
    EXPECT_TRUE(test::waitUntil([] { return logged("NodeChangedCallback - enum\n"); }));
    EXPECT_TRUE(test::waitUntil([&] { return plugin_.getCVLNoOfSupportedCameras() == 4; }));
    EXPECT_EQ(plugin_.finalize(), 1);
}

TEST_F(SharedWithSecondProcess, NamedMutexesLiveFromFirstInitializeToLastFinalize) {
    auto exists = [](const char* name) {
        HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, name);
        if (mutex) CloseHandle(mutex);
        return mutex != nullptr;
    };
    ASSERT_EQ(plugin_.initialize("", nullptr), 1);
    ASSERT_EQ(plugin_.initialize("", nullptr), 1);
    EXPECT_TRUE(exists("LORVENACAM_ENUMERATION_MUTEX"));
    EXPECT_TRUE(exists("LORVENACAM_FRAMEREADY_MUTEX"));
    EXPECT_EQ(plugin_.finalize(), 0);
    EXPECT_TRUE(exists("LORVENACAM_FRAMEREADY_MUTEX"));
    EXPECT_EQ(plugin_.finalize(), 1);
    EXPECT_FALSE(exists("LORVENACAM_ENUMERATION_MUTEX"));
    EXPECT_FALSE(exists("LORVENACAM_FRAMEREADY_MUTEX"));
}

}  // namespace
}  // namespace lvc
