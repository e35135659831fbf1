// The camera list's lookups and its limit of 64 rows, called directly against a bus of 64
// cameras. The list lives as long as the process, so the suite sets it up once.
#include "boundary/camera_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "fwsim.h"
#include "lorvenacam.h"
#include "support/debug_log_test.h"
#include "support/sim_bus_file.h"
#include "support/sim_bus_json.h"

namespace lvc {
namespace {

using test::DebugLog;

constexpr uint32_t kHeldCamera = 64;

test::SimCamera camera(uint32_t id) {
    return test::SimCamera(id)
        .vendor("Vendor" + std::to_string(id))
        .model("Model")
        .timing("manual")
        .fixedFormat(0, 5, {4});
}

// Cameras 1 .. 64, all listed; camera 64 is held open by the test itself, so it is listed
// under its unavailable name.
class FullCameraList : public test::DebugLogTest {
protected:
    static void SetUpTestSuite() {
        std::vector<test::SimCamera> cameras;
        for (uint32_t id = 1; id <= 64; ++id) cameras.push_back(camera(id));
        bus = new test::SimBusFile(test::simBusJson(cameras));
        ASSERT_EQ(FWC_Init(), 0);
        ASSERT_EQ(FWC_OpenCamera(kHeldCamera, FWC_OPEN_DEFAULT), 0);
        ASSERT_EQ(enumerateCameras(), 64);
    }
    static void TearDownTestSuite() {
        FWC_CloseCamera(kHeldCamera);
        FWC_Release();
        delete bus;
    }

    static test::SimBusFile* bus;
};

test::SimBusFile* FullCameraList::bus = nullptr;

TEST_F(FullCameraList, FindsOnlyTheExactName) {
    const struct {
        const char* name;
        int32_t index;
    } cases[] = {
        {"Vendor1 Model - 1", 0},
        {"Vendor63 Model - 63", 62},
        {"Unavailable - 64", 63},  // a row not yet named is found under its unavailable name
        {"vendor1 Model - 1", -1},
        {"Vendor1 model - 1", -1},
        {"Vendor1 Model - 1 ", -1},
        {"Vendor1 Model - ", -1},
        {"Vendor64 Model - 64", -1},
        {"", -1},
        {nullptr, -1},
    };
    for (const auto& testCase : cases)
        EXPECT_EQ(findCameraByName(testCase.name), testCase.index)
            << (testCase.name ? testCase.name : "(null)");
}

// Rows are never reused, so a camera first seen after 64 others cannot be listed: it is
// left out, said once, and the rows of the others stay as they were.
TEST_F(FullCameraList, SixtyFifthCameraIsLeftOutAndSaidOnce) {
    ASSERT_EQ(FWS_Unplug(1), 0);
    ASSERT_EQ(FWS_Plug(camera(65).json().c_str()), 65u);
    EXPECT_EQ(enumerateCameras(), 64);
    EXPECT_EQ(enumerateCameras(), 64);
    const auto lines = DebugLog::instance().lines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "Camera list full: camera 65 not added\n"), 1);
    EXPECT_EQ(findCameraByName("Vendor65 Model - 65"), -1);
    EXPECT_EQ(findCameraByName("Vendor1 Model - 1"), 0) << "an unplugged camera stays listed";
    EXPECT_EQ(cameraListCount(), 64);
}

TEST_F(FullCameraList, EntriesOutsideTheListAreRefused) {
    CameraListEntry entry;
    ASSERT_TRUE(cameraListEntry(63, &entry));
    EXPECT_EQ(entry.cameraId, kHeldCamera);
    EXPECT_EQ(entry.named, 0);
    EXPECT_STREQ(entry.name, "Unavailable - 64");
    EXPECT_FALSE(cameraListEntry(-1, &entry));
    EXPECT_FALSE(cameraListEntry(64, &entry));
    EXPECT_FALSE(cameraListEntry(0, nullptr));
    EXPECT_EQ(configNames()[0], std::string("Vendor1 Model - 1"));
}

}  // namespace
}  // namespace lvc
