// Paths of the settings files: the settings directory, its separator, the camera's XML
// file name kept inside it, and paths too long for the buffer.
#include "camera/settings_file.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "camera/camera.h"
#include "lorvenacam.h"
#include "support/debug_log.h"
#include "support/temp_directory.h"

namespace lvc {
namespace {

std::string settingsPath(const char* systemPath, const char* fileName) {
    CCamera camera;
    std::snprintf(camera.systemPath, sizeof camera.systemPath, "%s", systemPath);
    char buffer[kSettingsPathSize];
    const char* path = buildSettingsPath(camera, fileName, buffer);
    return path ? path : "(refused)";
}

std::string xmlPath(const char* cameraName) {
    CCamera camera;
    std::snprintf(camera.systemPath, sizeof camera.systemPath, "%s", "/settings");
    std::snprintf(camera.name, sizeof camera.name, "%s", cameraName);
    char buffer[kSettingsPathSize];
    const char* path = buildXmlPath(camera, buffer);
    return path ? path : "(refused)";
}

std::string settingsPathIn(const std::filesystem::path& directory) {
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(directory);
    const std::string path = settingsPath("", "Lorvenacam.ini");
    std::filesystem::current_path(previous);
    return path;
}

TEST(SettingsPathTest, JoinsTheDirectoryWithOneSeparator) {
    EXPECT_EQ(settingsPath("/opt/host", "Lorvenacam.ini"), "/opt/host/Lorvenacam.ini");
    EXPECT_EQ(settingsPath("/opt/host/", "Lorvenacam.ini"), "/opt/host/Lorvenacam.ini");
    EXPECT_EQ(settingsPath("/opt/host\\", "Lorvenacam.ini"), "/opt/host\\Lorvenacam.ini");
}

TEST(SettingsPathTest, UsesTheCurrentDirectoryWithoutSystemPath) {
    test::TempDirectory directory;
    EXPECT_EQ(settingsPathIn(directory.path()),
              (std::filesystem::canonical(directory.path()) / "Lorvenacam.ini").string());
}

// SystemPath holds at most 259 characters, but the current directory can be longer: a
// directory of 495 characters makes a path of 510, the most the buffer holds.
TEST(SettingsPathTest, RefusesAPathLongerThanTheBuffer) {
    constexpr std::size_t kLongestDirectory = kSettingsPathSize - 1 - 1 - 14;
    test::TempDirectory directory;
    auto longest = std::filesystem::canonical(directory.path());
    while (longest.string().size() < kLongestDirectory) {
        const std::size_t left = kLongestDirectory - longest.string().size() - 1;
        longest /= std::string(std::max<std::size_t>(1, std::min<std::size_t>(100, left)), 'd');
        std::filesystem::create_directory(longest);
    }
    ASSERT_EQ(longest.string().size(), kLongestDirectory);
    const auto tooLong = longest / "d";
    std::filesystem::create_directory(tooLong);

    test::DebugLog::instance().clear();
    setDebugMsgProc(test::DebugLog::receive);
    EXPECT_EQ(settingsPathIn(longest), longest.string() + "/Lorvenacam.ini");
    EXPECT_EQ(settingsPathIn(tooLong), "(refused)");
    setDebugMsgProc(nullptr);
    EXPECT_EQ(test::DebugLog::instance().lines(),
              std::vector<std::string>{"Settings path too long for Lorvenacam.ini\n"});
}

TEST(SettingsPathTest, KeepsTheXmlFileInsideTheSettingsDirectory) {
    const std::pair<const char*, const char*> cases[] = {
        {"Simvision SC-640C - 1001", "/settings/Simvision SC-640C - 1001.xml"},
        {"Unavailable - 7", "/settings/Unavailable - 7.xml"},
        {"../../etc/cron.d/x - 1", "/settings/.._.._etc_cron.d_x - 1.xml"},
        {"a\\b:c*d?e\"f<g>h|i - 2", "/settings/a_b_c_d_e_f_g_h_i - 2.xml"},
        {"tab\there - 3", "/settings/tab_here - 3.xml"},
        {"..", "/settings/...xml"},
        {"CON", "/settings/_CON.xml"},
        {"com1.cam", "/settings/_com1.cam.xml"},
        {"COM10", "/settings/COM10.xml"},
    };
    for (const auto& [name, path] : cases) EXPECT_EQ(xmlPath(name), path) << name;
}

}  // namespace
}  // namespace lvc
