// The native property sheet through the real DLL: configureCamera shows it on one thread,
// the test works it as a user on another (select, change, OK), and the effect shows on
// the simulated camera and in "Lorvenacam.ini", read with the platform's own functions.
#include <gtest/gtest.h>

#include <future>
#include <string>

#include <windows.h>

#include "fwsim.h"
#include "support/plugin_host.h"
#include "support/sim_bus_file.h"
#include "support/sim_bus_json.h"
#include "support/wait_until.h"
#include "win32/native_sheet.h"

namespace lvc {
namespace {

constexpr uint32_t kCameraId = 2001;
const std::string kBus =
    test::simBusJson({test::SimCamera(kCameraId)
                          .vendor("Simvision")
                          .model("SD-1")
                          .timing("manual")
                          .fixedFormat(0, 1, {2, 3})
                          .fixedFormat(0, 5, {2, 3, 4})
                          .with("current", R"({"format": 0, "mode": 5, "rate": 4})")
                          .with("trigger", R"({"mode": 0, "active": false, "polarity": 0})")});

// Page indices and control ids of the sheet.
constexpr int kFormatPage = 0;
constexpr int kTriggerPage = 2;
constexpr int kFormatList = 5004;
constexpr int kBusLoadEdit = 5038;
constexpr int kStreamingCheck = 5039;
constexpr int kTriggerMode = 5022;
constexpr int kTriggerPolarity = 5023;
constexpr int kApplyButton = 0x3021;

class NativeDialogRoundTrip : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(plugin_.initialize(systemPath().c_str(), nullptr), 1);
        ASSERT_EQ(plugin_.getCVLNoOfSupportedCameras(), 1);
        name_ = plugin_.getCVLCameraConfigNames()[0];
    }
    void TearDown() override { plugin_.finalize(); }

    std::string systemPath() const { return bus_.directory().string(); }
    std::string iniPath() const { return systemPath() + "\\Lorvenacam.ini"; }
    int iniInt(const char* key) const {
        return static_cast<int>(GetPrivateProfileIntA(name_.c_str(), key, -1, iniPath().c_str()));
    }
    std::string iniText(const char* key) const {
        char text[512] = {};
        GetPrivateProfileStringA(name_.c_str(), key, "<missing>", text, sizeof text,
                                 iniPath().c_str());
        return text;
    }
    // Runs configureCamera on its own thread, as a host's UI thread would.
    std::future<int32_t> configureLater() {
        return std::async(std::launch::async,
                          [this] { return plugin_.configureCamera(0, name_.c_str()); });
    }

    test::SimBusFile bus_{kBus};
    test::PluginHost plugin_;
    std::string name_;
};

TEST_F(NativeDialogRoundTrip, SelectChangeAndOkReachTheCameraAndTheSettingsFile) {
    auto configured = configureLater();
    test::NativeSheet sheet(name_);

    // Format page: the fixed formats, the current one selected; choose the other.
    HWND formats = sheet.control(kFormatPage, kFormatList);
    ASSERT_EQ(SendMessageA(formats, LB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageA(formats, LB_GETCURSEL, 0, 0), 1) << "640 X 480 is current";
    sheet.selectListItem(kFormatPage, kFormatList, 0);
    sheet.typeText(kFormatPage, kBusLoadEdit, "800");
    sheet.clickCheckBox(kFormatPage, kStreamingCheck);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(sheet.window(), kApplyButton))) << "modified";

    // Trig/IO page: created when its tab is chosen; level mode, rising edge.
    sheet.chooseTab(kTriggerPage);
    HWND modes = sheet.control(kTriggerPage, kTriggerMode);
    ASSERT_TRUE(test::waitUntil([&] { return SendMessageA(modes, CB_GETCOUNT, 0, 0) == 3; }));
    EXPECT_EQ(SendMessageA(modes, CB_GETCURSEL, 0, 0), 0) << "Internal";
    sheet.selectComboItem(kTriggerPage, kTriggerMode, 2);
    sheet.selectComboItem(kTriggerPage, kTriggerPolarity, 1);

    sheet.pressButton(IDOK);
    ASSERT_EQ(configured.wait_for(std::chrono::seconds(20)), std::future_status::ready);
    EXPECT_EQ(configured.get(), 0);
    EXPECT_FALSE(IsWindow(sheet.window()));

    EXPECT_EQ(iniInt("Busload"), 800);
    EXPECT_EQ(iniInt("Streaming"), 1);
    EXPECT_EQ(iniInt("LUT"), 0);
    EXPECT_EQ(iniText("LUTname"), "");

    ASSERT_EQ(FWC_OpenCamera(kCameraId, FWC_OPEN_DEFAULT), 0);
    uint32_t width = 0, height = 0, coding = 0, depth = 0;
    EXPECT_EQ(FWC_GetCurrentImageFormat(kCameraId, &width, &height, &coding, &depth), 0);
    EXPECT_EQ(width, 320u);
    EXPECT_EQ(height, 240u);
    uint32_t mode = 0, active = 0, polarity = 0, value = 0;
    EXPECT_EQ(FWC_Trigger_Get(kCameraId, &mode, &active, &polarity, &value), 0);
    EXPECT_EQ(mode, 1u);
    EXPECT_EQ(active, 1u);
    EXPECT_EQ(polarity, 1u);
    FWC_CloseCamera(kCameraId);
}

TEST_F(NativeDialogRoundTrip, CancelKeepsTheCurrentPageEditsOutOfTheSettings) {
    auto configured = configureLater();
    test::NativeSheet sheet(name_);
    sheet.typeText(kFormatPage, kBusLoadEdit, "300");
    sheet.pressButton(IDCANCEL);
    ASSERT_EQ(configured.wait_for(std::chrono::seconds(20)), std::future_status::ready);
    EXPECT_EQ(iniInt("Busload"), 1000);
    EXPECT_EQ(iniInt("Streaming"), 0);
}

TEST_F(NativeDialogRoundTrip, OpenPortReadsTheIniByThePlatformRulesAndOkWritesItBack) {
    const std::string longName(300, 'L');
    const std::string section = "[" + name_ + "]\r\n";
    HANDLE file =
        CreateFileA(iniPath().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    const std::string text =
        section + "Busload=12abc\r\nStreaming=7\r\nLUT=0\r\nLUTname=" + longName + "\r\n";
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);

    uint32_t size[2] = {};
    ASSERT_EQ(plugin_.openCVLPort(0, 3, name_.c_str(), size), 1);
    auto configured = configureLater();
    test::NativeSheet sheet(name_);
    EXPECT_EQ(GetWindowTextLengthA(sheet.control(kFormatPage, kBusLoadEdit)), 2);
    sheet.pressButton(IDOK);
    ASSERT_EQ(configured.wait_for(std::chrono::seconds(20)), std::future_status::ready);
    plugin_.closeCVLPort(0, 3);

    EXPECT_EQ(iniInt("Busload"), 12);
    EXPECT_EQ(iniInt("Streaming"), 1) << "7 reads as set and is written back as 1";
    EXPECT_EQ(iniText("LUTname"), longName.substr(0, 254));
}

}  // namespace
}  // namespace lvc
