#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "camera_area.h"
#include "camera_lut.h"
#include "camera_trigger.h"
#include "fake_camera.h"
#include "fw_status.h"

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

}  // namespace
}  // namespace fwaravis
