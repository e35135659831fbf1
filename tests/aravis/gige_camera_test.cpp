// Against Aravis's fake GigE Vision camera on 127.0.0.1. ctest runs these tests in a
// network namespace of their own, where the loopback is the only interface.
#include <gtest/gtest.h>

#include <memory>

#include "camera_session.h"
#include "fw_status.h"
#include "gige_fake_camera.h"
#include "recording_listener.h"

namespace fwaravis {
namespace {

using namespace std::chrono_literals;
using test::kFakeAddress;

void setSmallMono8(const CameraSession& session) {
    const GenicamAccess& genicam = session.genicam();
    ASSERT_EQ(genicam.setString("PixelFormat", "Mono8"), FW_STATUS_OK);
    ASSERT_EQ(genicam.setInteger("Width", 320), FW_STATUS_OK);
    ASSERT_EQ(genicam.setInteger("Height", 240), FW_STATUS_OK);
}

TEST(GigeCamera, AnswersAUnicastDiscoveryWithItsNames) {
    test::GigeFakeCamera fake;
    const auto info = fake.awaitReady();
    ASSERT_TRUE(info.has_value());
    EXPECT_EQ(info->address, kFakeAddress);
    EXPECT_EQ(info->vendor, "Aravis");
    EXPECT_EQ(info->model, "Fake");
    EXPECT_FALSE(info->serial.empty());
}

TEST(GigeCamera, NoAnswerFromAnAddressWithoutCamera) {
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(probeGigeCamera("127.0.0.9", 300ms).has_value());
    EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
}

TEST(GigeCamera, StreamsFramesOpenedByAddress) {
    test::GigeFakeCamera fake;
    ASSERT_TRUE(fake.awaitReady().has_value());
    std::unique_ptr<CameraSession> session;
    ASSERT_EQ(CameraSession::open(kFakeAddress, session), FW_STATUS_OK);
    setSmallMono8(*session);
    test::RecordingListener listener;
    ASSERT_EQ(session->startStream(listener, 4), FW_STATUS_OK);
    EXPECT_TRUE(listener.waitForFrames(3, 10s));
    session->stopStream();
    EXPECT_EQ(listener.newest().size(), 320u * 240u);
}

TEST(GigeCamera, ACameraKilledWhileStreamingIsReportedAndClosesWithoutHanging) {
    auto fake = std::make_unique<test::GigeFakeCamera>();
    ASSERT_TRUE(fake->awaitReady().has_value());
    std::unique_ptr<CameraSession> session;
    ASSERT_EQ(CameraSession::open(kFakeAddress, session), FW_STATUS_OK);
    setSmallMono8(*session);
    test::RecordingListener listener;
    ASSERT_EQ(session->startStream(listener, 4), FW_STATUS_OK);
    ASSERT_TRUE(listener.waitForFrames(1, 10s));
    fake->kill();
    EXPECT_TRUE(listener.waitForLoss(15s)) << "Aravis's heartbeat reports the lost control";
    const auto start = std::chrono::steady_clock::now();
    session.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 2s) << "a lost camera is not asked to stop";
}

TEST(GigeCamera, LostPacketsAreCountedAsDroppedFrames) {
    test::GigeFakeCamera fake(30);
    ASSERT_TRUE(fake.awaitReady().has_value());
    std::unique_ptr<CameraSession> session;
    ASSERT_EQ(CameraSession::open(kFakeAddress, session), FW_STATUS_OK);
    setSmallMono8(*session);
    test::RecordingListener listener;
    ASSERT_EQ(session->startStream(listener, 4), FW_STATUS_OK);
    EXPECT_TRUE(listener.waitForDrops(1, 15s));
    session->stopStream();
}

TEST(GigeCamera, ASecondProcessIsRefusedTheCamera) {
    test::GigeFakeCamera fake;
    ASSERT_TRUE(fake.awaitReady().has_value());
    std::unique_ptr<CameraSession> session;
    ASSERT_EQ(CameraSession::open(kFakeAddress, session), FW_STATUS_OK);
    lvc::test::ChildProcess other({LVC_OPEN_CAMERA_PROGRAM, kFakeAddress});
    const auto line = other.readLine(15s);
    ASSERT_TRUE(line.has_value());
    EXPECT_EQ(*line, "status " + std::to_string(FWC_ERR_CAMERA_BUSY));
    other.closeInput();
    EXPECT_EQ(other.waitForExit(15s), 0);
}

}  // namespace
}  // namespace fwaravis
