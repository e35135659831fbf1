// Buses chosen at run time: FWCONTROL_BUSES names the simulated bus and bus modules
// (libfwcontrol-<name>.so beside libfwcontrol.so); a name that is no bus, or whose module
// cannot be loaded, fails FWC_Init and leaves nothing running.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <string>
#include <vector>

#include "fw_status.h"
#include "fwcontrol.h"
#include "support/call_count.h"
#include "support/wait_until.h"

namespace {

template <typename Case>
std::string caseIndexName(const ::testing::TestParamInfo<Case>& info) {
    return "case" + std::to_string(info.index);
}

// The id of the test module's camera: FNV-1a of "testbus:TB-1".
constexpr uint32_t kTestBusCameraId = 0x21AD6EB5u;
const std::vector<uint32_t> kBuiltInSimIds = {1001, 1002, 1003, 1004, 1005};

class BusModules : public ::testing::Test {
protected:
    void TearDown() override {
        if (started_) {
            EXPECT_EQ(FWC_Release(), FW_STATUS_OK);
        }
        unsetenv("FWCONTROL_BUSES");
    }

    int32_t initWith(const char* buses) {
        setenv("FWCONTROL_BUSES", buses, 1);
        const int32_t status = FWC_Init();
        started_ = status == FW_STATUS_OK;
        return status;
    }

    static std::vector<uint32_t> cameraIds() {
        uint32_t ids[FWC_MAX_CAMERAS];
        uint32_t count = FWC_MAX_CAMERAS;
        EXPECT_EQ(FWC_GetCameras(&count, ids), FW_STATUS_OK);
        return {ids, ids + count};
    }

    static std::string errorText(int32_t status) {
        char text[FWC_ERROR_TEXT_SIZE];
        EXPECT_EQ(FWC_GetErrorInfo(status, text, sizeof text), FW_STATUS_OK);
        return text;
    }

    bool started_ = false;
};

TEST_F(BusModules, ListsTheCamerasOfTheSimulatedBusAndOfAModule) {
    ASSERT_EQ(initWith("sim,testbus"), FW_STATUS_OK) << errorText(FWC_ERR_BUS_MODULE);
    std::vector<uint32_t> expected = kBuiltInSimIds;
    expected.push_back(kTestBusCameraId);
    EXPECT_EQ(cameraIds(), expected);

    ASSERT_EQ(FWC_OpenCamera(kTestBusCameraId, FWC_OPEN_DEFAULT), FW_STATUS_OK);
    char vendor[FWC_INFO_STRING_SIZE];
    uint32_t length = sizeof vendor;
    ASSERT_EQ(FWC_GetCameraInfoString(kTestBusCameraId, 1, vendor, &length), FW_STATUS_OK);
    EXPECT_STREQ(vendor, "Testbus");
    EXPECT_EQ(FWC_CloseCamera(kTestBusCameraId), FW_STATUS_OK);
}

TEST_F(BusModules, ModuleRaisesThroughTheHubAndDeliversItsFrames) {
    ASSERT_EQ(initWith("testbus"), FW_STATUS_OK) << errorText(FWC_ERR_BUS_MODULE);
    EXPECT_EQ(cameraIds(), std::vector<uint32_t>{kTestBusCameraId});
    ASSERT_EQ(FWC_OpenCamera(kTestBusCameraId, FWC_OPEN_DEFAULT), FW_STATUS_OK);
    std::atomic<int> completed{0};
    FWC_NOTIFICATION notification =
        FWC_MakeNotification(kTestBusCameraId, lvc::test::countCall, &completed);
    FWC_HANDLE handle = 0;
    ASSERT_EQ(FWC_RegisterNotification(&handle, FWC_NOTIFY_FRAME_COMPLETE, &notification),
              FW_STATUS_OK);

    ASSERT_EQ(FWC_GrabStart(kTestBusCameraId, 3), FW_STATUS_OK);
    EXPECT_TRUE(lvc::test::waitUntil([&] { return completed.load() > 0; }));
    uint8_t frame[8] = {};
    ASSERT_EQ(FWC_GetNativeImage(kTestBusCameraId, frame, sizeof frame, 0), FW_STATUS_OK);
    EXPECT_TRUE(std::all_of(frame, frame + 8, [](uint8_t value) { return value == 3; }));
    EXPECT_EQ(FWC_UnRegisterNotification(handle), FW_STATUS_OK);
    // The simulated bus is not started: its cameras are unknown.
    EXPECT_EQ(FWC_OpenCamera(1001, FWC_OPEN_DEFAULT), FWC_ERR_UNKNOWN_CAMERA);
}

struct RefusedCase {
    const char* buses;
    std::vector<const char*> textParts;
};

class RefusedBuses : public BusModules, public ::testing::WithParamInterface<RefusedCase> {};

TEST_P(RefusedBuses, FailInitAndLeaveNothingRunning) {
    const RefusedCase& refused = GetParam();
    ASSERT_EQ(initWith(refused.buses), FWC_ERR_BUS_MODULE);
    const std::string text = errorText(FWC_ERR_BUS_MODULE);
    for (const char* part : refused.textParts)
        EXPECT_NE(text.find(part), std::string::npos) << text;
    uint32_t count = 0;
    EXPECT_EQ(FWC_GetCameras(&count, nullptr), FWC_ERR_NOT_INITIALIZED);

    // The simulated bus started before the failure was stopped again: it starts afresh.
    ASSERT_EQ(initWith("sim"), FW_STATUS_OK);
    EXPECT_EQ(cameraIds(), kBuiltInSimIds);
}

const RefusedCase kRefusedCases[] = {
    {"sim,nosuchbus",
     {"camera bus cannot be loaded: bus nosuchbus: ",
      "/libfwcontrol-nosuchbus.so: cannot open shared object file"}},
    {"sim,test/bus", {"FWCONTROL_BUSES: \"test/bus\" is not a bus name"}},
    {"sim,testbus,sim", {"FWCONTROL_BUSES: names sim twice"}},
};

INSTANTIATE_TEST_SUITE_P(Table, RefusedBuses, ::testing::ValuesIn(kRefusedCases),
                         caseIndexName<RefusedCase>);

}  // namespace
