#include "trigger_map.h"

#include <gtest/gtest.h>

#include <string>

namespace fwaravis {
namespace {

struct TriggerCase {
    const char* shows;
    TriggerSetting setting;
    const char* triggerMode;
    const char* exposureMode;
    const char* activation;
};

const TriggerCase kCases[] = {
    {"edge, rising, waiting", {0, true, 1}, "On", "Timed", "RisingEdge"},
    {"edge, falling, free running", {0, false, 0}, "Off", "Timed", "FallingEdge"},
    {"level high exposes while high", {1, true, 1}, "On", "TriggerWidth", "LevelHigh"},
    {"level low", {1, true, 0}, "On", "TriggerWidth", "LevelLow"},
};

TEST(TriggerMap, SettingsBecomeFeatureValuesAndBack) {
    for (const TriggerCase& row : kCases) {
        SCOPED_TRACE(row.shows);
        const auto values = triggerFeatureValues(row.setting);
        ASSERT_TRUE(values.has_value());
        EXPECT_STREQ(values->triggerMode, row.triggerMode);
        EXPECT_STREQ(values->exposureMode, row.exposureMode);
        EXPECT_STREQ(values->activation, row.activation);
        const TriggerSetting back =
            triggerSetting(row.triggerMode, row.exposureMode, row.activation);
        EXPECT_EQ(back.mode, row.setting.mode);
        EXPECT_EQ(back.active, row.setting.active);
        EXPECT_EQ(back.polarity, row.setting.polarity);
    }
}

TEST(TriggerMap, ModesAndPolaritiesWithoutAPlaceAreRefused) {
    EXPECT_FALSE(triggerFeatureValues({2, true, 1}).has_value());
    EXPECT_FALSE(triggerFeatureValues({15, true, 1}).has_value());
    EXPECT_FALSE(triggerFeatureValues({0, true, 2}).has_value());
}

TEST(TriggerMap, AnyEdgeReadsAsRising) {
    EXPECT_EQ(triggerSetting("On", "Timed", "AnyEdge").polarity, 1u);
}

}  // namespace
}  // namespace fwaravis
