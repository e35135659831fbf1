// lvcgrab run as a user runs it: its commands, exit codes and messages, and the PNG files
// it writes, decoded again and compared with the scene the camera rendered.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <utility>
#include <vector>

#include "fw_status.h"
#include "fwsim.h"
#include "lvcgrab/program_run.h"
#include "support/sim_bus_file.h"
#include "support/sim_bus_json.h"
#include "support/temp_directory.h"

#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wshadow"
#pragma GCC diagnostic ignored "-Wcast-align"
#pragma GCC diagnostic ignored "-Wnull-dereference"
#pragma GCC diagnostic ignored "-Wunused-function"
#endif
#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#include <stb/stb_image.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

namespace lvc::test {
namespace {

namespace fs = std::filesystem;

const std::string kBus =
    simBusJson({SimCamera(51).model("COLOR").timing("fast").format7({.codings = {4}}),
                SimCamera(52).model("GREY").timing("fast").format7({.codings = {0}})});
constexpr const char* kColourName = "Simulated COLOR - 51";

struct DecodedPng {
    int width = 0;
    int height = 0;
    int channels = 0;
    std::vector<uint8_t> bgr;  // blue, green, red per pixel (or grey)
};

DecodedPng decodePng(const fs::path& path) {
    DecodedPng png;
    uint8_t* pixels = stbi_load(path.string().c_str(), &png.width, &png.height, &png.channels, 0);
    if (!pixels) return png;
    png.bgr.assign(pixels, pixels + std::size_t(png.width) * png.height * png.channels);
    stbi_image_free(pixels);
    if (png.channels == 3)
        for (std::size_t offset = 0; offset < png.bgr.size(); offset += 3)
            std::swap(png.bgr[offset], png.bgr[offset + 2]);
    return png;
}

class Lvcgrab : public ::testing::Test {
protected:
    // The test process starts the same bus to render ground truth and to hold cameras.
    void SetUp() override { ASSERT_EQ(FWC_Init(), 0); }
    void TearDown() override { FWC_Release(); }

    ProgramRun lvcgrab(std::vector<std::string> arguments) {
        const std::string systemDirectory = bus.directory().string();
        arguments.insert(arguments.begin(), {LVCGRAB_PATH, "--system-dir", systemDirectory});
        return runProgram(arguments, bus.directory());
    }
    fs::path output(const std::string& name) const { return bus.directory() / name; }

    // The frame number the image carries, and whether it equals that frame's scene.
    std::pair<uint32_t, bool> matchesScene(uint32_t cameraId, const DecodedPng& png) {
        uint32_t frameNumber = 0;
        if (FWS_ReadFrameNumber(png.bgr.data(), png.width, png.height, png.channels,
                                &frameNumber) != 0)
            return {0, false};
        std::vector<uint8_t> truth(png.bgr.size());
        uint32_t channels = 0;
        const bool rendered =
            FWS_GetGroundTruth(cameraId, frameNumber, truth.data(),
                               static_cast<uint32_t>(truth.size()), &channels) == 0;
        return {frameNumber, rendered && int(channels) == png.channels && truth == png.bgr};
    }

