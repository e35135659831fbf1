// One GenICam camera through the bus interface, on Aravis's in-process fake served from
// the standard colour camera fixture.
#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <optional>
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

    // The fixture's features start as zeroed memory, below some of their minimums.
    void setFeaturesToTheirMinimums() {
        for (const fwc::Feature& feature : camera_->description().features) {
            if (feature.id == kFrameCounter || feature.id == kCycleTime) continue;  // read-only
            ASSERT_EQ(camera_->setFeatureValue(feature.id, feature.min), FW_STATUS_OK)
                << feature.id;
        }
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
    const std::optional<fwc::Feature> gain = camera_->describedFeature(kGain);
    ASSERT_TRUE(gain);
    EXPECT_EQ(gain->max, 240u);
    EXPECT_EQ(gain->statuses, (std::vector<uint32_t>{FWC_STATUS_ON, FWC_STATUS_AUTO}));
    EXPECT_FALSE(camera_->describedFeature(kHue));
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

// A camera describes itself again when it is opened: a range read meanwhile on another
// thread gets a whole copy, never the features being rebuilt.
TEST_F(AravisCameraOnFake, FeatureRangesAreReadWhileAnotherThreadReopensTheCamera) {
    const std::string claim = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    std::atomic<bool> done{false};
    std::thread reader([&] {
        while (!done) {
            if (const std::optional<fwc::Feature> gain = camera_->describedFeature(kGain)) {
                EXPECT_EQ(gain->max, 240u);
            }
        }
    });
    for (int reopening = 0; reopening < 3; ++reopening) {
        EXPECT_EQ(camera_->close(), FW_STATUS_OK);
        EXPECT_EQ(camera_->open(claim), FW_STATUS_OK);
    }
    done = true;
    reader.join();
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
    setFeaturesToTheirMinimums();
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

TEST_F(AravisCameraOnFake, TheLibrarysOwnFeaturesAreDescribed) {
    struct Described {
        uint32_t id;
        uint32_t min, max;
        std::vector<uint32_t> statuses;
    };
    const Described expected[] = {
        {kFrameCounter, 0, 0xFFFFFFFEu, {FWC_STATUS_ON}},
        {kUserProfile, 0, 2, {FWC_STATUS_ON, FWC_STATUS_ONE_PUSH}},
        {kFrameBufferCount, 3, 64, {FWC_STATUS_ON}},
        {kCycleTime, 0, 0xFFFFFFFEu, {FWC_STATUS_ON}},
        {kBusTrigger, 0, 1, {FWC_STATUS_ON}},
    };
    for (const Described& row : expected) {
        SCOPED_TRACE(row.id);
        const std::optional<fwc::Feature> feature = camera_->describedFeature(row.id);
        ASSERT_TRUE(feature);
        EXPECT_EQ(feature->min, row.min);
        EXPECT_EQ(feature->max, row.max);
        EXPECT_EQ(feature->statuses, row.statuses);
    }
}

TEST_F(AravisCameraOnFake, TheLibrarysOwnFeaturesRefuseWhatTheyCannotTake) {
    struct Refused {
        const char* shows;
        uint32_t id;
        uint32_t value;
        int32_t status;
    };
    const Refused refused[] = {
        {"the frame counter is read-only", kFrameCounter, 0, FWC_ERR_INVALID_ARGUMENT},
        {"the clock is read-only", kCycleTime, 0, FWC_ERR_INVALID_ARGUMENT},
        {"the newest frame holds two buffers, the stream needs a third", kFrameBufferCount, 2,
         FWC_ERR_VALUE_OUT_OF_RANGE},
        {"at most 64 buffers", kFrameBufferCount, 65, FWC_ERR_VALUE_OUT_OF_RANGE},
        {"the camera has three user sets", kUserProfile, 3, FWC_ERR_VALUE_OUT_OF_RANGE},
        {"a bus trigger is 0 or 1", kBusTrigger, 2, FWC_ERR_VALUE_OUT_OF_RANGE},
        {"a bus with no speed to set", 1025, 1, FWC_ERR_FEATURE_NOT_PRESENT},
        {"no isochronous channel", 1032, 1, FWC_ERR_FEATURE_NOT_PRESENT},
    };
    for (const Refused& row : refused) {
        SCOPED_TRACE(row.shows);
        EXPECT_EQ(camera_->setFeatureValue(row.id, row.value), row.status);
    }
    EXPECT_EQ(camera_->setFeatureStatus(kFrameBufferCount, FWC_STATUS_AUTO),
              FWC_ERR_FEATURE_STATUS_UNSUPPORTED);
    EXPECT_EQ(camera_->setFeatureStatus(kCycleTime, FWC_STATUS_ONE_PUSH),
              FWC_ERR_FEATURE_STATUS_UNSUPPORTED);
}

TEST_F(AravisCameraOnFake, AUserProfileIsLoadedByValueAndSavedByOnePush) {
    uint32_t profile = 99;
    ASSERT_EQ(camera_->setFeatureValue(kUserProfile, 1), FW_STATUS_OK);
    ASSERT_EQ(camera_->featureValue(kUserProfile, profile), FW_STATUS_OK);
    EXPECT_EQ(profile, 1u);
    EXPECT_EQ(camera_->setFeatureStatus(kUserProfile, FWC_STATUS_ONE_PUSH), FW_STATUS_OK);
    uint32_t status = 0;
    ASSERT_EQ(camera_->featureStatus(kUserProfile, status), FW_STATUS_OK);
    EXPECT_EQ(status, uint32_t{FWC_STATUS_ON}) << "a save is done at once";
}

TEST_F(AravisCameraOnFake, TheFrameCounterFollowsTheFramesAndTheBufferCountTheNextStart) {
    uint32_t counter = 99;
    ASSERT_EQ(camera_->featureValue(kFrameCounter, counter), FW_STATUS_OK);
    EXPECT_EQ(counter, 0u) << "no frame yet";
    ASSERT_EQ(camera_->setFeatureValue(kFrameBufferCount, 3), FW_STATUS_OK);
    fwc::FreeGrabRequest request{0, FWC_CODING_MONO8, {0, 0, 64, 48}, 1000};
    ASSERT_EQ(camera_->prepareFreeGrab(request), FW_STATUS_OK);
    ASSERT_EQ(camera_->startAcquisition(FWC_GRAB_CONTINUOUS, false), FW_STATUS_OK);
    ASSERT_TRUE(host_.waitFor(FWC_NOTIFY_FRAME_COMPLETE, 2, 5s)) << "the fewest buffers stream too";
    ASSERT_EQ(camera_->featureValue(kFrameCounter, counter), FW_STATUS_OK);
    EXPECT_NE(counter, 0u);
    ASSERT_TRUE(host_.waitFor(FWC_NOTIFY_FRAME_COMPLETE, 4, 5s));
    uint32_t later = 0;
    ASSERT_EQ(camera_->featureValue(kFrameCounter, later), FW_STATUS_OK);
    EXPECT_NE(later, counter);
    EXPECT_EQ(camera_->stopAcquisition(), FW_STATUS_OK);
    uint32_t buffers = 0;
    ASSERT_EQ(camera_->featureValue(kFrameBufferCount, buffers), FW_STATUS_OK);
    EXPECT_EQ(buffers, 3u);
}

TEST_F(AravisCameraOnFake, BusLoadIsAcceptedAsTheFrameRateCarriesIt) {
    struct Case {
        uint32_t requested;
        uint32_t accepted;
    };
    // The fixture's rates: 0.5 .. 80 fps, so the least load is 0.5 / 80.
    for (const Case& row : {Case{250, 250}, Case{3, 6}, Case{1000, 1000}, Case{0, 6}}) {
        SCOPED_TRACE(row.requested);
        fwc::FreeGrabRequest request{0, FWC_CODING_MONO8, {0, 0, 64, 48}, row.requested};
        ASSERT_EQ(camera_->prepareFreeGrab(request), FW_STATUS_OK);
        EXPECT_EQ(request.busLoad, row.accepted);
        EXPECT_EQ(camera_->settings().format.busLoad, row.accepted);
    }
}

TEST_F(AravisCameraOnFake, SettingsCarryTheBufferCountButNoCounterOrAction) {
    setFeaturesToTheirMinimums();
    ASSERT_EQ(camera_->setFeatureValue(kFrameBufferCount, 3), FW_STATUS_OK);
    ASSERT_EQ(camera_->setFeatureValue(kUserProfile, 2), FW_STATUS_OK);
    fwc::CameraSettings saved = camera_->settings();
    for (fwc::Feature& feature : saved.features)
        if (feature.id == kFrameCounter) feature.value = 12345;
    ASSERT_EQ(camera_->setFeatureValue(kFrameBufferCount, 9), FW_STATUS_OK);
    ASSERT_EQ(camera_->setFeatureValue(kUserProfile, 0), FW_STATUS_OK);
    std::string problem;
    ASSERT_EQ(camera_->applySettings(saved, problem), FW_STATUS_OK) << problem;
    uint32_t value = 0;
    ASSERT_EQ(camera_->featureValue(kFrameBufferCount, value), FW_STATUS_OK);
    EXPECT_EQ(value, 3u);
    ASSERT_EQ(camera_->featureValue(kUserProfile, value), FW_STATUS_OK);
    EXPECT_EQ(value, 0u) << "loading a user set would undo the settings just applied";
}

}  // namespace
}  // namespace fwaravis
