// The small POSIX platform services: local time, current directory, the plug-in's directory.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>

#include "platform/current_directory.h"
#include "platform/load_hook.h"
#include "platform/local_time.h"

namespace lvc {
namespace {

TEST(PlatformServices, LocalTimeOfDayIsTwoDigitsEach) {
    char text[16];
    ASSERT_TRUE(formatLocalTimeOfDay(text, sizeof text));
    EXPECT_TRUE(std::regex_match(text, std::regex("[0-2][0-9]:[0-5][0-9]:[0-6][0-9]"))) << text;
    char small[8] = "unset";
    EXPECT_FALSE(formatLocalTimeOfDay(small, sizeof small));
    EXPECT_STREQ(small, "");
}

TEST(PlatformServices, CurrentDirectoryIsTheProcesssOwn) {
    char directory[4096];
    ASSERT_TRUE(currentDirectory(directory, sizeof directory));
    EXPECT_EQ(std::filesystem::path(directory), std::filesystem::current_path());
    char small[2] = "x";
    EXPECT_FALSE(currentDirectory(small, sizeof small));
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