    SimBusFile bus{kBus};
};

TEST_F(Lvcgrab, ListsTheCamerasByIndexAndName) {
    const ProgramRun run = lvcgrab({"list"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "0  Simulated COLOR - 51\n1  Simulated GREY - 52\n");
}

struct GrabCase {
    const char* name;
    std::vector<std::string> arguments;
    uint32_t cameraId;
    int channels;
};

class LvcgrabGrab : public Lvcgrab, public ::testing::WithParamInterface<GrabCase> {};

TEST_P(LvcgrabGrab, WritesEveryFrameAsThePngOfItsScene) {
    const GrabCase& grab = GetParam();
    std::vector<std::string> arguments = grab.arguments;
    arguments.insert(arguments.end(), {"-n", "3", "-o", output("frames").string()});
    const ProgramRun run = lvcgrab(arguments);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(std::regex_search(run.out, std::regex("^3 frames in [0-9.]+ s \\([0-9.]+ fps\\), "
                                                      "0 dropped, [0-9]+ skipped, written to ")));
    uint32_t previous = 0;
    for (const char* file : {"frame_0000.png", "frame_0001.png", "frame_0002.png"}) {
        SCOPED_TRACE(file);
        const DecodedPng png = decodePng(output("frames") / file);
        ASSERT_EQ(png.width, 64);
        ASSERT_EQ(png.height, 48);
        ASSERT_EQ(png.channels, grab.channels);
        const auto [frameNumber, same] = matchesScene(grab.cameraId, png);
        EXPECT_TRUE(same) << "frame " << frameNumber;
        EXPECT_GT(frameNumber, previous);
        previous = frameNumber;
    }
    EXPECT_FALSE(fs::exists(output("frames") / "frame_0003.png"));
}

INSTANTIATE_TEST_SUITE_P(
    Cameras, LvcgrabGrab,
    ::testing::Values(GrabCase{"ColourByName", {"grab", kColourName}, 51, 3},
                      GrabCase{"GreyByIndex", {"grab", "1"}, 52, 1},
                      GrabCase{"ColourContinuous", {"grab", "0", "--continuous"}, 51, 3}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(Lvcgrab, ReadsAndWritesProperties) {
    ProgramRun run = lvcgrab({"get", "0", "PixelSize"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "24\n");
    run = lvcgrab({"get", "Simulated GREY - 52", "pixelsize"});
    EXPECT_EQ(run.out, "8\n");
    run = lvcgrab({"set", "1", "Continous", "1"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
}

TEST_F(Lvcgrab, StreamsAndReportsTheCounts) {
    const ProgramRun run = lvcgrab({"stream", "1", "--seconds", "0.5"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    std::smatch counts;
    ASSERT_TRUE(std::regex_search(run.out, counts,
                                  std::regex("requests ([0-9]+), delivered ([0-9]+), "
                                             "unanswered 0, dropped 0")))
        << run.out;
    // The request the end of the run cut short is the only one without its frame.
    const int requests = std::stoi(counts[1]);
    const int delivered = std::stoi(counts[2]);
    EXPECT_GT(delivered, 0);
    EXPECT_GE(requests, delivered);
    EXPECT_LE(requests, delivered + 1);
}

TEST_F(Lvcgrab, VerbosePassesThePluginsLinesToStandardError) {
    const ProgramRun run = lvcgrab({"-v", "get", "0", "PixelSize"});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.err.find("Open Simulated COLOR - 51\n"), std::string::npos) << run.err;
    EXPECT_EQ(lvcgrab({"get", "0", "PixelSize"}).err, "");
}

struct FailureCase {
    const char* name;
    std::vector<std::string> arguments;
    int exitCode;
    const char* message;
};

class LvcgrabFailure : public Lvcgrab, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(LvcgrabFailure, SaysWhatIsWrongInOneLine) {
    const FailureCase& failure = GetParam();
    const ProgramRun run = lvcgrab(failure.arguments);
    EXPECT_EQ(run.exitCode, failure.exitCode);
    EXPECT_EQ(run.err, std::string("lvcgrab: ") + failure.message + "\n");
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, LvcgrabFailure,
    ::testing::Values(
        FailureCase{"UnknownCommand", {"snap"}, 2, "unknown command 'snap' (see lvcgrab --help)"},
        FailureCase{"UnknownCamera",
                    {"grab", "Nobody - 9"},
                    2,
                    "no camera 'Nobody - 9' on the bus (see 'lvcgrab list')"},
        FailureCase{"IndexPastTheList",
                    {"get", "2", "PixelSize"},
                    2,
                    "no camera '2' on the bus (see 'lvcgrab list')"},
        FailureCase{"BadFrameCount",
                    {"grab", "0", "-n", "0"},
                    2,
                    "-n needs a frame count of at least 1, not '0'"},
        FailureCase{"GrabWithoutCamera",
                    {"grab"},
                    2,
                    "grab needs a CAMERA (a name or an index from 'lvcgrab list')"},
        FailureCase{"StreamWithoutSeconds",
                    {"stream", "0"},
                    2,
                    "usage: stream CAMERA --seconds S [--continuous]"},
        FailureCase{"SetWithoutNumber",
                    {"set", "0", "SHUTTER", "fast"},
                    2,
                    "'fast' is not a 32-bit integer"},
        FailureCase{"UnknownProperty",
                    {"get", "0", "NO_SUCH_FEATURE"},
                    1,
                    "cannot read property 'NO_SUCH_FEATURE'"},
        FailureCase{"MissingPlugin",
                    {"--plugin", "/nonexistent/liblorvenacam.so", "list"},
                    1,
                    "cannot load the plug-in /nonexistent/liblorvenacam.so: "
                    "/nonexistent/liblorvenacam.so: cannot open shared object file: No such "
                    "file or directory"}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(Lvcgrab, CameraInUseElsewhereFailsToOpen) {
    ASSERT_EQ(FWC_OpenCamera(51, FWC_OPEN_DEFAULT), 0);
    const ProgramRun run = lvcgrab({"grab", "0", "-o", output("busy").string()});
    FWC_CloseCamera(51);
    EXPECT_EQ(run.exitCode, 1);
    // The list names a camera it could not open for its information by its id alone.
    const std::regex message(
        "lvcgrab: cannot open camera '.* - 51' \\(run with -v for details\\)\n");
    EXPECT_TRUE(std::regex_match(run.err, message)) << run.err;
}

TEST_F(Lvcgrab, ConfigureOnAPlatformThatShowsNobodySaysSoAndReturns) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const ProgramRun run = lvcgrab({"configure", "0"});
    unsetenv("QT_QPA_PLATFORM");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_NE(run.err.find("Configuration dialog not shown: QT_QPA_PLATFORM is offscreen, "
                           "which shows the dialog to nobody (use a display, for example "
                           "xvfb-run)\n"),
              std::string::npos)
        << run.err;
}

// The built-in bus in a namespace of the test's own: its cameras start as described, and
// no other process on the machine shares them.
class LvcgrabOnDefaultBus : public ::testing::Test {
protected:
    void SetUp() override {
        unsetenv("FWCONTROL_SIM_BUS");
        setenv("FWCONTROL_SIM_NAMESPACE", directory_.path().c_str(), 1);
        ASSERT_EQ(FWC_Init(), 0);
    }
    void TearDown() override {
        FWC_Release();
        unsetenv("FWCONTROL_SIM_NAMESPACE");
    }

    ProgramRun lvcgrab(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(),
                         {LVCGRAB_PATH, "--system-dir", directory_.path().string()});
        return runProgram(arguments, directory_.path());
    }
    // This process's view of a camera as the last process left it.
    double cameraRate(uint32_t cameraId) {
        FWC_Release();
        EXPECT_EQ(FWC_Init(), 0);
        double rate = 0;
        EXPECT_EQ(FWS_GetFrameRate(cameraId, &rate), 0);
        return rate;
    }

    TempDirectory directory_;
};

struct RateCase {
    const char* name;
    const char* camera;
    uint32_t cameraId;
    const char* settings;  // Lorvenacam.ini
};

class LvcgrabContinuousRate : public LvcgrabOnDefaultBus,
                              public ::testing::WithParamInterface<RateCase> {};

TEST_P(LvcgrabContinuousRate, ReportsTheCamerasOwnRate) {
    const RateCase& camera = GetParam();
    std::ofstream(directory_.path() / "Lorvenacam.ini") << camera.settings;
    const ProgramRun run = lvcgrab({"stream", camera.camera, "--seconds", "3", "--continuous"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(
        std::regex_search(run.out, std::regex("^[0-9]+ frames in [0-9.]+ s \\([0-9.]+ fps\\)\n"
                                              "requests [0-9]+, delivered [0-9]+, ")))
        << run.out;
    std::smatch continuous;
    ASSERT_TRUE(std::regex_search(
        run.out, continuous,
        std::regex("\ncontinuous: [0-9]+ frames in [0-9.]+ s \\(([0-9.]+) fps\\)\n"
                   "continuous: skipped 0, dropped [0-9]+\n$")))
        << run.out;
    const double expected = cameraRate(camera.cameraId);
    EXPECT_NEAR(std::stod(continuous[1]), expected, expected * 0.05) << run.out;
}

INSTANTIATE_TEST_SUITE_P(
    Cameras, LvcgrabContinuousRate,
    ::testing::Values(
        RateCase{"FixedFormat", "Simvision SM-640 - 1002", 1002, ""},
        // 10 % of the bus: 4096 * 8000 * 0.1 / (640 * 480) = 10.7 fps, below the camera's cap.
        RateCase{"Format7AtItsBusLoad", "Simvision SC-640C - 1001", 1001,
                 "[Simvision SC-640C - 1001]\nBusload=100\n"}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(LvcgrabOnDefaultBus, ACameraKeepsWhatTheLastProcessSet) {
    ProgramRun run = lvcgrab({"set", "1", "SHUTTER", "200"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    run = lvcgrab({"get", "1", "SHUTTER"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "200\n");
}

}  // namespace
}  // namespace lvc::test
