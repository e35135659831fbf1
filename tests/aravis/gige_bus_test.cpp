// The GenICam bus with FWCONTROL_GIGE_CAMERAS naming Aravis's fake GigE Vision camera.
#include <gtest/gtest.h>

#include <cstdlib>

#include "aravis_bus.h"
#include "feature_map.h"
#include "fw_status.h"
#include "gige_fake_camera.h"
#include "recording_host.h"
#include "support/allocation_counter.h"

namespace fwaravis {
namespace {

using namespace std::chrono_literals;

// The bus started on the fake GigE Vision camera, which it lists as soon as it has started,
// with the fake opened as camera 42 and set to 320 × 240 Mono8.
class GigeBusOnFake : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(fake.awaitReady().has_value());
        setenv("FWCONTROL_GIGE_CAMERAS", test::kFakeAddress, 1);
        ASSERT_EQ(bus.start(host), FW_STATUS_OK);
        ASSERT_EQ(bus.cameras(keys), FW_STATUS_OK);
        ASSERT_EQ(keys.size(), 1u) << "listed as soon as the bus has started";
        ASSERT_EQ(bus.find(keys[0], 42, camera), FW_STATUS_OK);
        ASSERT_EQ(bus.open(keys[0], 42), FW_STATUS_OK);
        fwc::FreeGrabRequest request{0, FWC_CODING_MONO8, {0, 0, 320, 240}, 1000};
        ASSERT_EQ(camera->prepareFreeGrab(request), FW_STATUS_OK);
    }

    test::GigeFakeCamera fake;
    test::RecordingHost host;
    AravisBus bus;
    std::vector<fwc::BusCameraKey> keys;
    std::shared_ptr<fwc::BusCamera> camera;
};

TEST_F(GigeBusOnFake, ACameraKilledWhileStreamingFailsFastAndClosesCleanly) {
    EXPECT_EQ(keys[0].serial.rfind("GigEVision:", 0), 0u);
    EXPECT_EQ(camera->description().vendor, "Aravis");
    ASSERT_EQ(camera->startAcquisition(FWC_GRAB_CONTINUOUS, false), FW_STATUS_OK);
    ASSERT_TRUE(host.waitFor(FWC_NOTIFY_FRAME_COMPLETE, 2, 10s));

    fake.kill();
    EXPECT_TRUE(host.waitFor(FWC_NOTIFY_ERROR, 1, 5s))
        << "found by the liveness check before Aravis's heartbeat";
    EXPECT_TRUE(host.waitFor(test::kNodeListChanged, 1, 5s));
    EXPECT_EQ(camera->checkOpen(), FWC_ERR_CAMERA_UNPLUGGED);
    std::shared_ptr<fwc::BusCamera> again;
    EXPECT_EQ(bus.find(keys[0], 42, again), FWC_ERR_CAMERA_UNPLUGGED);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(camera->close(), FW_STATUS_OK);
    bus.stop();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
}

// A frame fetch allocates nothing. Every call of the library finds its camera on the bus
// first, so the finds are counted with the fetches.
TEST_F(GigeBusOnFake, FetchingFramesAllocatesNothing) {
    if (!lvc::test::allocationsCounted())
        GTEST_SKIP() << "the sanitizer's allocator counts nothing";
    ASSERT_EQ(camera->startAcquisition(FWC_GRAB_CONTINUOUS, false), FW_STATUS_OK);
    ASSERT_TRUE(host.waitFor(FWC_NOTIFY_FRAME_COMPLETE, 1, 10s));
    std::vector<uint8_t> frame(320 * 240);

    const uint64_t before = lvc::test::threadAllocationCount();
    for (int fetch = 0; fetch < 50; ++fetch) {
        std::shared_ptr<fwc::BusCamera> found;
        ASSERT_EQ(bus.find(keys[0], 42, found), FW_STATUS_OK);
        ASSERT_EQ(found->checkOpen(), FW_STATUS_OK);
        ASSERT_EQ(found->copyNewestFrame(frame.data(), static_cast<uint32_t>(frame.size())),
                  FW_STATUS_OK);
    }
    EXPECT_EQ(lvc::test::threadAllocationCount() - before, 0u);
    EXPECT_EQ(camera->close(), FW_STATUS_OK);
    bus.stop();
}

TEST(GigeBus, AddressesThatAreNotIpv4AreRefused) {
    setenv("FWCONTROL_GIGE_CAMERAS", "127.0.0.1, camera.local", 1);
    test::RecordingHost host;
    AravisBus bus;
    EXPECT_EQ(bus.start(host), FWC_ERR_BUS_DESCRIPTION);
}

TEST_F(GigeBusOnFake, EachBusTriggerBringsOneFrameCountedAsAPulse) {
    ASSERT_TRUE(camera->describedFeature(kBusTrigger));
    ASSERT_EQ(camera->setTrigger(0, 1, 1), FW_STATUS_OK);
    ASSERT_EQ(camera->startAcquisition(FWC_GRAB_CONTINUOUS, false), FW_STATUS_OK);

    uint32_t previousId = 0;
    for (uint32_t pulse = 1; pulse <= 3; ++pulse) {
        SCOPED_TRACE(pulse);
        ASSERT_EQ(camera->setFeatureValue(kBusTrigger, 1), FW_STATUS_OK);
        ASSERT_TRUE(host.waitFor(FWC_NOTIFY_FRAME_COMPLETE, pulse, 5s));
        uint32_t frameId = 0;
        ASSERT_EQ(camera->featureValue(kFrameCounter, frameId), FW_STATUS_OK);
        EXPECT_NE(frameId, 0u);
        EXPECT_NE(frameId, previousId) << "the newest frame's id";
        previousId = frameId;
    }
    EXPECT_FALSE(host.waitFor(FWC_NOTIFY_FRAME_COMPLETE, 4, 500ms)) << "no frame without a pulse";
    fwc::TriggerInfo trigger;
    uint32_t pulses = 0;
    ASSERT_EQ(camera->trigger(trigger, pulses), FW_STATUS_OK);
    EXPECT_EQ(pulses, 3u);
    EXPECT_EQ(trigger.active, 1u);
    EXPECT_EQ(camera->close(), FW_STATUS_OK);
    bus.stop();
}

}  // namespace
}  // namespace fwaravis
