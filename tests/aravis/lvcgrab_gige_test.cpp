// The whole road through the plug-in: lvcgrab, as a host, on the GenICam bus with Aravis's
// fake GigE Vision camera on 127.0.0.1 (in the tests' own network namespace).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <regex>

#include "gige_fake_camera.h"
#include "support/temp_directory.h"

namespace fwaravis {
namespace {

using namespace std::chrono_literals;

// All lines lvcgrab writes until it ends.
std::vector<std::string> runLvcgrab(const std::vector<std::string>& arguments, int& exitCode) {
    std::vector<std::string> command = {LVCGRAB_PATH};
    command.insert(command.end(), arguments.begin(), arguments.end());
    lvc::test::ChildProcess lvcgrab(command);
    std::vector<std::string> lines;
    while (auto line = lvcgrab.readLine(20s)) lines.push_back(*line);
    exitCode = lvcgrab.waitForExit(20s).value_or(-1);
    return lines;
}

// Width and height from a PNG file's header chunk.
std::pair<uint32_t, uint32_t> pngSize(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    unsigned char header[24] = {};
    file.read(reinterpret_cast<char*>(header), sizeof header);
    const auto word = [&](int at) {
        return uint32_t{header[at]} << 24 | uint32_t{header[at + 1]} << 16 |
               uint32_t{header[at + 2]} << 8 | header[at + 3];
    };
    return {word(16), word(20)};
}

TEST(LvcgrabOnGige, ListsTheCameraAndGrabsItsFramesAsPngFiles) {
    test::GigeFakeCamera fake;
    ASSERT_TRUE(fake.awaitReady().has_value());
    setenv("FWCONTROL_BUSES", "aravis", 1);
    setenv("FWCONTROL_GIGE_CAMERAS", test::kFakeAddress, 1);

    int exitCode = -1;
    const auto listed = runLvcgrab({"list"}, exitCode);
    ASSERT_EQ(exitCode, 0);
    ASSERT_EQ(listed.size(), 1u);
    std::smatch match;
    ASSERT_TRUE(std::regex_match(listed[0], match, std::regex(R"(0  (Aravis Fake - -?\d+))")))
        << listed[0];
    const std::string configurationName = match[1];

    lvc::test::TempDirectory frames;
    runLvcgrab({"grab", configurationName, "-n", "3", "-o", frames.path().string()}, exitCode);
    ASSERT_EQ(exitCode, 0);
    for (const char* name : {"frame_0000.png", "frame_0001.png", "frame_0002.png"}) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(std::filesystem::exists(frames.path() / name));
        EXPECT_EQ(pngSize(frames.path() / name), std::make_pair(512u, 512u))
            << "the fake's default size";
    }
}

TEST(LvcgrabOnGige, SimulatedAndGenicamCamerasAreListedTogether) {
    test::GigeFakeCamera fake;
    ASSERT_TRUE(fake.awaitReady().has_value());
    setenv("FWCONTROL_BUSES", "sim,aravis", 1);
    setenv("FWCONTROL_GIGE_CAMERAS", test::kFakeAddress, 1);
    int exitCode = -1;
    const auto listed = runLvcgrab({"list"}, exitCode);
    ASSERT_EQ(exitCode, 0);
    std::string all;
    for (const std::string& line : listed) all += line + "\n";
    EXPECT_EQ(std::count_if(listed.begin(), listed.end(),
                            [](const std::string& line) {
                                return line.find("Simvision") != std::string::npos;
                            }),
              5)
        << all;
    EXPECT_EQ(std::count_if(listed.begin(), listed.end(),
                            [](const std::string& line) {
                                return line.find("Aravis Fake") != std::string::npos;
                            }),
              1)
        << all;
}

}  // namespace
}  // namespace fwaravis
