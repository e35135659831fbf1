// The camera's XML settings file: save, change, load restores; bad files are refused
// with a reason and change nothing. The state a camera keeps from one process to the next.
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>

#include "fw_status.h"
#include "sim_fixture.h"

namespace {

const SimCamera settingsCamera =
    SimCamera(21)
        .vendor("Test")
        .model("Keeper")
        .timing("manual")
        .fixedFormat(0, 5, {2, 3})
        .format7({.mode = 1,
                  .maxWidth = 320,
                  .maxHeight = 240,
                  .codings = {0, 9},
                  .unitWidth = 4,
                  .unitHeight = 2})
        .with("features",
              R"([{"id": 265, "min": 0, "max": 400, "value": 100, "statuses": [1, 3]}])")
        .with("lut", R"({"count": 1, "maxValue": 255, "elements": 16})")
        .with("trigger", R"({"mode": 0, "active": false, "polarity": 0})")
        .with("registers", R"({"0x1000": 5})");

struct State {
    uint32_t format = 0, mode = 0, rateOrCoding = 0;
    uint32_t reg = 0;
    uint32_t aoi[4] = {};
    uint32_t gain = 0, gainStatus = 0;
    uint32_t trigger[3] = {};
    std::vector<uint8_t> lut;
    uint32_t lutInUse = 0;

    bool operator==(const State& other) const {
        return format == other.format && mode == other.mode && rateOrCoding == other.rateOrCoding &&
               std::equal(aoi, aoi + 4, other.aoi) && gain == other.gain &&
               gainStatus == other.gainStatus && std::equal(trigger, trigger + 3, other.trigger) &&
               lut == other.lut && lutInUse == other.lutInUse && reg == other.reg;
    }
};

State readState(uint32_t id) {
    State state;
    EXPECT_EQ(FWC_GetCurrentFixedFormat(id, &state.format, &state.mode, &state.rateOrCoding), 0);
    EXPECT_EQ(FWC_GetAOI(id, &state.aoi[0], &state.aoi[1], &state.aoi[2], &state.aoi[3]), 0);
    EXPECT_EQ(FWC_GetFeatureValue(id, 265, &state.gain), 0);
    EXPECT_EQ(FWC_GetFeatureStatus(id, 265, &state.gainStatus), 0);
    EXPECT_EQ(FWC_Trigger_Get(id, &state.trigger[0], &state.trigger[1], &state.trigger[2], nullptr),
              0);
    state.lut.resize(16);
    uint32_t count = 16;
    EXPECT_EQ(FWS_GetLut(id, state.lut.data(), &count, &state.lutInUse), 0);
    state.lut.resize(count);
    EXPECT_EQ(FWC_GetRegister(id, 0x1000, &state.reg), 0);
    return state;
}

void configureDistinctState(uint32_t id) {
    uint32_t mode = 1, coding = FWC_CODING_RAW8, width = 203, height = 101, left = 10, top = 21,
             busLoad = 640;
    ASSERT_EQ(
        FWC_PrepareFreeGrab(id, &mode, &coding, &width, &height, nullptr, &left, &top, &busLoad),
        0);
    ASSERT_EQ(FWC_SetFeatureValue(id, 265, 321), 0);
    ASSERT_EQ(FWC_Trigger_Set(id, 1, 1, 1), 0);
    std::vector<uint8_t> lut(16);
    for (int i = 0; i < 16; ++i) {
        lut[i] = static_cast<uint8_t>(i * 17);
    }
    ASSERT_EQ(FWC_Lut_Upload(id, 0, lut.data(), 16), 0);
    ASSERT_EQ(FWC_Lut_Use(id, 0, 1), 0);
    ASSERT_EQ(FWC_SetRegister(id, 0x1000, 77), 0);
}

void changeEverything(uint32_t id) {
    ASSERT_EQ(FWC_PrepareFixedGrab(id, 0, 5, 2), 0);
    ASSERT_EQ(FWC_SetFeatureValue(id, 265, 7), 0);
    ASSERT_EQ(FWC_SetFeatureStatus(id, 265, FWC_STATUS_AUTO), 0);
    ASSERT_EQ(FWC_Trigger_Set(id, 0, 0, 0), 0);
    std::vector<uint8_t> lut(16, 1);
    ASSERT_EQ(FWC_Lut_Upload(id, 0, lut.data(), 16), 0);
    ASSERT_EQ(FWC_Lut_Use(id, 0, 0), 0);
}

TEST_F(SimBusTest, SaveChangeLoadRestoresTheCameraState) {
    const uint32_t id = startWithCamera(settingsCamera);
    configureDistinctState(id);
    const State saved = readState(id);
    EXPECT_EQ(saved.aoi[2], 200u) << "the accepted width is what is saved";
    const std::string path = (directory() / "Test Keeper - 21.xml").string();
    ASSERT_EQ(FWC_SaveSettings(id, path.c_str()), 0);
    changeEverything(id);
    ASSERT_FALSE(readState(id) == saved);
    ASSERT_EQ(FWC_LoadSettings(id, path.c_str(), 1), 0);
    EXPECT_TRUE(readState(id) == saved);
    uint32_t width = 0, height = 0, coding = 0, depth = 0;
    ASSERT_EQ(FWC_GetCurrentImageFormat(id, &width, &height, &coding, &depth), 0);
    EXPECT_EQ(width * 1000 + height, 200u * 1000 + 100);
    EXPECT_EQ(coding, uint32_t{FWC_CODING_RAW8});
}

struct BadFile {
    const char* what;
    std::string text;
    int32_t status;
    const char* reason;

