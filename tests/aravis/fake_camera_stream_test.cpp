#include <gtest/gtest.h>

#include <memory>

#include "camera_session.h"
#include "fake_camera.h"
#include "fw_status.h"
#include "recording_listener.h"

namespace fwaravis {
namespace {

using namespace std::chrono_literals;

// Aravis's in-process fake only: no interface that sends anything on a network.
class InProcessFake : public ::testing::Test {
protected:
    void SetUp() override {
        arv_disable_interface("GigEVision");
        arv_disable_interface("USB3Vision");
        arv_enable_interface("Fake");
    }
    void open(const char* genicamFile) {
        const std::string path =
            genicamFile != nullptr ? test::fixturePath(genicamFile) : std::string();
        arv_set_fake_camera_genicam_filename(genicamFile != nullptr ? path.c_str() : nullptr);
        ASSERT_EQ(CameraSession::open("Fake_1", session_), FW_STATUS_OK);
    }
    void setFormat(const char* pixelFormat, int64_t width, int64_t height) {
        const GenicamAccess& genicam = session_->genicam();
        ASSERT_EQ(genicam.setString("PixelFormat", pixelFormat), FW_STATUS_OK);
        ASSERT_EQ(genicam.setInteger("Width", width), FW_STATUS_OK);
        ASSERT_EQ(genicam.setInteger("Height", height), FW_STATUS_OK);
    }

    std::unique_ptr<CameraSession> session_;
};

TEST_F(InProcessFake, FramesArriveInTheCodingsSize) {
    open(nullptr);
    struct Case {
        const char* pixelFormat;
        size_t bytes;
    };
    for (const Case& row :
         {Case{"Mono8", 64 * 48}, Case{"Mono16", 64 * 48 * 2}, Case{"RGB8", 64 * 48 * 3}}) {
        SCOPED_TRACE(row.pixelFormat);
        setFormat(row.pixelFormat, 64, 48);
        test::RecordingListener listener;
        ASSERT_EQ(session_->startStream(listener, 4), FW_STATUS_OK);
        EXPECT_TRUE(listener.waitForFrames(2, 5s));
        session_->stopStream();
        const auto frame = listener.newest();
        EXPECT_EQ(frame.size(), row.bytes);
        EXPECT_NE(std::count(frame.begin(), frame.end(), 0), static_cast<ptrdiff_t>(frame.size()))
            << "the fake draws a picture";
    }
}

TEST_F(InProcessFake, NothingArrivesAfterTheStreamStopped) {
    open(nullptr);
    setFormat("Mono8", 32, 32);
    test::RecordingListener listener;
    ASSERT_EQ(session_->startStream(listener, 3), FW_STATUS_OK);
    ASSERT_TRUE(listener.waitForFrames(1, 5s));
    session_->stopStream();
    const uint32_t completed = listener.completed();
    EXPECT_FALSE(listener.waitForFrames(completed + 1, 200ms));
    EXPECT_FALSE(session_->streaming());
}

TEST_F(InProcessFake, AFormatWithoutCodingIsRefusedBeforeStreaming) {
    test::RecordingListener listener;
    open("standard-colour-camera.xml");
    ASSERT_EQ(session_->genicam().setString("PixelFormat", "Coord3D_A8"), FW_STATUS_OK);
    EXPECT_EQ(session_->startStream(listener, 3), FWC_ERR_CODING_UNSUPPORTED);
    EXPECT_FALSE(session_->streaming());
}

TEST_F(InProcessFake, ALostCameraFailsFastAndStopsWithoutAskingIt) {
    open(nullptr);
    setFormat("Mono8", 32, 32);
    test::RecordingListener listener;
    ASSERT_EQ(session_->startStream(listener, 3), FW_STATUS_OK);
    session_->markControlLost();
    EXPECT_TRUE(listener.waitForLoss(1s));
    session_->stopStream();
    EXPECT_EQ(session_->startStream(listener, 3), FWC_ERR_CAMERA_UNPLUGGED);
}

}  // namespace
}  // namespace fwaravis
