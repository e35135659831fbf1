// The small POSIX platform services: local time, the plug-in's directory.
#include <gtest/gtest.h>

#include <filesystem>
#include <cctype>
#include <string>

#include "platform/load_hook.h"
#include "platform/local_time.h"

namespace lvc {
namespace {

TEST(PlatformServices, LocalTimeOfDayIsTwoDigitsEach) {
    char text[16];
    ASSERT_TRUE(formatLocalTimeOfDay(text, sizeof text));
    const std::string time = text;
    ASSERT_EQ(time.size(), 8u) << time;
    for (std::size_t index : {0, 1, 3, 4, 6, 7})
        EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(time[index]))) << time;
    EXPECT_EQ(time[2], ':');
    EXPECT_EQ(time[5], ':');
    EXPECT_LE(time.substr(0, 2), "23");
    EXPECT_LE(time.substr(3, 2), "59");
    char small[8] = "unset";
    EXPECT_FALSE(formatLocalTimeOfDay(small, sizeof small));
    EXPECT_STREQ(small, "");
}

// Linked statically into this test, the plug-in's code lives in the test program.
TEST(PlatformServices, PluginDirectoryIsWhereTheCodeWasLoadedFrom) {
    char directory[4096];
    ASSERT_TRUE(pluginDirectory(directory, sizeof directory));
    EXPECT_EQ(std::filesystem::path(directory),
              std::filesystem::canonical("/proc/self/exe").parent_path());
    char small[2] = "x";
    EXPECT_FALSE(pluginDirectory(small, sizeof small));
    EXPECT_STREQ(small, "");
}

}  // namespace
}  // namespace lvc
