// lvcgrab, in a process of its own with the libusb stand-in preloaded, on the IIDC bus:
// exclusive open across processes, and PNG files of a fixed format and of a Format 7 mode.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "dc1394_bus_fixture.h"
#include "support/child_process.h"
#include "support/temp_directory.h"

namespace lvc::test {
namespace {

// The widths of the PNG files in directory, from their header chunks.
std::vector<uint32_t> pictureWidths(const std::filesystem::path& directory) {
    std::vector<uint32_t> widths;
    for (const auto& entry : std::filesystem::directory_iterator(directory)) {
        if (entry.path().extension() != ".png") continue;
        std::ifstream file(entry.path(), std::ios::binary);
        unsigned char header[20] = {};
        file.read(reinterpret_cast<char*>(header), sizeof header);
        widths.push_back(uint32_t{header[16]} << 24 | uint32_t{header[17]} << 16 |
                         uint32_t{header[18]} << 8 | header[19]);
    }
    return widths;
}

// lvcgrab in a process of its own, the stand-in preloaded: it cannot have the camera this
// process holds; once it is closed it grabs three frames of the camera's fixed format, and
// three of a Format 7 mode that the camera's settings file names.
TEST_F(Dc1394Bus, AnotherProcessGrabsOnlyOnceTheCameraIsClosed) {
    setenv("ASAN_OPTIONS", "verify_asan_link_order=0", 1);
    setenv("LD_PRELOAD", IIDC_STANDIN_PATH, 1);
    const TempDirectory settings, fixedFrames, format7Frames;
    // Configuration names carry the id as a signed number.
    const std::string name =
        "Testvendor TV-IIDC1 - " + std::to_string(static_cast<int32_t>(camera_));
    const auto grabInto = [&](const TempDirectory& output) {
        return std::vector<std::string>{LVCGRAB_PATH, "--system-dir", settings.path().string(),
                                        "grab",       name,           "-n",
                                        "3",          "-o",           output.path().string()};
    };
    openFirst();
    {
        ChildProcess refused(grabInto(fixedFrames));
        const std::optional<int> exitCode = refused.waitForExit(std::chrono::seconds(30));
        ASSERT_TRUE(exitCode.has_value());
        EXPECT_NE(*exitCode, 0);
    }
    uint32_t mode = 1, coding = FWC_CODING_RAW8, width = 320, height = 240;
    uint32_t left = 16, top = 8, busLoad = 1000;
    ASSERT_EQ(FWC_PrepareFreeGrab(camera_, &mode, &coding, &width, &height, nullptr, &left, &top,
                                  &busLoad),
              FW_STATUS_OK);
    const std::string settingsFile = (settings.path() / (name + ".xml")).string();
    ASSERT_EQ(FWC_SaveSettings(camera_, settingsFile.c_str()), FW_STATUS_OK);
    ASSERT_EQ(FWC_CloseCamera(camera_), FW_STATUS_OK);
    open_ = false;

    ChildProcess format7Grabber(grabInto(format7Frames));
    EXPECT_EQ(format7Grabber.waitForExit(std::chrono::seconds(30)), 0);
    EXPECT_EQ(pictureWidths(format7Frames.path()), std::vector<uint32_t>(3, 320));
    std::filesystem::remove(settingsFile);
    ChildProcess fixedGrabber(grabInto(fixedFrames));
    EXPECT_EQ(fixedGrabber.waitForExit(std::chrono::seconds(30)), 0);
    EXPECT_EQ(pictureWidths(fixedFrames.path()).size(), 3u);
    unsetenv("LD_PRELOAD");
}

}  // namespace
}  // namespace lvc::test
