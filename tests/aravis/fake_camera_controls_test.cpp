#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "bus_load_rate.h"
#include "camera_area.h"
#include "camera_clock.h"
#include "camera_lut.h"
#include "camera_trigger.h"
#include "fake_camera.h"
#include "fw_status.h"
#include "user_sets.h"

namespace fwaravis {
namespace {

using test::FakeCamera;

class ControlsOf : public ::testing::Test {
protected:
    void open(const char* genicamFile) {
        camera_ = std::make_unique<FakeCamera>(genicamFile);
        ASSERT_NE(camera_->device(), nullptr) << camera_->error();
        genicam_ = std::make_unique<GenicamAccess>(camera_->device());
    }
    int64_t cameraInteger(const char* name) const {
        int64_t value = -1;
        EXPECT_EQ(genicam_->integer(name, value), FW_STATUS_OK);
        return value;
    }

    std::unique_ptr<FakeCamera> camera_;
    std::unique_ptr<GenicamAccess> genicam_;
};

TEST_F(ControlsOf, AreaLimitsComeFromTheSizesAndTheirIncrements) {
    open("standard-colour-camera.xml");
    AreaLimits limits;
    ASSERT_EQ(readAreaLimits(*genicam_, limits), FW_STATUS_OK);
    EXPECT_EQ(limits.maxWidth, cameraInteger("SensorWidth"));
    EXPECT_EQ(limits.maxHeight, cameraInteger("SensorHeight"));
    EXPECT_EQ(limits.minWidth, 16u);
    EXPECT_EQ(limits.minHeight, 8u);
    EXPECT_EQ(limits.unitWidth, 4u);
    EXPECT_EQ(limits.unitHeight, 2u);
    EXPECT_EQ(limits.unitLeft, 2u);
    EXPECT_EQ(limits.unitTop, 2u);
}

TEST_F(ControlsOf, AnAreaIsWrittenWhateverTheOffsetsWereBefore) {
    open("standard-colour-camera.xml");
    AreaLimits limits;
    ASSERT_EQ(readAreaLimits(*genicam_, limits), FW_STATUS_OK);
    const Area corner{limits.maxWidth - 64, limits.maxHeight - 32, 64, 32};
    ASSERT_EQ(writeArea(*genicam_, corner), FW_STATUS_OK);
    const Area whole{0, 0, limits.maxWidth, limits.maxHeight};
    ASSERT_EQ(writeArea(*genicam_, whole), FW_STATUS_OK);
    Area read;
    ASSERT_EQ(readArea(*genicam_, read), FW_STATUS_OK);
    EXPECT_EQ(read.left, 0u);
    EXPECT_EQ(read.top, 0u);
    EXPECT_EQ(read.width, limits.maxWidth);
    EXPECT_EQ(read.height, limits.maxHeight);
}

TEST_F(ControlsOf, TriggerSettingsAreWrittenAndReadBack) {
    open("standard-colour-camera.xml");
    const TriggerSetting settings[] = {{0, true, 0}, {1, true, 1}, {1, false, 0}, {0, false, 1}};
    for (const TriggerSetting& setting : settings) {
        ASSERT_EQ(writeTrigger(*genicam_, setting), FW_STATUS_OK);
        TriggerSetting read;
        ASSERT_EQ(readTrigger(*genicam_, read), FW_STATUS_OK);
        EXPECT_EQ(read.mode, setting.mode);
        EXPECT_EQ(read.active, setting.active);
        EXPECT_EQ(read.polarity, setting.polarity);
    }
    EXPECT_EQ(writeTrigger(*genicam_, {3, true, 1}), FWC_ERR_INVALID_ARGUMENT);
}

TEST_F(ControlsOf, ACameraWithOnlyARisingEdgeRefusesTheOthers) {
    open(nullptr);  // Aravis's own fake: TriggerActivation RisingEdge, no ExposureMode
    EXPECT_EQ(writeTrigger(*genicam_, {0, true, 1}), FW_STATUS_OK);
    EXPECT_EQ(writeTrigger(*genicam_, {0, true, 0}), FWC_ERR_INVALID_ARGUMENT);
    EXPECT_EQ(writeTrigger(*genicam_, {1, true, 1}), FWC_ERR_INVALID_ARGUMENT);
    TriggerSetting read;
    ASSERT_EQ(readTrigger(*genicam_, read), FW_STATUS_OK);
    EXPECT_TRUE(read.active);
    EXPECT_EQ(read.mode, 0u);
}

TEST_F(ControlsOf, TheLutIsUploadedScaledToItsValueRange) {
    open("standard-colour-camera.xml");
    LutInfo info;
    ASSERT_EQ(readLutInfo(*genicam_, info), FW_STATUS_OK);
    EXPECT_EQ(info.count, 1u);
    EXPECT_EQ(info.maxValue, 4095u);
    EXPECT_EQ(info.elements, 256u);

    std::vector<uint8_t> ramp(256);
    for (size_t index = 0; index < ramp.size(); ++index)
        ramp[index] = static_cast<uint8_t>(255 - index);
    ASSERT_EQ(uploadLut(*genicam_, 0, ramp.data(), 256), FW_STATUS_OK);
    const std::pair<int64_t, int64_t> expected[] = {{0, 4095}, {127, 2056}, {255, 0}};
    for (const auto& [index, value] : expected) {
        ASSERT_EQ(genicam_->setInteger("LUTIndex", index), FW_STATUS_OK);
        EXPECT_EQ(cameraInteger("LUTValue"), value) << "index " << index;
    }
    ASSERT_EQ(useLut(*genicam_, 0, true), FW_STATUS_OK);
    bool enabled = false;
    ASSERT_EQ(genicam_->boolean("LUTEnable", enabled), FW_STATUS_OK);
    EXPECT_TRUE(enabled);

    EXPECT_EQ(uploadLut(*genicam_, 0, ramp.data(), 255), FWC_ERR_LUT_SIZE);
    EXPECT_EQ(uploadLut(*genicam_, 1, ramp.data(), 256), FWC_ERR_NO_LUT);
}

TEST_F(ControlsOf, ACameraWithoutLutSaysSo) {
    open(nullptr);
    LutInfo info;
    EXPECT_EQ(readLutInfo(*genicam_, info), FWC_ERR_NO_LUT);
    const uint8_t values[256] = {};
    EXPECT_EQ(uploadLut(*genicam_, 0, values, 256), FWC_ERR_NO_LUT);
}

struct BusLoadCase {
    const char* shows;
    uint32_t busLoad;
    bool rateEnabled;
    double rate;  // of the fixture's 0.5 .. 80 fps
    uint32_t readBack;
};

const BusLoadCase kBusLoadCases[] = {
    {"a share of the highest rate", 500, true, 40.0, 500},
    {"a small share is held at the lowest rate", 1, true, 0.5, 6},
    {"nothing is taken as the least load", 0, true, 0.5, 6},
    {"the whole link lets the camera run at its own pace", 1000, false, 80.0, 1000},
    {"more than the link is the whole link", 5000, false, 80.0, 1000},
};

TEST_F(ControlsOf, BusLoadIsAShareOfTheHighestFrameRate) {
    open("standard-colour-camera.xml");
    ASSERT_TRUE(hasFrameRateLimit(*genicam_));
    for (const BusLoadCase& row : kBusLoadCases) {
        SCOPED_TRACE(row.shows);
        ASSERT_EQ(writeBusLoad(*genicam_, row.busLoad), FW_STATUS_OK);
        bool enabled = !row.rateEnabled;
        ASSERT_EQ(genicam_->boolean("AcquisitionFrameRateEnable", enabled), FW_STATUS_OK);
        EXPECT_EQ(enabled, row.rateEnabled);
        double rate = 0;
        ASSERT_EQ(genicam_->floatValue("AcquisitionFrameRate", rate), FW_STATUS_OK);
        EXPECT_NEAR(rate, row.rate, 1e-3);
        uint32_t busLoad = 0;
        ASSERT_EQ(readBusLoad(*genicam_, busLoad), FW_STATUS_OK);
        EXPECT_EQ(busLoad, row.readBack);
    }
}

TEST_F(ControlsOf, AFrameRateWithoutEnableCarriesTheBusLoadAlone) {
    open(nullptr);  // Aravis's own fake: AcquisitionFrameRate, no enable
    ASSERT_TRUE(hasFrameRateLimit(*genicam_));
    double min = 0, max = 0, rate = 0;
    ASSERT_EQ(genicam_->floatBounds("AcquisitionFrameRate", min, max), FW_STATUS_OK);
    ASSERT_EQ(writeBusLoad(*genicam_, 100), FW_STATUS_OK);
    ASSERT_EQ(genicam_->floatValue("AcquisitionFrameRate", rate), FW_STATUS_OK);
    EXPECT_NEAR(rate, std::max(min, max / 10), 1e-6);
    uint32_t busLoad = 0;
    ASSERT_EQ(readBusLoad(*genicam_, busLoad), FW_STATUS_OK);
    EXPECT_EQ(busLoad, 100u);
}

TEST_F(ControlsOf, ASoftwareTriggerFiresOnceFromTheSoftwareSource) {
    open("standard-colour-camera.xml");
    ArvFakeCamera* fake = arv_fake_device_get_fake_camera(ARV_FAKE_DEVICE(camera_->device()));
    ASSERT_TRUE(hasSoftwareTrigger(*genicam_));
    ASSERT_EQ(writeTrigger(*genicam_, {0, true, 1}), FW_STATUS_OK);
    EXPECT_FALSE(arv_fake_camera_check_and_acknowledge_software_trigger(fake));

    ASSERT_EQ(fireSoftwareTrigger(*genicam_), FW_STATUS_OK);
    std::string source;
    ASSERT_EQ(genicam_->string("TriggerSource", source), FW_STATUS_OK);
    EXPECT_EQ(source, "Software");
    EXPECT_TRUE(arv_fake_camera_is_in_software_trigger_mode(fake));
    EXPECT_TRUE(arv_fake_camera_check_and_acknowledge_software_trigger(fake));
    EXPECT_FALSE(arv_fake_camera_check_and_acknowledge_software_trigger(fake)) << "one pulse";

    // The trigger set again listens to the camera's input line once more.
    ASSERT_EQ(writeTrigger(*genicam_, {0, true, 0}), FW_STATUS_OK);
    ASSERT_EQ(genicam_->string("TriggerSource", source), FW_STATUS_OK);
    EXPECT_EQ(source, "Line0");
}

TEST_F(ControlsOf, UserSetsAreLoadedAndSavedByTheirPosition) {
    open("standard-colour-camera.xml");
    uint32_t count = 0, profile = 99;
    ASSERT_EQ(userSetCount(*genicam_, count), FW_STATUS_OK);
    EXPECT_EQ(count, 3u) << "Default, UserSet1, UserSet2";
    ASSERT_EQ(loadUserSet(*genicam_, 2), FW_STATUS_OK);
    ASSERT_EQ(selectedUserSet(*genicam_, profile), FW_STATUS_OK);
    EXPECT_EQ(profile, 2u);
    std::string name;
    ASSERT_EQ(genicam_->string("UserSetSelector", name), FW_STATUS_OK);
    EXPECT_EQ(name, "UserSet2");
    EXPECT_EQ(loadUserSet(*genicam_, 3), FWC_ERR_VALUE_OUT_OF_RANGE);

    ASSERT_EQ(saveUserSet(*genicam_), FW_STATUS_OK);
    ASSERT_EQ(genicam_->string("UserSetDefault", name), FW_STATUS_OK);
    EXPECT_EQ(name, "UserSet2") << "the camera starts with the set saved last";
}

TEST_F(ControlsOf, TheClockIsTheLatchedTimestampInMicroseconds) {
    open("standard-colour-camera.xml");
    ASSERT_TRUE(hasClock(*genicam_));
    ASSERT_EQ(genicam_->setInteger("TimestampLatchValue", 5'000'123'456'789), FW_STATUS_OK);
    uint64_t microseconds = 0;
    ASSERT_EQ(readClock(*genicam_, microseconds), FW_STATUS_OK);
    EXPECT_EQ(microseconds, 5'000'123'456u);
}

}  // namespace
}  // namespace fwaravis
