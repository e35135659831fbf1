// libdc1394's numbering against FWC_'s: every fixed mode, Format 7 mode, rate, coding,
// colour filter, feature and trigger mode, both ways where both exist.
#include <gtest/gtest.h>

#include "fwcontrol.h"
#include "iidc_mapping.h"

namespace fwdc1394 {
namespace {

struct FixedCase {
    dc1394video_mode_t videoMode;
    uint32_t format;
    uint32_t mode;
};

TEST(IidcMapping, FixedModesMapBothWaysAtEachFormatsEnds) {
    const FixedCase cases[] = {
        {DC1394_VIDEO_MODE_160x120_YUV444, 0, 0},  {DC1394_VIDEO_MODE_640x480_MONO16, 0, 6},
        {DC1394_VIDEO_MODE_800x600_YUV422, 1, 0},  {DC1394_VIDEO_MODE_1024x768_MONO16, 1, 7},
        {DC1394_VIDEO_MODE_1280x960_YUV422, 2, 0}, {DC1394_VIDEO_MODE_1600x1200_MONO16, 2, 7},
    };
    for (const FixedCase& item : cases) {
        const auto fixed = fixedModeOf(item.videoMode);
        ASSERT_TRUE(fixed.has_value()) << item.videoMode;
        EXPECT_EQ(fixed->format, item.format);
        EXPECT_EQ(fixed->mode, item.mode);
        EXPECT_EQ(videoModeOf(item.format, item.mode), item.videoMode);
    }
}

TEST(IidcMapping, ModesOutsideTheFixedFormatsAreNoFixedMode) {
    EXPECT_FALSE(fixedModeOf(DC1394_VIDEO_MODE_EXIF).has_value());
    EXPECT_FALSE(fixedModeOf(DC1394_VIDEO_MODE_FORMAT7_0).has_value());
    EXPECT_FALSE(videoModeOf(0, 7).has_value());  // format 0 has modes 0-6
    EXPECT_FALSE(videoModeOf(3, 0).has_value());
}

TEST(IidcMapping, Format7ModesAreTheLastEight) {
    EXPECT_EQ(format7ModeOf(DC1394_VIDEO_MODE_FORMAT7_0), 0u);
    EXPECT_EQ(format7ModeOf(DC1394_VIDEO_MODE_FORMAT7_7), 7u);
    EXPECT_FALSE(format7ModeOf(DC1394_VIDEO_MODE_EXIF).has_value());
    EXPECT_EQ(format7VideoMode(3), DC1394_VIDEO_MODE_FORMAT7_3);
}

TEST(IidcMapping, RatesAreCodesFromOneEighthOfFifteen) {
    EXPECT_EQ(rateCodeOf(DC1394_FRAMERATE_1_875), 0u);
    EXPECT_EQ(rateCodeOf(DC1394_FRAMERATE_30), 4u);
    EXPECT_EQ(rateCodeOf(DC1394_FRAMERATE_240), 7u);
    EXPECT_EQ(framerateOf(5), DC1394_FRAMERATE_60);
}

TEST(IidcMapping, CodingsKeepTheirOrder) {
    const std::pair<dc1394color_coding_t, uint32_t> cases[] = {
        {DC1394_COLOR_CODING_MONO8, FWC_CODING_MONO8},
        {DC1394_COLOR_CODING_YUV411, FWC_CODING_YUV411},
        {DC1394_COLOR_CODING_RGB8, FWC_CODING_RGB8},
        {DC1394_COLOR_CODING_MONO16S, FWC_CODING_SMONO16},
        {DC1394_COLOR_CODING_RGB16S, FWC_CODING_SRGB16},
        {DC1394_COLOR_CODING_RAW8, FWC_CODING_RAW8},
        {DC1394_COLOR_CODING_RAW16, FWC_CODING_RAW16},
    };
    for (const auto& [iidc, fwc] : cases) {
        EXPECT_EQ(codingOf(iidc), fwc);
        EXPECT_EQ(colorCodingOf(fwc), iidc);
    }
    EXPECT_FALSE(codingOf(static_cast<dc1394color_coding_t>(DC1394_COLOR_CODING_MAX + 1)));
}

TEST(IidcMapping, ColourFiltersAreBayerPatterns) {
    EXPECT_EQ(bayerPatternOf(DC1394_COLOR_FILTER_RGGB), 0u);
    EXPECT_EQ(bayerPatternOf(DC1394_COLOR_FILTER_GBRG), 1u);
    EXPECT_EQ(bayerPatternOf(DC1394_COLOR_FILTER_GRBG), 2u);
    EXPECT_EQ(bayerPatternOf(DC1394_COLOR_FILTER_BGGR), 3u);
}

TEST(IidcMapping, FeaturesShareWhiteBalanceAndSkipToTriggerDelay) {
    const std::pair<uint32_t, dc1394feature_t> cases[] = {
        {256, DC1394_FEATURE_BRIGHTNESS},    {257, DC1394_FEATURE_EXPOSURE},
        {258, DC1394_FEATURE_SHARPNESS},     {259, DC1394_FEATURE_WHITE_BALANCE},
        {260, DC1394_FEATURE_WHITE_BALANCE}, {261, DC1394_FEATURE_HUE},
        {262, DC1394_FEATURE_SATURATION},    {263, DC1394_FEATURE_GAMMA},
        {264, DC1394_FEATURE_SHUTTER},       {265, DC1394_FEATURE_GAIN},
        {266, DC1394_FEATURE_TRIGGER_DELAY},
    };
    for (const auto& [id, feature] : cases) EXPECT_EQ(dc1394FeatureOf(id), feature) << id;
    EXPECT_FALSE(dc1394FeatureOf(255).has_value());
    EXPECT_FALSE(dc1394FeatureOf(267).has_value());
}

TEST(IidcMapping, TriggerModesAreZeroToFiveFourteenAndFifteen) {
    const std::pair<uint32_t, dc1394trigger_mode_t> cases[] = {
        {0, DC1394_TRIGGER_MODE_0},
        {5, DC1394_TRIGGER_MODE_5},
        {14, DC1394_TRIGGER_MODE_14},
        {15, DC1394_TRIGGER_MODE_15},
    };
    for (const auto& [mode, iidc] : cases) {
        EXPECT_EQ(triggerModeOf(mode), iidc);
        EXPECT_EQ(fwcTriggerModeOf(iidc), mode);
    }
    EXPECT_FALSE(triggerModeOf(6).has_value());
    EXPECT_FALSE(triggerModeOf(13).has_value());
}

}  // namespace
}  // namespace fwdc1394
