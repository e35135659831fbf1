// A host opens cameras on ports, reads and writes their properties, asks for their name
// and closes them again, through the plug-in's exports on the simulated bus.
#include <atomic>
#include <cstring>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "plugin_fixture.h"
#include "fwsim.h"
#include "support/wait_until.h"

namespace lvc::test {
namespace {

using PortOperationsTest = PluginFixture;

TEST_F(PortOperationsTest, OpensAFixedFormatCamera) {
    DebugLog::instance().clear();
    uint32_t size[2] = {};
    ASSERT_TRUE(open(3, kMonoCamera, size));
    EXPECT_EQ(size[0], 640u);
    EXPECT_EQ(size[1], 480u);
    const auto lines = DebugLog::instance().lines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), "Open Lorvsim Mono - 2001\n");
    EXPECT_EQ(lines.back(),
              "Fixed: Lorvsim Mono - 2001 640x480 pos(0,0) Mono8 8 bit fps 3 multishot\n");
}

TEST_F(PortOperationsTest, OpensAFormat7CameraWithItsAreaOfInterest) {
    uint32_t size[2] = {};
    ASSERT_TRUE(open(0, kColourCamera, size));
    EXPECT_EQ(size[0], 320u);
    EXPECT_EQ(size[1], 240u);
    EXPECT_EQ(DebugLog::instance().lines().back(),
              "F7: Lorvsim Colour - 2002 320x240 pos(8,4) RAW8 8 bit load 1000 multishot\n");
}

TEST_F(PortOperationsTest, ReadsStoredSettingsBeforeTheStart) {
    writeIni("[Lorvsim Colour - 2002]\nBusload=500\nStreaming=7\n");
    ASSERT_TRUE(open(0, kColourCamera));
    EXPECT_EQ(DebugLog::instance().lines().back(),
              "F7: Lorvsim Colour - 2002 320x240 pos(8,4) RAW8 8 bit load 500 streaming\n");
}

TEST_F(PortOperationsTest, ReadsSettingsFromTheCurrentDirectoryWithoutSystemPath) {
    writeIni("[Lorvsim Colour - 2002]\nBusload=500\n");
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(bus.directory());
    host.setSystemPath("");
    const bool opened = open(0, kColourCamera);
    std::filesystem::current_path(previous);
    ASSERT_TRUE(opened);
    EXPECT_EQ(DebugLog::instance().lines().back(),
              "F7: Lorvsim Colour - 2002 320x240 pos(8,4) RAW8 8 bit load 500 multishot\n");
}

TEST_F(PortOperationsTest, RefusesWhatCannotBeOpened) {
    uint32_t size[2] = {7, 7};
    ASSERT_TRUE(open(1, kMonoCamera));
    EXPECT_EQ(host.openCVLPort(0, 2, cameraName(kMonoCamera).c_str(), size), 0) << "open elsewhere";
    EXPECT_EQ(host.openCVLPort(0, 1, cameraName(kLutCamera).c_str(), size), 0) << "port occupied";
    EXPECT_EQ(host.openCVLPort(0, 2, "lorvsim mono - 2001", size), 0) << "name case differs";
    EXPECT_EQ(host.openCVLPort(0, 2, "Nobody - 1", size), 0) << "not listed";
    EXPECT_EQ(host.openCVLPort(0, 64, cameraName(kLutCamera).c_str(), size), 0) << "port 64";
    EXPECT_EQ(host.openCVLPort(0, -1, cameraName(kLutCamera).c_str(), size), 0) << "port -1";
    EXPECT_EQ(host.openCVLPort(0, 2, nullptr, size), 0) << "no name";
    EXPECT_EQ(host.openCVLPort(0, 2, cameraName(kLutCamera).c_str(), nullptr), 0) << "no size";
    EXPECT_EQ(size[0], 7u);
    EXPECT_EQ(size[1], 7u);

    host.closeCVLPort(0, 1);
    EXPECT_TRUE(open(2, kMonoCamera)) << "free again after the close";
}

TEST_F(PortOperationsTest, ReportsPixelSizePerCoding) {
    const std::pair<uint32_t, int32_t> cases[] = {
        {FWC_CODING_MONO8, 8},      {FWC_CODING_YUV411, 24},   {FWC_CODING_YUV422, 24},
        {FWC_CODING_YUV444, 24},    {FWC_CODING_RGB8, 24},     {FWC_CODING_MONO16, 8},
        {FWC_CODING_RGB16, 24},     {FWC_CODING_SMONO16, 8},   {FWC_CODING_SRGB16, 24},
        {FWC_CODING_RAW8, 24},      {FWC_CODING_RAW16, 24},    {FWC_CODING_MONO_RED, 8},
        {FWC_CODING_MONO_GREEN, 8}, {FWC_CODING_MONO_BLUE, 8},
    };
    int32_t port = 0;
    for (const auto& [coding, pixelSize] : cases) {
        ASSERT_TRUE(open(port, kFirstCodingCamera + coding)) << coding;
        int32_t value = -1;
        EXPECT_EQ(host.getProperty(0, port, port % 2 ? "PIXELSIZE" : "pixelSize", &value), 1);
        EXPECT_EQ(value, pixelSize) << "coding " << coding;
        ++port;
    }
    EXPECT_EQ(host.setProperty(0, 0, "PixelSize", 24), 0);
}

