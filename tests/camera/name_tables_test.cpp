// The five name tables: their texts where the tables are irregular, and their fallbacks.
#include "camera/name_tables.h"

#include <string>

#include <gtest/gtest.h>

namespace lvc {
namespace {

struct FormatCase {
    uint32_t format;
    uint32_t mode;
    const char* resolution;
    const char* color;
};

TEST(NameTablesTest, NamesFixedFormatsAndModes) {
    const FormatCase cases[] = {
        {0, 0, "160 X 120", "YUV444"},
        {0, 2, "640 X 480", "YUV411"},
        {0, 6, "640 X 480", "Mono16"},
        {0, 7, "Unknown", "Unknown"},
        {1, 1, "800 X 600", "RGB"},
        {1, 3, "1024 X 768", "YUV422"},
        {1, 6, "800 X 600", "Mono16"},
        {1, 7, "1024 X 768", "Mono16"},
        {2, 0, "1280 X 960", "YUV(4:2:2)"},
        {2, 3, "1600 X 1200", "YUV422"},
        {2, 7, "1600 X 1200", "Mono16"},
        {1, 8, "Unknown", "Unknown"},
        {3, 0, "Unknown", "Unknown"},
        {0xFFFFFFFFu, 0, "Unknown", "Unknown"},
        {0, 0xFFFFFFFFu, "Unknown", "Unknown"},
    };
    for (const auto& c : cases) {
        EXPECT_STREQ(resolutionName(c.format, c.mode), c.resolution) << c.format << "/" << c.mode;
        EXPECT_STREQ(fixedColorName(c.format, c.mode), c.color) << c.format << "/" << c.mode;
    }
}

TEST(NameTablesTest, NamesFrameRates) {
    const char* expected[] = {"1.875", "3.75", "7.5", "15", "30", "60", "120", "240"};
    for (uint32_t rate = 0; rate < 8; ++rate) EXPECT_STREQ(frameRateName(rate), expected[rate]);
    EXPECT_STREQ(frameRateName(8), "UNKNOWN");
    EXPECT_STREQ(frameRateName(0xFFFFFFFFu), "UNKNOWN");
}

TEST(NameTablesTest, NamesColorCodings) {
    const std::pair<uint32_t, const char*> cases[] = {
        {0, "Mono8"},
        {3, "YUV444"},
        {5, "MONO16"},
        {8, "SRGB16"},
        {10, "RAW16"},
        {11, "UNDEFINED"},
        {127, "UNDEFINED"},
        {128, "MONOR"},
        {130, "MONOB"},
        {131, "UNDEFINED"},
        {132, "MONO12"},
        {136, "RAW12"},
        {137, "UNDEFINED"},
        {140, "UNDEFINED"},
        {141, "RGBA8"},
        {142, "UNDEFINED"},
        {0xFFFFFFFFu, "UNDEFINED"},
    };
    for (const auto& [coding, name] : cases) EXPECT_STREQ(colorCodingName(coding), name) << coding;
}

TEST(NameTablesTest, NamesFeaturesAtEveryGroupBoundary) {
    const std::pair<uint32_t, const char*> cases[] = {
        {255, "UNKNOWN"},
        {256, "BRIGHTNESS"},
        {265, "GAIN"},
        {266, "TRIGGERDELAY"},
        {267, "UNKNOWN"},
        {511, "UNKNOWN"},
        {512, "TIMEBASE"},
        {515, "LUT"},
        {518, "SHADING"},
        {519, "UNKNOWN"},
        {520, "FRAMECOUNTER"},
        {524, "TRIGGERDELAYADV"},
        {525, "UNKNOWN"},
        {526, "DSNUCORRECTION"},
        {540, "USERPROFILE"},
        {545, "WHITEBALANCE_GR"},
        {550, "PARAMUPDATETIMING"},
        {553, "SIS_SERIES_B"},
        {554, "UNKNOWN"},
        {768, "LOGGING"},
        {769, "LIST_ALL_CAMERAS"},
        {770, "UNKNOWN"},
        {810, "CAMERABUSY"},
        {1023, "UNKNOWN"},
        {1024, "STARTIMMEDIATELY"},
        {1035, "DO_BUSTRIGGER"},
        {1036, "UNKNOWN"},
    };
    for (const auto& [id, name] : cases) EXPECT_STREQ(featureName(id), name) << id;
}

// The four groups hold 11 + 40 + 3 + 12 names, all inside the id range that the property
// search covers.
TEST(NameTablesTest, NamesEveryListedFeatureInsideTheSearchedRange) {
    int named = 0;
    for (uint32_t id = 0; id < 2048; ++id) {
        if (!isNamedFeature(id)) continue;
        ++named;
        EXPECT_GE(id, kFirstFeatureId);
        EXPECT_LE(id, kLastFeatureId);
        EXPECT_NE(std::string(featureName(id)), "UNKNOWN");
    }
    EXPECT_EQ(named, 66);
}

}  // namespace
}  // namespace lvc
