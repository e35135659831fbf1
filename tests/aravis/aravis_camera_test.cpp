// One GenICam camera through the bus interface, on Aravis's in-process fake served from
// the standard colour camera fixture.
#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <set>
#include <thread>

#include "aravis_camera.h"
#include "fake_camera.h"
#include "feature_map.h"
#include "fw_status.h"
#include "recording_host.h"

namespace fwaravis {
namespace {

using namespace std::chrono_literals;

using test::RecordingHost;

class AravisCameraOnFake : public ::testing::Test {
protected:
    void SetUp() override {
        arv_disable_interface("GigEVision");
        arv_disable_interface("USB3Vision");
        arv_enable_interface("Fake");
        const std::string path = test::fixturePath("standard-colour-camera.xml");
        arv_set_fake_camera_genicam_filename(path.c_str());
        camera_ = std::make_unique<AravisCamera>(
            DirectoryEntry{"Fake:1", "Fake_1", "Aravis", "Fake"}, 77, host_);
        // Claims of each test's own: ctest runs them side by side.
        ASSERT_EQ(camera_->open(::testing::UnitTest::GetInstance()->current_test_info()->name()),
                  FW_STATUS_OK);
    }

    RecordingHost host_;
    std::unique_ptr<AravisCamera> camera_;
};

TEST_F(AravisCameraOnFake, DescribesItselfFromItsFeatures) {
    const fwc::CameraDescription& description = camera_->description();
    EXPECT_EQ(description.vendor, "Testvendor");
    EXPECT_EQ(description.model, "TB-12");
    ASSERT_EQ(description.format7.size(), 2u) << "1 × 1 and 2 × 2 binning";
    const std::vector<uint32_t> codings = {FWC_CODING_RAW8,   FWC_CODING_RAW16, FWC_CODING_MONO8,
                                           FWC_CODING_MONO16, FWC_CODING_RGB8,  FWC_CODING_YUV422};
    EXPECT_EQ(description.format7[0].codings, codings) << "each coding once, Coord3D_A8 left out";
    EXPECT_EQ(description.format7[1].maxWidth, description.format7[0].maxWidth / 2);
    EXPECT_EQ(description.format7[0].unitWidth, 4u);
    EXPECT_TRUE(description.fixedFormats.empty());
    EXPECT_TRUE(description.trigger.present);
    EXPECT_EQ(description.lut.count, 1u);
    EXPECT_EQ(description.lut.elements, 256u);
    const fwc::Feature* gain = camera_->describedFeature(kGain);
    ASSERT_NE(gain, nullptr);
    EXPECT_EQ(gain->max, 240u);
    EXPECT_EQ(gain->statuses, (std::vector<uint32_t>{FWC_STATUS_ON, FWC_STATUS_AUTO}));
    EXPECT_EQ(camera_->describedFeature(kHue), nullptr);
}

struct GrabCase {
    const char* shows;
    uint32_t coding;
    fwc::AreaOfInterest requested;
    fwc::AreaOfInterest accepted;
    uint32_t bayer;
};

const GrabCase kGrabCases[] = {
    {"a Bayer coding takes the first Bayer format, GRBG",
     FWC_CODING_RAW8,
     {7, 5, 323, 241},
     {6, 4, 320, 240},
     2},
    {"YUV 4:2:2 widths are even", FWC_CODING_YUV422, {0, 0, 66, 20}, {0, 0, 64, 20}, 0},
    {"too large becomes the sensor", FWC_CODING_MONO8, {0, 0, 99999, 99999}, {0, 0, 0, 0}, 0},
};

TEST_F(AravisCameraOnFake, FreeGrabsAreRoundedAndSetTheBayerPhase) {
    const fwc::Format7Mode& mode = camera_->description().format7[0];
    for (const GrabCase& row : kGrabCases) {
        SCOPED_TRACE(row.shows);
        fwc::FreeGrabRequest request{0, row.coding, row.requested, 1000};
        ASSERT_EQ(camera_->prepareFreeGrab(request), FW_STATUS_OK);
        const fwc::AreaOfInterest expected =
            row.accepted.width == 0 ? fwc::AreaOfInterest{0, 0, mode.maxWidth, mode.maxHeight}
                                    : row.accepted;
        EXPECT_EQ(request.aoi.left, expected.left);
        EXPECT_EQ(request.aoi.top, expected.top);
        EXPECT_EQ(request.aoi.width, expected.width);
        EXPECT_EQ(request.aoi.height, expected.height);
        uint32_t width = 0, height = 0, coding = 99, depth = 0;
        camera_->currentImageFormat(width, height, coding, depth);
        EXPECT_EQ(coding, row.coding);
        EXPECT_EQ(width, expected.width);
        EXPECT_EQ(camera_->bayerPattern(), row.bayer);
    }
    fwc::FreeGrabRequest unknown{5, FWC_CODING_MONO8, {0, 0, 64, 64}, 1000};
    EXPECT_EQ(camera_->prepareFreeGrab(unknown), FWC_ERR_NO_FREE_MODE);
    fwc::FreeGrabRequest uncoded{0, FWC_CODING_YUV411, {0, 0, 64, 64}, 1000};
    EXPECT_EQ(camera_->prepareFreeGrab(uncoded), FWC_ERR_CODING_UNSUPPORTED);
}

// A host thread may read the phase while another changes the pixel format: it reads one
// of the phases the formats have, never a torn or stale mix.
TEST_F(AravisCameraOnFake, TheBayerPhaseIsReadWhileAnotherThreadChangesTheFormat) {
    const uint32_t codings[] = {FWC_CODING_RAW8, FWC_CODING_MONO8, FWC_CODING_RAW16};
    auto select = [&](uint32_t coding) {
        fwc::FreeGrabRequest request{0, coding, {0, 0, 64, 64}, 1000};
        EXPECT_EQ(camera_->prepareFreeGrab(request), FW_STATUS_OK);
    };
    std::set<uint32_t> phases;
    for (const uint32_t coding : codings) {
        select(coding);
        phases.insert(camera_->bayerPattern());
    }
    std::atomic<bool> done{false};
    std::thread reader([&] {
        while (!done) EXPECT_TRUE(phases.contains(camera_->bayerPattern()));
    });
    for (const uint32_t coding : codings) select(coding);
    done = true;
    reader.join();
}

TEST_F(AravisCameraOnFake, CountedGrabsFillTheRingAndRaiseFrameComplete) {
    fwc::FreeGrabRequest request{0, FWC_CODING_MONO8, {0, 0, 64, 48}, 1000};
    ASSERT_EQ(camera_->prepareFreeGrab(request), FW_STATUS_OK);
    std::vector<uint8_t> frame(64 * 48);
    EXPECT_EQ(camera_->copyNewestFrame(frame.data(), 0), FWC_ERR_NO_FRAME);
    ASSERT_EQ(camera_->startAcquisition(2, false), FW_STATUS_OK);
    EXPECT_EQ(camera_->startAcquisition(2, false), FWC_ERR_ACQUISITION_RUNNING);
    ASSERT_TRUE(host_.waitFor(FWC_NOTIFY_FRAME_COMPLETE, 2, 5s));
    EXPECT_EQ(camera_->copyNewestFrame(frame.data(), 64 * 48 - 1), FWC_ERR_BUFFER_TOO_SMALL);
    EXPECT_EQ(camera_->copyNewestFrame(frame.data(), 64 * 48), FW_STATUS_OK);
    EXPECT_FALSE(host_.waitFor(FWC_NOTIFY_FRAME_COMPLETE, 3, 300ms)) << "two frames were asked for";
    EXPECT_EQ(camera_->startAcquisition(1, true), FW_STATUS_OK) << "the counted grab is over";
    EXPECT_TRUE(host_.waitFor(FWC_NOTIFY_FRAME_COMPLETE, 3, 5s));
    EXPECT_EQ(camera_->stopAcquisition(), FW_STATUS_OK);
}

TEST_F(AravisCameraOnFake, SettingsComeBackAsTheyWereSaved) {
    // The fixture's features start as zeroed memory, below some of their minimums.
    for (const fwc::Feature& feature : camera_->description().features)
        ASSERT_EQ(camera_->setFeatureValue(feature.id, feature.min), FW_STATUS_OK) << feature.id;
    fwc::FreeGrabRequest request{0, FWC_CODING_RAW16, {8, 4, 128, 64}, 500};
    ASSERT_EQ(camera_->prepareFreeGrab(request), FW_STATUS_OK);
    ASSERT_EQ(camera_->setFeatureValue(kGain, 55), FW_STATUS_OK);
    ASSERT_EQ(camera_->setTrigger(1, 1, 0), FW_STATUS_OK);
    const fwc::CameraSettings saved = camera_->settings();

    fwc::FreeGrabRequest other{0, FWC_CODING_MONO8, {0, 0, 32, 16}, 1000};
    ASSERT_EQ(camera_->prepareFreeGrab(other), FW_STATUS_OK);
    ASSERT_EQ(camera_->setFeatureValue(kGain, 3), FW_STATUS_OK);
    ASSERT_EQ(camera_->setTrigger(0, 0, 1), FW_STATUS_OK);

    std::string problem;
    ASSERT_EQ(camera_->applySettings(saved, problem), FW_STATUS_OK) << problem;
    const fwc::CameraSettings restored = camera_->settings();
    EXPECT_EQ(restored.format.coding, uint32_t{FWC_CODING_RAW16});
    EXPECT_EQ(restored.format.width, 128u);
    EXPECT_EQ(restored.format.left, 8u);
    EXPECT_EQ(restored.format.busLoad, 500u);
    EXPECT_EQ(fwc::findFeature(restored.features, kGain)->value, 55u);
    EXPECT_EQ(restored.trigger.mode, 1u);
    EXPECT_EQ(restored.trigger.active, 1u);
    EXPECT_EQ(restored.trigger.polarity, 0u);

    fwc::CameraSettings foreign = saved;
    foreign.features.push_back({kHue, 0, 10, 5, {FWC_STATUS_ON}, FWC_STATUS_ON});
    EXPECT_EQ(camera_->applySettings(foreign, problem), FWC_ERR_FEATURE_NOT_PRESENT);
    EXPECT_FALSE(problem.empty());
}

TEST_F(AravisCameraOnFake, ALostCameraFailsItsCallsAndRaisesAnError) {
    ASSERT_EQ(camera_->startAcquisition(FWC_GRAB_CONTINUOUS, false), FW_STATUS_OK);
    camera_->markLost();
    EXPECT_TRUE(host_.waitFor(FWC_NOTIFY_ERROR, 1, 1s));
    EXPECT_EQ(camera_->checkOpen(), FWC_ERR_CAMERA_UNPLUGGED);
    EXPECT_EQ(camera_->close(), FW_STATUS_OK);
}

}  // namespace
}  // namespace fwaravis
