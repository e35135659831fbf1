// configureCamera on a camera open on a port: the port's camera is restarted after the
// dialog, so that its buffers and acquisition match the format and streaming flag the
// dialog left, and the host keeps grabbing correct frames.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <vector>

#include "boundary/port_table.h"
#include "camera/camera.h"
#include "camera/camera_start.h"
#include "config_ui/control_ids.h"
#include "config_ui_fixture.h"
#include "fw_status.h"
#include "fwcontrol.h"
#include "fwsim.h"
#include "platform/private_profile.h"
#include "support/wait_until.h"

namespace lvc::test {
namespace {

constexpr int32_t kPort = 5;
constexpr int32_t kLutTab = 3;

std::atomic<int> completedFrames{0};
void LVC_CALL countFrame(int32_t, int32_t) { ++completedFrames; }

class ConfigureCameraTest : public ConfigUiTest {
protected:
    void openPort() {
        uint32_t size[2] = {};
        ASSERT_EQ(openCVLPort(0, kPort, kFormat7CameraName, size), 1);
        setCompleteCallback(0, kPort, &countFrame);
    }
    void TearDown() override {
        closeCVLPort(0, kPort);
        ConfigUiTest::TearDown();
    }
    // Grabs one frame through the host's interface.
    bool grabOneFrame() {
        int before = completedFrames;
        if (doCVLGrab(0, kPort) != 1) return false;
        FWS_Step(kFormat7Camera);
        return waitUntil([&] { return completedFrames > before; });
    }
    bool loggedLineStarting(const std::string& prefix) const {
        for (const std::string& line : DebugLog::instance().lines())
            if (line.rfind(prefix, 0) == 0) return true;
        return false;
    }
};

TEST_F(ConfigureCameraTest, PortCameraGrabsFramesOfTheLargerAreaChosenInTheDialog) {
    openPort();
    ASSERT_TRUE(grabOneFrame());
    configure(kFormat7CameraName, [](MemorySheetView& sheet) {
        sheet.selectListEntry(kColorList, "RAW8");
        sheet.click(kMaxButton);
        sheet.pressOk();
    });
    CCamera* camera = portCamera(kPort);
    ASSERT_NE(camera, nullptr);
    EXPECT_TRUE(camera->opened);
    EXPECT_EQ(camera->width, 640u);
    EXPECT_EQ(camera->height, 480u);
    int32_t pixelSize = 0;
    ASSERT_EQ(getProperty(0, kPort, "PixelSize", &pixelSize), 1);
    EXPECT_EQ(pixelSize, 24) << "RAW8 arrives as BGR";

    DebugLog::instance().clear();
    ASSERT_TRUE(grabOneFrame());
    std::vector<uint8_t> row(640 * 3);
    EXPECT_EQ(getCVLGrabRow(0, kPort, row.data(), 479, 0, 639), 1);
    EXPECT_EQ(getCVLGrabRow(0, kPort, row.data(), 480, 0, 639), 0) << "beyond the new height";
    EXPECT_FALSE(loggedLineStarting("FWC_GetNativeImage")) << "frames fit the buffers";
}

TEST_F(ConfigureCameraTest, StreamingSwitchedOnInTheDialogStartsAcquisition) {
    openPort();
    configure(kFormat7CameraName, [](MemorySheetView& sheet) {
        sheet.click(kStreamingCheck);
        sheet.pressOk();
    });
    CCamera* camera = portCamera(kPort);
    ASSERT_NE(camera, nullptr);
    EXPECT_TRUE(isStreamingMode(*camera));
    EXPECT_EQ(FWS_Step(kFormat7Camera), 0) << "acquisition runs";
    EXPECT_EQ(iniValue(kFormat7CameraName, "Streaming"), "1");
}

TEST_F(ConfigureCameraTest, StreamingSwitchedOffInTheDialogLeavesNoAcquisitionRunning) {
    writeProfileString(kFormat7CameraName, "Streaming", "1",
                       settingsFile("Lorvenacam.ini").c_str());
    openPort();
    ASSERT_TRUE(isStreamingMode(*portCamera(kPort)));
    // Leaving the Format page reads the check box; Cancel sends no format to the camera.
    configure(kFormat7CameraName, [](MemorySheetView& sheet) {
        sheet.click(kStreamingCheck);
        sheet.chooseTab(kLutTab);
        sheet.pressCancel();
    });
    EXPECT_FALSE(isStreamingMode(*portCamera(kPort)));
    EXPECT_FALSE(loggedLineStarting("FWC_GrabStop"));
    EXPECT_FALSE(loggedLineStarting("FWC_MultiShotStop"));
    EXPECT_EQ(FWS_Step(kFormat7Camera), FWC_ERR_ACQUISITION_NOT_RUNNING);
    EXPECT_EQ(iniValue(kFormat7CameraName, "Streaming"), "0");
}

// The restart after the dialog ends the shot in flight; a continuous chain goes on after
// it, whether the dialog was shown and confirmed or could not be shown at all.
TEST_F(ConfigureCameraTest, ContinuousDeliveryGoesOnAfterTheDialog) {
    const std::function<std::unique_ptr<SheetView>()> views[] = {
        [] {
            return std::make_unique<MemorySheetView>(
                [](MemorySheetView& sheet) { sheet.pressOk(); });
        },
        [] { return std::unique_ptr<SheetView>(); },
    };
    openPort();
    ASSERT_EQ(setProperty(0, kPort, "Continous", 1), 1);
    for (const auto& view : views) {
        const int before = completedFrames;
        ASSERT_TRUE(waitUntil([] { return FWS_Step(kFormat7Camera) == 0; }));
        ASSERT_TRUE(waitUntil([&] { return completedFrames > before; }));
        setSheetViewFactory(view);
        configureCamera(0, kFormat7CameraName);
        int32_t continuous = 0;
        ASSERT_EQ(getProperty(0, kPort, "Continous", &continuous), 1);
        EXPECT_EQ(continuous, 1);
        const int after = completedFrames;
        ASSERT_TRUE(waitUntil([] { return FWS_Step(kFormat7Camera) == 0; }))
            << "no shot in flight after the dialog";
        EXPECT_TRUE(waitUntil([&] { return completedFrames > after; }));
    }
}

TEST_F(ConfigureCameraTest, TemporaryCameraIsClosedAfterTheDialogWhateverItsStreamingFlag) {
    configure(kFormat7CameraName, [](MemorySheetView& sheet) {
        sheet.click(kStreamingCheck);
        sheet.pressOk();
    });
    EXPECT_EQ(portCamera(kPort), nullptr);
    EXPECT_EQ(FWC_OpenCamera(kFormat7Camera, FWC_OPEN_DEFAULT), 0) << "the camera was closed";
    EXPECT_EQ(FWS_Step(kFormat7Camera), FWC_ERR_ACQUISITION_NOT_RUNNING);
    FWC_CloseCamera(kFormat7Camera);
    EXPECT_EQ(iniValue(kFormat7CameraName, "Streaming"), "1");
}

}  // namespace
}  // namespace lvc::test