    friend void PrintTo(const BadFile& c, std::ostream* out) { *out << c.what; }
};

class RefusedSettings : public SimBusTest, public ::testing::WithParamInterface<BadFile> {};

TEST_P(RefusedSettings, LeaveTheCameraAsItWas) {
    const BadFile& bad = GetParam();
    const uint32_t id = startWithCamera(settingsCamera);
    configureDistinctState(id);
    const State before = readState(id);
    const std::string path = (directory() / "bad.xml").string();
    std::ofstream(path) << bad.text;
    ASSERT_EQ(FWC_LoadSettings(id, path.c_str(), 1), bad.status) << bad.what;
    const std::string text = errorText(bad.status);
    EXPECT_NE(text.find(path), std::string::npos) << text;
    EXPECT_NE(text.find(bad.reason), std::string::npos) << text;
    EXPECT_TRUE(readState(id) == before) << "nothing half-applied: " << bad.what;
}

const std::string head = R"(<?xml version="1.0"?>
<cameraSettings version="1" vendor="Test" model="Keeper">
  <feature id="265" value="3" status="1"/>
)";
const std::string good =
    R"(  <format format="0" mode="5" rate="3" coding="0" left="0" top="0" width="640" height="480" busLoad="1000"/>
)";

INSTANTIATE_TEST_SUITE_P(
    Cases, RefusedSettings,
    ::testing::Values(
        BadFile{"unclosed root", head + good, FWC_ERR_SETTINGS_FILE_MALFORMED,
                "line 5: element <cameraSettings> is not closed"},
        BadFile{"mismatched tag", head + "<format></feature>\n</cameraSettings>",
                FWC_ERR_SETTINGS_FILE_MALFORMED, "closes <format>"},
        BadFile{"not a number",
                head + "  <trigger mode=\"x\" active=\"0\" polarity=\"0\"/>\n</cameraSettings>",
                FWC_ERR_SETTINGS_FILE_MALFORMED, "not a 32-bit unsigned number"},
        BadFile{"unknown element", head + "  <shutter/>\n</cameraSettings>",
                FWC_ERR_SETTINGS_FILE_MALFORMED, "unknown element <shutter>"},
        BadFile{"unsupported rate",
                head + "  <format format=\"0\" mode=\"5\" rate=\"4\" "
                       "busLoad=\"1000\"/>\n</cameraSettings>",
                FWC_ERR_SETTINGS_FILE_MALFORMED, "format not supported"},
        BadFile{
            "feature out of range",
            R"(<cameraSettings vendor="Test" model="Keeper"><feature id="265" value="401" status="1"/></cameraSettings>)",
            FWC_ERR_SETTINGS_FILE_MALFORMED, "feature 265"},
        BadFile{"short LUT", head + "  <lut inUse=\"1\">00 01 02</lut>\n</cameraSettings>",
                FWC_ERR_SETTINGS_FILE_MALFORMED, "LUT size"},
        BadFile{"another camera", R"(<cameraSettings vendor="Test" model="Other"/>)",
                FWC_ERR_SETTINGS_FILE_CAMERA, "Test Other"},
        BadFile{"empty file", "", FWC_ERR_SETTINGS_FILE_MALFORMED, "expected the root element"}),
    caseName<BadFile>);

TEST_F(SimBusTest, MissingOrUnwritableSettingsFilesAreNamed) {
    const uint32_t id = startWithCamera(settingsCamera);
    const std::string missing = (directory() / "none.xml").string();
    EXPECT_EQ(FWC_LoadSettings(id, missing.c_str(), 1), FWC_ERR_SETTINGS_FILE_OPEN);
    EXPECT_NE(errorText(FWC_ERR_SETTINGS_FILE_OPEN).find(missing), std::string::npos);
    const std::string unwritable = (directory() / "no-such-dir" / "x.xml").string();
    EXPECT_EQ(FWC_SaveSettings(id, unwritable.c_str()), FWC_ERR_SETTINGS_FILE_WRITE);
    EXPECT_EQ(FWC_LoadSettings(id, nullptr, 1), FWC_ERR_NULL_POINTER);
}

}  // namespace

