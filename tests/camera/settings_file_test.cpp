// The camera's four INI values and its XML settings file, read and written through the
// engine with the simulated bus in the same process.
#include "camera/settings_file.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "camera/camera.h"
#include "camera_bus.h"
#include "fwcontrol.h"
#include "lorvenacam.h"
#include "support/debug_log_test.h"
#include "support/sim_bus_file.h"

namespace lvc {
namespace {

constexpr uint32_t kGain = 265;

class SettingsFileTest : public test::DebugLogTest {
protected:
    void SetUp() override {
        DebugLogTest::SetUp();
        ASSERT_EQ(FWC_Init(), 0);
        camera = createCamera(test::kMonoCamera, test::cameraName(test::kMonoCamera).c_str(),
                              nullptr, nullptr);
        ASSERT_NE(camera, nullptr);
    }
    void TearDown() override {
        camera.reset();
        FWC_Release();
        DebugLogTest::TearDown();
    }

    void writeIni(const std::string& content) const { std::ofstream(ini) << content; }
    std::string readIni() const {
        std::ostringstream content;
        content << std::ifstream(ini).rdbuf();
        return content.str();
    }
    // Sets or reads the gain of the closed camera.
    void setGain(uint32_t value) const {
        ASSERT_EQ(FWC_OpenCamera(camera->cameraId, FWC_OPEN_DEFAULT), 0);
        EXPECT_EQ(FWC_SetFeatureValue(camera->cameraId, kGain, value), 0);
        EXPECT_EQ(FWC_CloseCamera(camera->cameraId), 0);
    }
    uint32_t gain() const {
        uint32_t value = 0;
        EXPECT_EQ(FWC_OpenCamera(camera->cameraId, FWC_OPEN_DEFAULT), 0);
        EXPECT_EQ(FWC_GetFeatureValue(camera->cameraId, kGain, &value), 0);
        EXPECT_EQ(FWC_CloseCamera(camera->cameraId), 0);
        return value;
    }
    static bool logged(const std::string& line) {
        return test::DebugLog::instance().contains(line);
    }

    test::SimBusFile bus{test::cameraBusJson()};
    const std::string ini = (bus.directory() / "Lorvenacam.ini").string();
    const std::string xml = (bus.directory() / "Lorvsim Mono - 2001.xml").string();
    CameraPtr camera;
};

struct IniCase {
    const char* what;
    const char* content;  // null: no INI file
    uint32_t busLoad;
    bool streaming;
    bool useLut;
    std::string lutName;
};

TEST_F(SettingsFileTest, ReadsTheFourValues) {
    const std::string longName(300, 'n');
    const std::string longNameIni = "[Lorvsim Mono - 2001]\nLUTname=" + longName + "\n";
    const IniCase cases[] = {
        {"no file", nullptr, 1000, false, false, ""},
        {"other camera's section", "[Lorvsim Mono - 2002]\nBusload=5\nLUT=1\n", 1000, false, false,
         ""},
        {"every key", "[Lorvsim Mono - 2001]\nBusload=500\nStreaming=1\nLUT=1\nLUTname=a.lut\n",
         500, true, true, "a.lut"},
        {"Streaming=7 is on", "[Lorvsim Mono - 2001]\nStreaming=7\n", 1000, true, false, ""},
        {"Busload not a number", "[Lorvsim Mono - 2001]\nBusload=fast\n", 0, false, false, ""},
        {"section name in other case", "[LORVSIM MONO - 2001]\nlut=1\n", 1000, false, true, ""},
        {"300-character LUTname", longNameIni.c_str(), 1000, false, false, longName.substr(0, 254)},
    };
    for (const auto& c : cases) {
        std::filesystem::remove(ini);
        if (c.content) writeIni(c.content);
        CameraPtr fresh = createCamera(test::kMonoCamera, camera->name, nullptr, nullptr);
        EXPECT_TRUE(readSettings(ini.c_str(), *fresh, xml.c_str())) << c.what;
        EXPECT_EQ(fresh->busLoad, c.busLoad) << c.what;
        EXPECT_EQ(fresh->streaming, c.streaming) << c.what;
        EXPECT_EQ(fresh->useLut, c.useLut) << c.what;
        EXPECT_EQ(fresh->lutName, c.lutName) << c.what;
    }
}

TEST_F(SettingsFileTest, WritesTheSectionOfTheDefaults) {
    writeIni(
        "[Lorvsim Mono - 2001]\nBusload=5\nStreaming=1\nLUT=1\nLUTname=x.lut\n[Other]\nLUT=1\n");
    CameraPtr fresh = createCamera(test::kMonoCamera, camera->name, nullptr, nullptr);
    EXPECT_TRUE(writeSettings(*fresh, ini.c_str(), xml.c_str()));
    fresh.reset();
    EXPECT_EQ(
        readIni(),
        "[Lorvsim Mono - 2001]\nBusload=1000\nStreaming=0\nLUT=0\nLUTname=\n[Other]\nLUT=1\n");
}

TEST_F(SettingsFileTest, WritesStreamingSevenBackAsOne) {
    writeIni("[Lorvsim Mono - 2001]\nStreaming=7\n");
    ASSERT_TRUE(readSettings(ini.c_str(), *camera, xml.c_str()));
    ASSERT_TRUE(writeSettings(*camera, ini.c_str(), xml.c_str()));
    EXPECT_EQ(readIni(), "[Lorvsim Mono - 2001]\nStreaming=1\nBusload=1000\nLUT=0\nLUTname=\n");
}

TEST_F(SettingsFileTest, SavesAndLoadsTheCameraStateThroughTheDriver) {
    setGain(250);
    ASSERT_TRUE(writeSettings(*camera, ini.c_str(), xml.c_str()));
    ASSERT_TRUE(std::filesystem::exists(xml));
    setGain(30);
    EXPECT_TRUE(readSettings(ini.c_str(), *camera, xml.c_str()));
    EXPECT_EQ(gain(), 250u);
    EXPECT_FALSE(camera->opened);
}

TEST_F(SettingsFileTest, MissingXmlFileKeepsTheCameraState) {
    setGain(30);
    EXPECT_TRUE(readSettings(ini.c_str(), *camera, xml.c_str()));
    EXPECT_EQ(gain(), 30u);
    EXPECT_TRUE(test::DebugLog::instance().lines().empty());
}

TEST_F(SettingsFileTest, ReportsADriverThatRefusesTheFile) {
    std::ofstream(xml) << "<not the driver's settings";
    EXPECT_FALSE(readSettings(ini.c_str(), *camera, xml.c_str()));
    const auto lines = test::DebugLog::instance().lines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].rfind("FWC_LoadSettings: settings file is malformed", 0), 0u) << lines[0];
}

TEST_F(SettingsFileTest, CameraInUseKeepsItsXmlFileButGetsItsIniValues) {
    ASSERT_EQ(FWC_OpenCamera(camera->cameraId, FWC_OPEN_DEFAULT), 0);
    camera->busLoad = 640;
    EXPECT_FALSE(writeSettings(*camera, ini.c_str(), xml.c_str()));
    EXPECT_TRUE(logged("FWC_OpenCamera: camera is already open\n"));
    EXPECT_FALSE(std::filesystem::exists(xml));
    EXPECT_EQ(readIni(), "[Lorvsim Mono - 2001]\nBusload=640\nStreaming=0\nLUT=0\nLUTname=\n");
    EXPECT_EQ(FWC_CloseCamera(camera->cameraId), 0);
}

}  // namespace
}  // namespace lvc
