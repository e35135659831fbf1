// Features, their statuses, the trigger and the memory channels of a virtual camera as
// libdc1394 reads and writes them.
#include <gtest/gtest.h>

#include <algorithm>

#include "dc1394_fixture.h"

namespace lvc::test {
namespace {

using FeaturesTest = Dc1394Test;

struct FeatureCase {
    dc1394feature_t feature;
    uint32_t minimum, maximum, value;
    bool onOff, autoMode, onePush;
};

// The features the virtual camera offers, with its factory values.
const FeatureCase kFeatures[] = {
    {DC1394_FEATURE_BRIGHTNESS, 0, 255, 128, false, false, false},
    {DC1394_FEATURE_EXPOSURE, 0, 1023, 512, true, true, true},
    {DC1394_FEATURE_SHARPNESS, 0, 255, 64, false, false, false},
    {DC1394_FEATURE_WHITE_BALANCE, 0, 1023, 512, true, true, true},
    {DC1394_FEATURE_HUE, 0, 180, 90, true, false, false},
    {DC1394_FEATURE_SATURATION, 0, 255, 128, false, false, false},
    {DC1394_FEATURE_GAMMA, 0, 2, 1, true, false, false},
    {DC1394_FEATURE_SHUTTER, 1, 4095, 800, false, true, false},
    {DC1394_FEATURE_GAIN, 0, 680, 0, false, true, true},
    {DC1394_FEATURE_TRIGGER_DELAY, 0, 4095, 0, true, false, false},
};

std::vector<dc1394feature_mode_t> expectedModes(const FeatureCase& c) {
    std::vector<dc1394feature_mode_t> modes = {DC1394_FEATURE_MODE_MANUAL};
    if (c.autoMode) modes.push_back(DC1394_FEATURE_MODE_AUTO);
    if (c.onePush) modes.push_back(DC1394_FEATURE_MODE_ONE_PUSH_AUTO);
    return modes;
}

TEST_F(FeaturesTest, EachFeatureReportsBoundsValueAndControls) {
    dc1394camera_t* camera = openCamera();
    ASSERT_NE(camera, nullptr);
    for (const FeatureCase& c : kFeatures) {
        SCOPED_TRACE(testing::Message() << "feature " << c.feature);
        dc1394bool_t present = DC1394_FALSE;
        ASSERT_EQ(dc1394_feature_is_present(camera, c.feature, &present), DC1394_SUCCESS);
        EXPECT_TRUE(present);
        uint32_t minimum = 0, maximum = 0, value = 0;
        ASSERT_EQ(dc1394_feature_get_boundaries(camera, c.feature, &minimum, &maximum),
                  DC1394_SUCCESS);
        EXPECT_EQ(minimum, c.minimum);
        EXPECT_EQ(maximum, c.maximum);
        if (c.feature != DC1394_FEATURE_WHITE_BALANCE) {
            ASSERT_EQ(dc1394_feature_get_value(camera, c.feature, &value), DC1394_SUCCESS);
            EXPECT_EQ(value, c.value);
        }
        dc1394bool_t switchable = DC1394_FALSE;
        ASSERT_EQ(dc1394_feature_is_switchable(camera, c.feature, &switchable), DC1394_SUCCESS);
        EXPECT_EQ(bool(switchable), c.onOff);
        dc1394feature_modes_t modes;
        ASSERT_EQ(dc1394_feature_get_modes(camera, c.feature, &modes), DC1394_SUCCESS);
        std::vector<dc1394feature_mode_t> got(modes.modes, modes.modes + modes.num);
        std::sort(got.begin(), got.end());
        EXPECT_EQ(got, expectedModes(c));
    }
}

TEST_F(FeaturesTest, FeaturesTheCameraLacksAreNotPresent) {
    dc1394camera_t* camera = openCamera();
    ASSERT_NE(camera, nullptr);
    for (dc1394feature_t feature :
         {DC1394_FEATURE_IRIS, DC1394_FEATURE_FOCUS, DC1394_FEATURE_TEMPERATURE,
          DC1394_FEATURE_WHITE_SHADING, DC1394_FEATURE_ZOOM}) {
        dc1394bool_t present = DC1394_TRUE;
        ASSERT_EQ(dc1394_feature_is_present(camera, feature, &present), DC1394_SUCCESS);
        EXPECT_FALSE(present) << "feature " << feature;
    }
}

TEST_F(FeaturesTest, ValuesReadBack) {
    dc1394camera_t* camera = openCamera();
    ASSERT_NE(camera, nullptr);
    for (const FeatureCase& c : kFeatures) {
        if (c.feature == DC1394_FEATURE_WHITE_BALANCE) continue;
        SCOPED_TRACE(testing::Message() << "feature " << c.feature);
        const uint32_t wanted = c.maximum - 1;
        ASSERT_EQ(dc1394_feature_set_value(camera, c.feature, wanted), DC1394_SUCCESS);
        uint32_t value = 0;
        ASSERT_EQ(dc1394_feature_get_value(camera, c.feature, &value), DC1394_SUCCESS);
        EXPECT_EQ(value, wanted);
    }
}

TEST_F(FeaturesTest, WhiteBalanceHasTwoHalves) {
    dc1394camera_t* camera = openCamera();
    ASSERT_NE(camera, nullptr);
    uint32_t blue = 0, red = 0;
    ASSERT_EQ(dc1394_feature_whitebalance_get_value(camera, &blue, &red), DC1394_SUCCESS);
    EXPECT_EQ(blue, 480u);
    EXPECT_EQ(red, 512u);
    ASSERT_EQ(dc1394_feature_whitebalance_set_value(camera, 300, 700), DC1394_SUCCESS);
    ASSERT_EQ(dc1394_feature_whitebalance_get_value(camera, &blue, &red), DC1394_SUCCESS);
    EXPECT_EQ(blue, 300u);
    EXPECT_EQ(red, 700u);
}

TEST_F(FeaturesTest, StatusesOffOnAutoAndOnePush) {
    dc1394camera_t* camera = openCamera();
    ASSERT_NE(camera, nullptr);
    const dc1394feature_t feature = DC1394_FEATURE_EXPOSURE;
    dc1394switch_t power;
    dc1394feature_mode_t mode;

    ASSERT_EQ(dc1394_feature_set_power(camera, feature, DC1394_OFF), DC1394_SUCCESS);
    ASSERT_EQ(dc1394_feature_get_power(camera, feature, &power), DC1394_SUCCESS);
    EXPECT_EQ(power, DC1394_OFF);

    ASSERT_EQ(dc1394_feature_set_power(camera, feature, DC1394_ON), DC1394_SUCCESS);
    ASSERT_EQ(dc1394_feature_set_mode(camera, feature, DC1394_FEATURE_MODE_AUTO), DC1394_SUCCESS);
    ASSERT_EQ(dc1394_feature_get_mode(camera, feature, &mode), DC1394_SUCCESS);
    EXPECT_EQ(mode, DC1394_FEATURE_MODE_AUTO);

    ASSERT_EQ(dc1394_feature_set_mode(camera, feature, DC1394_FEATURE_MODE_MANUAL), DC1394_SUCCESS);
    ASSERT_EQ(dc1394_feature_get_mode(camera, feature, &mode), DC1394_SUCCESS);
    EXPECT_EQ(mode, DC1394_FEATURE_MODE_MANUAL);

    // One-push clears itself when the camera is done: it reads back as manual, power on.
    ASSERT_EQ(dc1394_feature_set_mode(camera, feature, DC1394_FEATURE_MODE_ONE_PUSH_AUTO),
              DC1394_SUCCESS);
    ASSERT_EQ(dc1394_feature_get_mode(camera, feature, &mode), DC1394_SUCCESS);
    EXPECT_EQ(mode, DC1394_FEATURE_MODE_MANUAL);
    ASSERT_EQ(dc1394_feature_get_power(camera, feature, &power), DC1394_SUCCESS);
    EXPECT_EQ(power, DC1394_ON);
}

TEST_F(FeaturesTest, GetAllMatchesTheSingleCalls) {
    dc1394camera_t* camera = openCamera();
    ASSERT_NE(camera, nullptr);
    ASSERT_EQ(dc1394_feature_set_mode(camera, DC1394_FEATURE_GAIN, DC1394_FEATURE_MODE_AUTO),
              DC1394_SUCCESS);
    dc1394featureset_t all;
    ASSERT_EQ(dc1394_feature_get_all(camera, &all), DC1394_SUCCESS);
    for (const FeatureCase& c : kFeatures) {
        const dc1394feature_info_t& info = all.feature[c.feature - DC1394_FEATURE_MIN];
        SCOPED_TRACE(testing::Message() << "feature " << c.feature);
        EXPECT_TRUE(info.available);
        EXPECT_EQ(info.min, c.minimum);
        EXPECT_EQ(info.max, c.maximum);
        EXPECT_EQ(bool(info.on_off_capable), c.onOff);
        EXPECT_EQ(info.current_mode, c.feature == DC1394_FEATURE_GAIN ? DC1394_FEATURE_MODE_AUTO
                                                                      : DC1394_FEATURE_MODE_MANUAL);
    }
    const dc1394feature_info_t& whiteBalance =
        all.feature[DC1394_FEATURE_WHITE_BALANCE - DC1394_FEATURE_MIN];
    EXPECT_EQ(whiteBalance.BU_value, 480u);
    EXPECT_EQ(whiteBalance.RV_value, 512u);
}

TEST_F(FeaturesTest, TriggerModesSourcesAndPolarity) {
    dc1394camera_t* camera = openCamera();
    ASSERT_NE(camera, nullptr);
    dc1394feature_info_t info{};
    info.id = DC1394_FEATURE_TRIGGER;
    ASSERT_EQ(dc1394_feature_get(camera, &info), DC1394_SUCCESS);
    const dc1394trigger_modes_t& modes = info.trigger_modes;
    EXPECT_EQ(std::vector<dc1394trigger_mode_t>(modes.modes, modes.modes + modes.num),
              (std::vector<dc1394trigger_mode_t>{DC1394_TRIGGER_MODE_0, DC1394_TRIGGER_MODE_1,
                                                 DC1394_TRIGGER_MODE_2, DC1394_TRIGGER_MODE_3,
                                                 DC1394_TRIGGER_MODE_14, DC1394_TRIGGER_MODE_15}));
    dc1394trigger_sources_t sources;
    ASSERT_EQ(dc1394_external_trigger_get_supported_sources(camera, &sources), DC1394_SUCCESS);
    EXPECT_EQ(std::vector<dc1394trigger_source_t>(sources.sources, sources.sources + sources.num),
              (std::vector<dc1394trigger_source_t>{DC1394_TRIGGER_SOURCE_0,
                                                   DC1394_TRIGGER_SOURCE_SOFTWARE}));
    dc1394bool_t hasPolarity = DC1394_FALSE;
    ASSERT_EQ(dc1394_external_trigger_has_polarity(camera, &hasPolarity), DC1394_SUCCESS);
    EXPECT_TRUE(hasPolarity);

    ASSERT_EQ(dc1394_external_trigger_set_mode(camera, DC1394_TRIGGER_MODE_14), DC1394_SUCCESS);
    ASSERT_EQ(dc1394_external_trigger_set_polarity(camera, DC1394_TRIGGER_ACTIVE_HIGH),
              DC1394_SUCCESS);
    ASSERT_EQ(dc1394_external_trigger_set_source(camera, DC1394_TRIGGER_SOURCE_SOFTWARE),
              DC1394_SUCCESS);
    ASSERT_EQ(dc1394_external_trigger_set_power(camera, DC1394_ON), DC1394_SUCCESS);
    dc1394trigger_mode_t mode;
    dc1394trigger_polarity_t polarity;
    dc1394trigger_source_t source;
    dc1394switch_t power;
    ASSERT_EQ(dc1394_external_trigger_get_mode(camera, &mode), DC1394_SUCCESS);
    ASSERT_EQ(dc1394_external_trigger_get_polarity(camera, &polarity), DC1394_SUCCESS);
    ASSERT_EQ(dc1394_external_trigger_get_source(camera, &source), DC1394_SUCCESS);
    ASSERT_EQ(dc1394_external_trigger_get_power(camera, &power), DC1394_SUCCESS);
    EXPECT_EQ(mode, DC1394_TRIGGER_MODE_14);
    EXPECT_EQ(polarity, DC1394_TRIGGER_ACTIVE_HIGH);
    EXPECT_EQ(source, DC1394_TRIGGER_SOURCE_SOFTWARE);
    EXPECT_EQ(power, DC1394_ON);
}

// dc1394_feature_get_all fills trigger_polarity with the raw bit, not the enum: use
// dc1394_external_trigger_get_polarity instead.
TEST_F(FeaturesTest, GetAllReportsTriggerPolarityAsARawBit) {
    dc1394camera_t* camera = openCamera();
    ASSERT_NE(camera, nullptr);
    ASSERT_EQ(dc1394_external_trigger_set_polarity(camera, DC1394_TRIGGER_ACTIVE_HIGH),
              DC1394_SUCCESS);
    dc1394featureset_t all;
    ASSERT_EQ(dc1394_feature_get_all(camera, &all), DC1394_SUCCESS);
    const dc1394feature_info_t& trigger = all.feature[DC1394_FEATURE_TRIGGER - DC1394_FEATURE_MIN];
    EXPECT_TRUE(trigger.available);
    EXPECT_TRUE(trigger.polarity_capable);
    EXPECT_EQ(trigger.trigger_polarity, 1);
}

TEST_F(FeaturesTest, MemoryChannelsSaveAndRestoreSettings) {
    dc1394camera_t* camera = openCamera();
    ASSERT_NE(camera, nullptr);
    ASSERT_EQ(camera->max_mem_channel, 2u);
    ASSERT_EQ(dc1394_feature_set_value(camera, DC1394_FEATURE_BRIGHTNESS, 10), DC1394_SUCCESS);
    ASSERT_EQ(dc1394_video_set_mode(camera, DC1394_VIDEO_MODE_800x600_MONO8), DC1394_SUCCESS);
    ASSERT_EQ(dc1394_memory_save(camera, 1), DC1394_SUCCESS);
    dc1394bool_t busy = DC1394_TRUE;
    ASSERT_EQ(dc1394_memory_busy(camera, &busy), DC1394_SUCCESS);
    EXPECT_FALSE(busy);
    ASSERT_EQ(dc1394_feature_set_value(camera, DC1394_FEATURE_BRIGHTNESS, 20), DC1394_SUCCESS);

    uint32_t brightness = 0;
    dc1394video_mode_t mode;
    ASSERT_EQ(dc1394_memory_load(camera, 1), DC1394_SUCCESS);
    ASSERT_EQ(dc1394_feature_get_value(camera, DC1394_FEATURE_BRIGHTNESS, &brightness),
              DC1394_SUCCESS);
    ASSERT_EQ(dc1394_video_get_mode(camera, &mode), DC1394_SUCCESS);
    EXPECT_EQ(brightness, 10u);
    EXPECT_EQ(mode, DC1394_VIDEO_MODE_800x600_MONO8);

    // Channel 0 holds the factory settings.
    ASSERT_EQ(dc1394_memory_load(camera, 0), DC1394_SUCCESS);
    ASSERT_EQ(dc1394_feature_get_value(camera, DC1394_FEATURE_BRIGHTNESS, &brightness),
              DC1394_SUCCESS);
    ASSERT_EQ(dc1394_video_get_mode(camera, &mode), DC1394_SUCCESS);
    EXPECT_EQ(brightness, 128u);
    EXPECT_EQ(mode, DC1394_VIDEO_MODE_640x480_MONO8);
    uint32_t currentChannel = 99;
    ASSERT_EQ(dc1394_get_control_register(camera, 0x624, &currentChannel), DC1394_SUCCESS);
    EXPECT_EQ(currentChannel >> 28, 0u);
}

}  // namespace
}  // namespace lvc::test