namespace {

// An empty value removes the variable.
void setVariable(const char* name, const std::string& value) {
#ifdef _WIN32
    _putenv_s(name, value.c_str());
#else
    if (value.empty())
        unsetenv(name);
    else
        setenv(name, value.c_str(), 1);
#endif
}

// The bus's shared folder in a temporary directory of the test's own, where its kept
// state can be found; the previous temporary directory comes back at the end.
class KeptState : public SimBusTest {
protected:
    void SetUp() override {
        for (const char* name : kTemporaryVariables) {
            const char* value = std::getenv(name);
            previous_.emplace_back(name, value != nullptr ? value : "");
        }
        std::filesystem::create_directories(temporary());
        for (const char* name : kTemporaryVariables) setVariable(name, temporary().string());
    }
    void TearDown() override {
        SimBusTest::TearDown();
        for (const auto& [name, value] : previous_) setVariable(name.c_str(), value);
    }
    std::filesystem::path temporary() { return directory() / "tmp"; }

public:
    // A new process on the same bus sees its cameras so: the library started afresh.
    void restartLibrary() {
        ASSERT_EQ(FWC_Release(), 0);
        ASSERT_EQ(FWC_Init(), 0);
    }
    // Replaces what matches in the camera's kept state file.
    void editKeptFile(uint32_t id, const std::string& pattern, const std::string& replacement) {
        const std::string name = "camera-" + std::to_string(id) + ".state";
        for (const auto& entry : std::filesystem::recursive_directory_iterator(temporary())) {
            if (entry.path().filename() != name) continue;
            std::stringstream text;
            text << std::ifstream(entry.path()).rdbuf();
            std::ofstream(entry.path(), std::ios::trunc)
                << std::regex_replace(text.str(), std::regex(pattern), replacement);
            return;
        }
        ADD_FAILURE() << "no " << name << " under " << temporary();
    }
    void restartWithBus(const std::string& busJson) {
        ASSERT_EQ(FWC_Release(), 0);
        std::ofstream(busFile()) << busJson;
        ASSERT_EQ(FWC_Init(), 0);
    }

private:
    static constexpr const char* kTemporaryVariables[] = {"TMPDIR", "TMP", "TEMP"};
    std::vector<std::pair<std::string, std::string>> previous_;
};

TEST_F(KeptState, TheNextProcessFindsTheCameraAsTheLastLeftIt) {
    const uint32_t id = startWithCamera(settingsCamera);
    configureDistinctState(id);
    const State left = readState(id);
    ASSERT_EQ(FWC_CloseCamera(id), 0);
    restartLibrary();
    uint32_t inUse = 0, count = 0;
    EXPECT_EQ(FWS_GetLut(id, nullptr, &count, &inUse), 0);
    EXPECT_EQ(inUse, 1u) << "seen before it is opened";
    ASSERT_EQ(FWC_OpenCamera(id, FWC_OPEN_DEFAULT), 0);
    EXPECT_TRUE(readState(id) == left);
}

TEST_F(KeptState, AnOpenCameraIsKeptWhenTheLibraryIsReleased) {
    const uint32_t id = startWithCamera(settingsCamera);
    configureDistinctState(id);
    const State left = readState(id);
    restartLibrary();
    ASSERT_EQ(FWC_OpenCamera(id, FWC_OPEN_DEFAULT), 0);
    EXPECT_TRUE(readState(id) == left);
}

struct FreshStart {
    const char* what;
    void (*act)(KeptState& test, uint32_t id);
};

class KeptStateForgotten : public KeptState, public ::testing::WithParamInterface<FreshStart> {};

TEST_P(KeptStateForgotten, TheCameraStartsAsDescribed) {
    const uint32_t id = startWithCamera(settingsCamera);
    const State described = readState(id);
    configureDistinctState(id);
    ASSERT_EQ(FWC_CloseCamera(id), 0);
    GetParam().act(*this, id);
    ASSERT_EQ(FWC_OpenCamera(id, FWC_OPEN_DEFAULT), 0);
    EXPECT_TRUE(readState(id) == described) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KeptStateForgotten,
    ::testing::Values(FreshStart{"reset", [](KeptState&, uint32_t) { ASSERT_EQ(FWS_Reset(), 0); }},
                      FreshStart{"changed description",
                                 [](KeptState& test, uint32_t) {
                                     test.restartWithBus(lvc::test::simBusJson({settingsCamera}) +
                                                         " ");
                                 }},
                      FreshStart{"another boot",
                                 [](KeptState& test, uint32_t id) {
                                     ASSERT_EQ(FWC_Release(), 0);
                                     test.editKeptFile(id, "boot=\"[^\"]*\"", "boot=\"1\"");
                                     ASSERT_EQ(FWC_Init(), 0);
                                 }}),
    caseName<FreshStart>);

}  // namespace
