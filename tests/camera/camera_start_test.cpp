// Starting and stopping a camera with the simulated bus in the same process: the calls
// made once, the failures tolerated or reported, and the acquisition mode.
#include "camera/camera_start.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "camera/camera.h"
#include "camera_bus.h"
#include "fw_status.h"
#include "fwcontrol.h"
#include "fwsim.h"
#include "lorvenacam.h"
#include "support/debug_log_test.h"
#include "support/sim_bus_file.h"

namespace lvc {
namespace {

const std::string kInjected = "failure injected by the test control interface";

class CameraStartTest : public test::DebugLogTest {
protected:
    void SetUp() override {
        DebugLogTest::SetUp();
        ASSERT_EQ(FWC_Init(), 0);
    }
    void TearDown() override {
        cameras_.clear();
        FWC_Release();
        DebugLogTest::TearDown();
    }
    CCamera& camera(uint32_t id) {
        cameras_.push_back(createCamera(id, test::cameraName(id).c_str(), nullptr, nullptr));
        return *cameras_.back();
    }
    static bool logged(const std::string& line) {
        return test::DebugLog::instance().contains(line);
    }
    static std::string lastLine() { return test::DebugLog::instance().lines().back(); }

private:
    test::SimBusFile bus_{test::cameraBusJson()};
    std::vector<CameraPtr> cameras_;
};

TEST_F(CameraStartTest, StartsOnceAndSizesTheBuffers) {
    CCamera& mono = camera(test::kMonoCamera);
    ASSERT_TRUE(startCamera(mono));
    EXPECT_EQ(mono.rawSize, 640u * 480u);
    EXPECT_EQ(mono.imageSize, 640u * 480u);
    ASSERT_NE(mono.rawImage, nullptr);
    ASSERT_NE(mono.image, nullptr);
    // A second start makes no driver call: the injected failure is still waiting.
    ASSERT_EQ(FWS_FailCall("FWC_GetCurrentImageFormat", FWC_ERR_INJECTED, 1), 0);
    EXPECT_TRUE(startCamera(mono));
    uint32_t width = 0;
    EXPECT_EQ(FWC_GetCurrentImageFormat(mono.cameraId, &width, nullptr, nullptr, nullptr),
              FWC_ERR_INJECTED);

    ASSERT_TRUE(stopCamera(mono));
    EXPECT_FALSE(mono.opened);
    EXPECT_EQ(mono.rawImage, nullptr);
    EXPECT_EQ(mono.image, nullptr);
    EXPECT_EQ(mono.rawSize + mono.imageSize, 0u);
    EXPECT_TRUE(stopCamera(mono));
}

TEST_F(CameraStartTest, CameraThatCannotOpenStaysClosed) {
    CCamera& mono = camera(test::kMonoCamera);
    ASSERT_EQ(FWS_FailCall("FWC_OpenCamera", FWC_ERR_INJECTED, 1), 0);
    EXPECT_FALSE(startCamera(mono));
    EXPECT_FALSE(mono.opened);
    EXPECT_EQ(mono.rawImage, nullptr);
    EXPECT_EQ(lastLine(), "FWC_OpenCamera: " + kInjected + "\n");
}

TEST_F(CameraStartTest, FailedCloseKeepsTheCameraOpen) {
    CCamera& mono = camera(test::kMonoCamera);
    ASSERT_TRUE(startCamera(mono));
    ASSERT_EQ(FWS_FailCall("FWC_CloseCamera", FWC_ERR_INJECTED, 1), 0);
    EXPECT_FALSE(stopCamera(mono));
    EXPECT_TRUE(logged("FWC_CloseCamera: " + kInjected + "\n"));
    EXPECT_TRUE(mono.opened);
    EXPECT_NE(mono.rawImage, nullptr);
    EXPECT_TRUE(stopCamera(mono));
    EXPECT_FALSE(mono.opened);
}

// A fixed format that cannot be read is not trusted: the camera takes the Format 7 path,
// which asks the camera for its area, and the start goes on.
TEST_F(CameraStartTest, UnreadableFixedFormatTakesTheFormat7Path) {
    CCamera& mono = camera(test::kMonoCamera);
    ASSERT_EQ(FWS_FailCall("FWC_GetCurrentFixedFormat", FWC_ERR_INJECTED, 1), 0);
    ASSERT_TRUE(startCamera(mono));
    EXPECT_TRUE(logged("FWC_GetCurrentFixedFormat: " + kInjected + "\n"));
    EXPECT_EQ(lastLine().rfind("F7: Lorvsim Mono - 2001 ", 0), 0u) << lastLine();
    EXPECT_EQ(mono.rawSize, mono.width * mono.height);
}

TEST_F(CameraStartTest, NamesCallsAsTheMessagesDo) {
    CCamera& trigger = camera(test::kTriggerCamera);
    ASSERT_EQ(FWS_FailCall("FWC_GetCameraInfo", FWC_ERR_INJECTED, 2), 0);
    ASSERT_EQ(FWS_FailCall("FWC_GrabStart", FWC_ERR_INJECTED, 1), 0);
    EXPECT_FALSE(startCamera(trigger)) << "a streaming camera that does not stream has not started";
    EXPECT_FALSE(trigger.opened);
    EXPECT_TRUE(logged("FWC_GetCameraInfo(BayerPattern): " + kInjected + "\n"));
    EXPECT_TRUE(logged("FWC_GetCameraInfo(Interlaced): " + kInjected + "\n"));
    EXPECT_TRUE(logged("FWC_StartGrab: " + kInjected + "\n"));
}

struct ModeCase {
    const char* what;
    uint32_t cameraId;
    bool streaming;
    const char* startLine;
};

TEST_F(CameraStartTest, StreamsWhenTriggeredOrAskedTo) {
    const ModeCase cases[] = {
        {"multishot", test::kMonoCamera, false,
         "Fixed: Lorvsim Mono - 2001 640x480 pos(0,0) Mono8 8 bit fps 3 multishot\n"},
        {"streaming setting", test::kMonoCamera, true,
         "Fixed: Lorvsim Mono - 2001 640x480 pos(0,0) Mono8 8 bit fps 3 streaming\n"},
        {"trigger active", test::kTriggerCamera, false,
         "Fixed: Lorvsim Trigger - 2007 640x480 pos(0,0) Mono8 8 bit fps 3 streaming\n"},
    };
    for (const auto& c : cases) {
        CCamera& subject = camera(c.cameraId);
        subject.streaming = c.streaming;
        ASSERT_TRUE(startCamera(subject)) << c.what;
        EXPECT_EQ(lastLine(), c.startLine) << c.what;
        const bool acquiring =
            FWC_GrabStart(subject.cameraId, FWC_GRAB_CONTINUOUS) == FWC_ERR_ACQUISITION_RUNNING;
        EXPECT_EQ(acquiring, isStreamingMode(subject)) << c.what;
        if (!acquiring) FWC_GrabStop(subject.cameraId, 1);
        EXPECT_TRUE(stopCamera(subject)) << c.what;
    }
}

}  // namespace
}  // namespace lvc
