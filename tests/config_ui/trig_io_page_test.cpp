// The Trigger page on the simulated bus: the camera's trigger shown in the two lists,
// and the lists' choice sent back on Apply and OK.
#include <gtest/gtest.h>

#include "config_ui/control_ids.h"
#include "config_ui_fixture.h"
#include "fwcontrol.h"

namespace lvc::test {
namespace {

constexpr int32_t kTriggerTab = 2;

using TrigIOPageTest = ConfigUiTest;

struct Trigger {
    uint32_t mode = 0, active = 0, polarity = 0;
    bool operator==(const Trigger&) const = default;
};

Trigger cameraTrigger() {
    Trigger trigger;
    EXPECT_EQ(
        FWC_Trigger_Get(kFixedCamera, &trigger.mode, &trigger.active, &trigger.polarity, nullptr),
        0);
    return trigger;
}

void setCameraTrigger(const Trigger& trigger) {
    ASSERT_EQ(FWC_Trigger_Set(kFixedCamera, trigger.mode, trigger.active, trigger.polarity), 0);
}

std::string selectedText(MemoryPageView& page, int32_t list) {
    int32_t selection = page.listSelection(list);
    return selection < 0 ? "<none>" : page.listItemText(list, selection);
}

bool loggedLineStarting(const std::string& prefix) {
    for (const std::string& line : DebugLog::instance().lines())
        if (line.rfind(prefix, 0) == 0) return true;
    return false;
}

TEST_F(TrigIOPageTest, ShowsTheCamerasTriggerInTheLists) {
    struct Case {
        Trigger camera;
        const char* mode;
        const char* polarity;
    };
    const Case cases[] = {
        {{1, 1, 1}, "Level mode(1)", "Rising"},
        {{0, 1, 0}, "Edge mode(0)", "Falling"},
        {{1, 0, 0}, "Internal", "Falling"},
        {{2, 1, 1}, "<none>", "Rising"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.mode);
        DebugLog::instance().clear();
        configure(kFixedCameraName, [&](MemorySheetView& sheet) {
            setCameraTrigger(test.camera);
            sheet.chooseTab(kTriggerTab);
            MemoryPageView& page = sheet.currentPage();
            EXPECT_EQ(page.listTexts(kTriggerModeCombo),
                      (std::vector<std::string>{"Internal", "Edge mode(0)", "Level mode(1)"}));
            EXPECT_EQ(selectedText(page, kTriggerModeCombo), test.mode);
            EXPECT_EQ(selectedText(page, kTriggerPolarityCombo), test.polarity);
            sheet.pressCancel();
        });
        EXPECT_TRUE(loggedLineStarting("trig mode " + std::to_string(test.camera.mode) +
                                       " active " + std::to_string(test.camera.active) +
                                       " polarity " + std::to_string(test.camera.polarity) +
                                       " value "));
    }
}

TEST_F(TrigIOPageTest, ApplySendsTheChosenModeAndPolarity) {
    struct Case {
        const char* mode;
        const char* polarity;
        Trigger sent;
    };
    const Case cases[] = {
        {"Internal", "Rising", {0, 0, 1}},
        {"Edge mode(0)", "Falling", {0, 1, 0}},
        {"Level mode(1)", "Rising", {1, 1, 1}},
    };
    configure(kFixedCameraName, [&](MemorySheetView& sheet) {
        sheet.chooseTab(kTriggerTab);
        for (const Case& test : cases) {
            SCOPED_TRACE(test.mode);
            sheet.selectListEntry(kTriggerModeCombo, test.mode);
            sheet.selectListEntry(kTriggerPolarityCombo, test.polarity);
            EXPECT_TRUE(sheet.applyEnabled());
            DebugLog::instance().clear();
            sheet.pressApply();
            EXPECT_EQ(cameraTrigger(), test.sent);
            EXPECT_TRUE(loggedLineStarting("trig mode ")) << "the trigger is read back";
        }
        sheet.pressCancel();
    });
}

TEST_F(TrigIOPageTest, OkResendsTheDisplayedSettingOfAShownPage) {
    configure(kFixedCameraName, [](MemorySheetView& sheet) {
        setCameraTrigger({1, 0, 1});
        sheet.chooseTab(kTriggerTab);
        sheet.pressOk();
        // Closing the sheet leaves the camera as the page sent it.
    });
    OpenedCamera opened(kFixedCamera);
    EXPECT_EQ(cameraTrigger(), (Trigger{0, 0, 1}));
}

TEST_F(TrigIOPageTest, ApplySendsNothingWithoutAModeChoice) {
    configure(kFixedCameraName, [](MemorySheetView& sheet) {
        setCameraTrigger({2, 1, 0});
        sheet.chooseTab(kTriggerTab);
        sheet.pressApply();
        EXPECT_EQ(cameraTrigger(), (Trigger{2, 1, 0}));
        sheet.pressCancel();
    });
}

TEST_F(TrigIOPageTest, CameraWithoutTriggerShowsInternalAndLogsTheFailure) {
    configure(kPlainCameraName, [](MemorySheetView& sheet) {
        sheet.chooseTab(kTriggerTab);
        MemoryPageView& page = sheet.currentPage();
        EXPECT_EQ(selectedText(page, kTriggerModeCombo), "Internal");
        EXPECT_EQ(selectedText(page, kTriggerPolarityCombo), "Falling");
        sheet.pressCancel();
    });
    EXPECT_TRUE(loggedLineStarting("FWC_Trigger_Get: "));
    EXPECT_TRUE(logged("trig mode 0 active 0 polarity 0 value 0\n"));
}

}  // namespace
}  // namespace lvc::test