TEST_F(PortOperationsTest, ReadsAndWritesFeaturesAndRegisters) {
    ASSERT_TRUE(open(5, kMonoCamera));
    int32_t value = -1;
    for (const char* name : {"GAIN", "gain", "Gain"}) {
        EXPECT_EQ(host.getProperty(0, 5, name, &value), 1) << name;
        EXPECT_EQ(value, 100) << name;
    }
    EXPECT_EQ(host.setProperty(0, 5, "gAiN", 200), 1);
    EXPECT_EQ(host.getProperty(0, 5, "GAIN", &value), 1);
    EXPECT_EQ(value, 200);

    EXPECT_EQ(host.getProperty(0, 5, "FrameBufferCount", &value), 1) << "a driver setting";
    EXPECT_EQ(value, 4);

    const std::pair<const char*, int32_t> registers[] = {
        {"0x1000", 4660}, {"0X1000", 4660}, {"0x00001000", 4660}, {"0x1000zz", 4660},
        {"0x", 9},        {"0xg", 9},       {"0x123456789", 5},   {"0xFFFFFFFF", 5},
    };
    for (const auto& [name, expected] : registers) {
        value = -1;
        EXPECT_EQ(host.getProperty(0, 5, name, &value), 1) << name;
        EXPECT_EQ(value, expected) << name;
    }
    EXPECT_EQ(host.setProperty(0, 5, "0x1000", 77), 1);
    EXPECT_EQ(host.getProperty(0, 5, "0x1000", &value), 1);
    EXPECT_EQ(value, 77);
}

TEST_F(PortOperationsTest, RefusedPropertiesLeaveTheHostValueAlone) {
    ASSERT_TRUE(open(5, kMonoCamera));
    for (const char* name : {"4096", "UNKNOWN", "NOSUCHFEATURE", "SHUTTER", "0x2000", ""}) {
        int32_t value = 12345;
        EXPECT_EQ(host.getProperty(0, 5, name, &value), 0) << name;
        EXPECT_EQ(value, 12345) << name;
        EXPECT_EQ(host.setProperty(0, 5, name, 1), 0) << name;
    }
    EXPECT_TRUE(logged("FWC_GetRegister: no register at this address\n"));
    EXPECT_TRUE(logged("FWC_SetRegister: no register at this address\n"));
    int32_t value = 12345;
    EXPECT_EQ(host.getProperty(0, 6, "GAIN", &value), 0) << "empty port";
    EXPECT_EQ(host.getProperty(0, 64, "GAIN", &value), 0) << "port 64";
    EXPECT_EQ(host.getProperty(0, 5, nullptr, &value), 0);
    EXPECT_EQ(host.getProperty(0, 5, "GAIN", nullptr), 0);
    EXPECT_EQ(value, 12345);
}

TEST_F(PortOperationsTest, KeepsTheContinuousFlag) {
    ASSERT_TRUE(open(0, kMonoCamera));
    int32_t value = -1;
    EXPECT_EQ(host.getProperty(0, 0, "Continous", &value), 1);
    EXPECT_EQ(value, 0);
    EXPECT_EQ(host.setProperty(0, 0, "CONTINOUS", 5), 1);
    EXPECT_EQ(host.getProperty(0, 0, "continous", &value), 1);
    EXPECT_EQ(value, 1);
    EXPECT_EQ(host.setProperty(0, 0, "Continous", 0), 1);
    EXPECT_EQ(host.getProperty(0, 0, "Continous", &value), 1);
    EXPECT_EQ(value, 0);
}

TEST_F(PortOperationsTest, AnswersGetname) {
    ASSERT_TRUE(open(9, kMonoCamera));
    for (const char* command : {"getname", "GETNAME", "ge", "gE", "Get anything"}) {
        char answer[128] = "x";
        EXPECT_EQ(host.execCmd(0, 9, command, 0, answer, sizeof answer), 1) << command;
        EXPECT_STREQ(answer, "Lorvsim Mono - 2001") << command;
    }
    char answer[8] = "x";
    for (const char* command : {"g", "name", "xgetname", ""}) {
        EXPECT_EQ(host.execCmd(0, 9, command, 0, answer, sizeof answer), 0) << command;
    }
    EXPECT_EQ(host.execCmd(0, 10, "getname", 0, answer, sizeof answer), 0) << "empty port";
    EXPECT_EQ(host.execCmd(0, 9, "getname", 0, answer, 0), 0) << "no room";
    EXPECT_STREQ(answer, "x");

    char small[9];
    std::memset(small, '#', sizeof small);
    EXPECT_EQ(host.execCmd(0, 9, "getname", 0, small, 8), 1);
    EXPECT_STREQ(small, "Lorvsim");
    EXPECT_EQ(small[8], '#') << "nothing written beyond the size";
}

std::atomic<int> completedFrames{0};
void LVC_CALL countCompletedFrame(int32_t, int32_t) { ++completedFrames; }

// An RGB16 frame holds six bytes per pixel, more than three per pixel: the frame still
// fits the native buffer, so it is fetched and delivered.
TEST_F(PortOperationsTest, DeliversFramesOfWidePixels) {
    completedFrames = 0;
    host.setCompleteCallback(0, 0, countCompletedFrame);
    ASSERT_TRUE(open(0, kWideCamera));
    ASSERT_EQ(host.doCVLGrab(0, 0), 1);
    ASSERT_EQ(FWS_Step(kWideCamera), 0);
    EXPECT_TRUE(waitUntil([] { return completedFrames == 1; }));
    uint8_t row[64 * 3];
    EXPECT_EQ(host.getCVLGrabRow(0, 0, row, 47, 0, 63), 1);
    EXPECT_FALSE(logged("FWC_GetNativeImage: buffer too small for the frame\n"));
}

}  // namespace
}  // namespace lvc::test
