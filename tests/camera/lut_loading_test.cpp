// LUT files loaded when a port opens, checked against the LUT the simulated camera holds.
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "fwsim.h"
#include "plugin_fixture.h"

namespace lvc::test {
namespace {

// The LUT a camera holds: the uploaded elements (none before an upload) and its switch.
struct CameraLut {
    std::vector<uint8_t> values;
    uint32_t inUse = 0;
};

CameraLut cameraLut(uint32_t cameraId) {
    CameraLut lut;
    lut.values.resize(1024);
    uint32_t count = static_cast<uint32_t>(lut.values.size());
    EXPECT_EQ(FWS_GetLut(cameraId, lut.values.data(), &count, &lut.inUse), 0);
    lut.values.resize(count);
    return lut;
}

std::string valueLines(int count, int first) {
    std::string lines;
    for (int i = 0; i < count; ++i) lines += std::to_string(first + i) + "\n";
    return lines;
}

std::vector<uint8_t> elements(int count, int first) {
    std::vector<uint8_t> values;
    for (int i = 0; i < count; ++i) values.push_back(static_cast<uint8_t>(first + i));
    return values;
}

class LutLoadingTest : public PluginFixture {
protected:
    // Names the LUT file in the camera's section and opens the camera on port 0.
    bool openWithLut(uint32_t cameraId, const std::string& content, bool useLut = true) {
        if (!content.empty()) std::ofstream(lutPath()) << content;
        writeIni("[" + cameraName(cameraId) + "]\nLUT=" + (useLut ? "1" : "0") +
                 "\nLUTname=" + lutPath() + "\n");
        return open(0, cameraId);
    }
    std::string lutPath() const { return settingsFile("table.lut"); }
    std::string loadError(uint32_t cameraId) const {
        return "Error loading LUT " + lutPath() + " for " + cameraName(cameraId) + "\n";
    }
};

struct LoadCase {
    const char* what;
    std::string content;
    std::vector<uint8_t> expected;  // empty: the load fails
};

TEST_F(LutLoadingTest, UploadsTheFilesValues) {
    const LoadCase cases[] = {
        {"description line and 256 values", "gamma 0.45\n" + valueLines(256, 0), elements(256, 0)},
        {"300 values: the first 256", valueLines(300, 100), elements(256, 100)},
        {"low 8 bits", "256\n300\n-1\n" + valueLines(253, 3),
         [] {
             auto values = elements(256, 0);
             values[0] = 0;
             values[1] = 44;
             values[2] = 255;
             return values;
         }()},
        {"number then text, text then number", "  17;x\nx17\n" + valueLines(255, 1),
         [] {
             auto values = elements(256, 0);
             values[0] = 17;
             return values;
         }()},
        {"too few values", valueLines(255, 0), {}},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(FWS_Reset(), 0);
        DebugLog::instance().clear();
        ASSERT_TRUE(openWithLut(kLutCamera, c.content)) << c.what;
        const CameraLut lut = cameraLut(kLutCamera);
        if (c.expected.empty()) {
            EXPECT_TRUE(logged(loadError(kLutCamera))) << c.what;
            EXPECT_TRUE(lut.values.empty()) << c.what;
            EXPECT_EQ(lut.inUse, 0u) << c.what;
        } else {
            EXPECT_EQ(lut.values, c.expected) << c.what;
            EXPECT_EQ(lut.inUse, 1u) << c.what;
        }
        host.closeCVLPort(0, 0);
    }
}

TEST_F(LutLoadingTest, AFailedLoadLeavesTheCamerasLut) {
    ASSERT_TRUE(openWithLut(kLutCamera, valueLines(256, 7)));
    host.closeCVLPort(0, 0);
    ASSERT_TRUE(openWithLut(kLutCamera, "only text\n"));
    EXPECT_TRUE(logged(loadError(kLutCamera)));
    const CameraLut lut = cameraLut(kLutCamera);
    EXPECT_EQ(lut.values, elements(256, 7));
    EXPECT_EQ(lut.inUse, 1u);
}

TEST_F(LutLoadingTest, SwitchesTheLutOffWithoutOpeningTheFile) {
    ASSERT_TRUE(openWithLut(kLutCamera, valueLines(256, 7)));
    host.closeCVLPort(0, 0);
    std::remove(lutPath().c_str());
    ASSERT_TRUE(openWithLut(kLutCamera, "", false));
    EXPECT_FALSE(logged(loadError(kLutCamera)));
    EXPECT_EQ(cameraLut(kLutCamera).inUse, 0u);
}

TEST_F(LutLoadingTest, CameraWithoutLutIgnoresTheSetting) {
    ASSERT_TRUE(openWithLut(kNoLutCamera, ""));
    EXPECT_FALSE(logged(loadError(kNoLutCamera)));
    for (const auto& line : DebugLog::instance().lines()) {
        EXPECT_EQ(line.rfind("FWC_Lut", 0), std::string::npos) << line;
    }
}

TEST_F(LutLoadingTest, LutOfNoElementsLoadsFromNoFile) {
    ASSERT_TRUE(openWithLut(kEmptyLutCamera, ""));
    EXPECT_FALSE(logged(loadError(kEmptyLutCamera)));
    const CameraLut lut = cameraLut(kEmptyLutCamera);
    EXPECT_TRUE(lut.values.empty());
    EXPECT_EQ(lut.inUse, 1u);
}

}  // namespace
}  // namespace lvc::test
