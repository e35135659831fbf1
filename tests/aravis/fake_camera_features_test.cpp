#include <gtest/gtest.h>

#include "fake_camera.h"
#include "feature_map.h"
#include "fw_status.h"
#include "fwcontrol.h"

namespace fwaravis {
namespace {

using test::FakeCamera;

class FeaturesOf : public ::testing::Test {
protected:
    void open(const char* genicamFile) {
        camera_ = std::make_unique<FakeCamera>(genicamFile);
        ASSERT_NE(camera_->device(), nullptr) << camera_->error();
        genicam_ = std::make_unique<GenicamAccess>(camera_->device());
        features_ = std::make_unique<FeatureAccess>(*genicam_);
    }
    double cameraFloat(const char* name) const {
        double value = -1;
        EXPECT_EQ(genicam_->floatValue(name, value), FW_STATUS_OK);
        return value;
    }

    std::unique_ptr<FakeCamera> camera_;
    std::unique_ptr<GenicamAccess> genicam_;
    std::unique_ptr<FeatureAccess> features_;
};

TEST_F(FeaturesOf, StandardNamesAreScaledToIntegers) {
    open("standard-colour-camera.xml");
    uint32_t min = 0, max = 0, value = 0;
    ASSERT_EQ(features_->bounds(kGain, min, max), FW_STATUS_OK);
    EXPECT_EQ(min, 0u);
    EXPECT_EQ(max, 240u) << "tenths of a dB";
    ASSERT_EQ(features_->setValue(kGain, 125), FW_STATUS_OK);
    EXPECT_DOUBLE_EQ(cameraFloat("Gain"), 12.5);
    ASSERT_EQ(features_->value(kGain, value), FW_STATUS_OK);
    EXPECT_EQ(value, 125u);

    ASSERT_EQ(features_->bounds(kShutter, min, max), FW_STATUS_OK);
    EXPECT_EQ(min, 20u) << "µs";
    ASSERT_EQ(features_->setValue(kShutter, 5000), FW_STATUS_OK);
    EXPECT_DOUBLE_EQ(cameraFloat("ExposureTime"), 5000.0);

    ASSERT_EQ(features_->setValue(kGamma, 220), FW_STATUS_OK);
    EXPECT_NEAR(cameraFloat("Gamma"), 2.2, 1e-6);
}

TEST_F(FeaturesOf, ValuesOutsideTheBoundsAreRefusedBeforeTheyReachTheCamera) {
    open("standard-colour-camera.xml");
    ASSERT_EQ(features_->setValue(kGain, 100), FW_STATUS_OK);
    EXPECT_EQ(features_->setValue(kGain, 241), FWC_ERR_VALUE_OUT_OF_RANGE);
    EXPECT_EQ(features_->setValue(kShutter, 19), FWC_ERR_VALUE_OUT_OF_RANGE);
    EXPECT_DOUBLE_EQ(cameraFloat("Gain"), 10.0);
}

TEST_F(FeaturesOf, WhiteBalanceChannelsAreSelectedBeforeEachUse) {
    open("standard-colour-camera.xml");
    ASSERT_EQ(features_->setValue(kWhiteBalanceBlue, 150), FW_STATUS_OK);
    ASSERT_EQ(features_->setValue(kWhiteBalanceRed, 80), FW_STATUS_OK);
    uint32_t blue = 0, red = 0;
    ASSERT_EQ(features_->value(kWhiteBalanceBlue, blue), FW_STATUS_OK);
    ASSERT_EQ(features_->value(kWhiteBalanceRed, red), FW_STATUS_OK);
    EXPECT_EQ(blue, 150u);
    EXPECT_EQ(red, 80u);
}

TEST_F(FeaturesOf, AlternativeSpellingsOfOlderCameras) {
    open(nullptr);  // Aravis's own fake: GainRaw and ExposureTimeAbs
    uint32_t min = 0, max = 0, value = 0;
    ASSERT_EQ(features_->bounds(kGain, min, max), FW_STATUS_OK);
    EXPECT_EQ(max, 10u) << "a raw gain is taken as it is";
    ASSERT_EQ(features_->setValue(kGain, 7), FW_STATUS_OK);
    ASSERT_EQ(features_->value(kGain, value), FW_STATUS_OK);
    EXPECT_EQ(value, 7u);
    ASSERT_EQ(features_->setValue(kShutter, 3000), FW_STATUS_OK);
    EXPECT_DOUBLE_EQ(cameraFloat("ExposureTimeAbs"), 3000.0);
}

TEST_F(FeaturesOf, IntegerAndBooleanSpellings) {
    open("standard-colour-camera.xml");
    uint32_t min = 9, max = 0, value = 0;
    ASSERT_EQ(features_->bounds(kBrightness, min, max), FW_STATUS_OK) << "BlackLevelRaw";
    EXPECT_EQ(max, 255u);
    ASSERT_EQ(features_->setValue(kBrightness, 17), FW_STATUS_OK);
    ASSERT_EQ(features_->value(kBrightness, value), FW_STATUS_OK);
    EXPECT_EQ(value, 17u);

    ASSERT_EQ(features_->bounds(kMirrorX, min, max), FW_STATUS_OK);
    EXPECT_EQ(min, 0u);
    EXPECT_EQ(max, 1u);
    ASSERT_EQ(features_->setValue(kMirrorX, 1), FW_STATUS_OK);
    bool reversed = false;
    ASSERT_EQ(genicam_->boolean("ReverseX", reversed), FW_STATUS_OK);
    EXPECT_TRUE(reversed);
}

TEST_F(FeaturesOf, MissingFeaturesAreNotPresent) {
    open("standard-colour-camera.xml");
    uint32_t value = 0;
    EXPECT_EQ(features_->has(kHue), FWC_ERR_FEATURE_NOT_PRESENT);
    EXPECT_EQ(features_->value(kHue, value), FWC_ERR_FEATURE_NOT_PRESENT);
    EXPECT_EQ(features_->has(1025), FWC_ERR_FEATURE_NOT_PRESENT)
        << "bus speed has no GenICam counterpart";
    EXPECT_EQ(features_->has(kSaturation), FWC_ERR_FEATURE_NOT_PRESENT);
}

struct StatusCase {
    const char* shows;
    uint32_t feature;
    uint32_t status;
    int32_t supported;
};

const StatusCase kStatusCases[] = {
    {"Gain can be automatic", kGain, FWC_STATUS_AUTO, FW_STATUS_OK},
    {"GainAuto has no Once", kGain, FWC_STATUS_ONE_PUSH, FWC_ERR_FEATURE_STATUS_UNSUPPORTED},
    {"Gain cannot be switched off", kGain, FWC_STATUS_OFF, FWC_ERR_FEATURE_STATUS_UNSUPPORTED},
    {"white balance once", kWhiteBalanceRed, FWC_STATUS_ONE_PUSH, FW_STATUS_OK},
    {"white balance has no Continuous", kWhiteBalanceBlue, FWC_STATUS_AUTO,
     FWC_ERR_FEATURE_STATUS_UNSUPPORTED},
    {"Gamma can be switched off", kGamma, FWC_STATUS_OFF, FW_STATUS_OK},
    {"every present feature can be on", kBrightness, FWC_STATUS_ON, FW_STATUS_OK},
    {"a missing feature has no status", kHue, FWC_STATUS_ON, FWC_ERR_FEATURE_NOT_PRESENT},
};

TEST_F(FeaturesOf, StatusesComeFromTheAutoAndEnableFeatures) {
    open("standard-colour-camera.xml");
    for (const StatusCase& row : kStatusCases) {
        SCOPED_TRACE(row.shows);
        EXPECT_EQ(features_->hasStatus(row.feature, row.status), row.supported);
    }
}

TEST_F(FeaturesOf, StatusesAreWrittenAndReadBack) {
    open("standard-colour-camera.xml");
    uint32_t status = 99;
    ASSERT_EQ(features_->setStatus(kGain, FWC_STATUS_AUTO), FW_STATUS_OK);
    ASSERT_EQ(features_->status(kGain, status), FW_STATUS_OK);
    EXPECT_EQ(status, static_cast<uint32_t>(FWC_STATUS_AUTO));
    ASSERT_EQ(features_->setStatus(kGain, FWC_STATUS_ON), FW_STATUS_OK);
    ASSERT_EQ(features_->status(kGain, status), FW_STATUS_OK);
    EXPECT_EQ(status, static_cast<uint32_t>(FWC_STATUS_ON));

    ASSERT_EQ(features_->setStatus(kGamma, FWC_STATUS_OFF), FW_STATUS_OK);
    ASSERT_EQ(features_->status(kGamma, status), FW_STATUS_OK);
    EXPECT_EQ(status, static_cast<uint32_t>(FWC_STATUS_OFF));
    ASSERT_EQ(features_->setStatus(kGamma, FWC_STATUS_ON), FW_STATUS_OK);
    ASSERT_EQ(features_->status(kGamma, status), FW_STATUS_OK);
    EXPECT_EQ(status, static_cast<uint32_t>(FWC_STATUS_ON));

    EXPECT_EQ(features_->setStatus(kGain, FWC_STATUS_ONE_PUSH), FWC_ERR_FEATURE_STATUS_UNSUPPORTED);
}

}  // namespace
}  // namespace fwaravis
