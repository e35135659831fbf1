// The Feature page on the simulated bus: its rows, the State column and the enabled
// controls for each combination of supported statuses, and what reaches the camera.
#include <gtest/gtest.h>

#include "config_ui/control_ids.h"
#include "config_ui_fixture.h"
#include "fw_status.h"
#include "fwcontrol.h"
#include "fwsim.h"

namespace lvc::test {
namespace {

constexpr int32_t kFeatureTab = 1;
constexpr int32_t kEditControls[] = {kValueTrackBar, kValueEdit, kValueSpin,
                                     kAutoCheck,     kOnCheck,   kOnePushButton};

using FeaturePageTest = ConfigUiTest;

int32_t rowOf(MemoryPageView& page, uint32_t featureId) {
    for (int32_t row = 0; row < page.listViewRowCount(kFeatureList); ++row)
        if (page.listViewRowData(kFeatureList, row) == featureId) return row;
    ADD_FAILURE() << "no row for feature " << featureId;
    return -1;
}

std::vector<std::string> row(MemoryPageView& page, uint32_t featureId) {
    std::vector<std::string> cells;
    for (int32_t column = 0; column < 5; ++column)
        cells.push_back(page.listViewCell(kFeatureList, rowOf(page, featureId), column));
    return cells;
}

uint32_t cameraValue(uint32_t featureId) {
    uint32_t value = 0;
    EXPECT_EQ(FWC_GetFeatureValue(kFixedCamera, featureId, &value), 0);
    return value;
}

bool sawLineStarting(const std::string& prefix) {
    for (const std::string& line : DebugLog::instance().lines())
        if (line.rfind(prefix, 0) == 0) return true;
    return false;
}

TEST_F(FeaturePageTest, ListsTheCamerasFeaturesWithValuesRangesAndState) {
    configure(kFixedCameraName, [](MemorySheetView& sheet) {
        sheet.chooseTab(kFeatureTab);
        MemoryPageView& page = sheet.currentPage();
        EXPECT_EQ(page.control(kFeatureList).columns.size(), 5u);
        EXPECT_EQ(page.listViewRowCount(kFeatureList), 4);
        using Row = std::vector<std::string>;
        EXPECT_EQ(row(page, kBrightness), (Row{"brightness", "128", "0", "255", "On"}));
        EXPECT_EQ(row(page, kSharpness), (Row{"sharpness", "3", "0", "7", ""}));
        EXPECT_EQ(row(page, kShutter), (Row{"shutter", "500", "1", "4095", ""}));
        EXPECT_EQ(row(page, kGain), (Row{"gain", "100", "0", "680", ""}));
        for (int32_t id : kEditControls) EXPECT_FALSE(page.control(id).enabled) << id;
        EXPECT_EQ(page.text(kEditFeatureGroup), "");
        sheet.pressCancel();
    });
}

TEST_F(FeaturePageTest, SelectingAFeatureEnablesTheModesItSupports) {
    struct Case {
        uint32_t feature;
        bool autoEnabled, onEnabled, onePushEnabled;
        bool autoChecked, onChecked;
    };
    const Case cases[] = {
        {kBrightness, false, true, false, false, true},  // manual only: "On" offered
        {kSharpness, false, true, false, false, false},  // manual, currently off
        {kShutter, false, false, true, false, false},    // one-push hides "On"
        {kGain, true, false, false, false, false},       // automatic hides "On"
    };
    configure(kFixedCameraName, [&](MemorySheetView& sheet) {
        sheet.chooseTab(kFeatureTab);
        MemoryPageView& page = sheet.currentPage();
        for (const Case& test : cases) {
            SCOPED_TRACE(test.feature);
            sheet.selectListViewRow(kFeatureList, rowOf(page, test.feature));
            EXPECT_EQ(page.control(kAutoCheck).enabled, test.autoEnabled);
            EXPECT_EQ(page.control(kOnCheck).enabled, test.onEnabled);
            EXPECT_EQ(page.control(kOnePushButton).enabled, test.onePushEnabled);
            EXPECT_EQ(page.isChecked(kAutoCheck), test.autoChecked);
            EXPECT_EQ(page.isChecked(kOnCheck), test.onChecked);
            EXPECT_TRUE(page.control(kValueEdit).enabled);
        }
        sheet.selectListViewRow(kFeatureList, -1);
        for (int32_t id : kEditControls) EXPECT_FALSE(page.control(id).enabled) << id;
        EXPECT_EQ(page.text(kEditFeatureGroup), "gain");
        sheet.pressCancel();
    });
}

TEST_F(FeaturePageTest, SelectingARowSendsNoValueAndTheEditAreaShowsTheFeature) {
    configure(kFixedCameraName, [](MemorySheetView& sheet) {
        sheet.chooseTab(kFeatureTab);
        MemoryPageView& page = sheet.currentPage();
        // A value sent on selection would take this failure and log it.
        FWS_FailCall("FWC_SetFeatureValue", FWC_ERR_VALUE_OUT_OF_RANGE, 1);
        sheet.selectListViewRow(kFeatureList, rowOf(page, kShutter));
        EXPECT_FALSE(sawLineStarting("FWC_SetFeatureValue"));
        EXPECT_EQ(page.text(kEditFeatureGroup), "shutter");
        EXPECT_EQ(page.text(kMinimumText), "1");
        EXPECT_EQ(page.text(kMaximumText), "4095");
        EXPECT_EQ(page.text(kValueEdit), "500");
        EXPECT_EQ(page.trackBarPosition(kValueTrackBar), 500);
        // The armed failure is still waiting: the first real change meets it.
        sheet.pressSpinArrow(kValueSpin, true);
        EXPECT_TRUE(sawLineStarting("FWC_SetFeatureValue: "));
        sheet.pressCancel();
    });
}

TEST_F(FeaturePageTest, ValueChangesReachTheCameraAndTheRow) {
    configure(kFixedCameraName, [](MemorySheetView& sheet) {
        sheet.chooseTab(kFeatureTab);
        MemoryPageView& page = sheet.currentPage();
        sheet.selectListViewRow(kFeatureList, rowOf(page, kBrightness));

        sheet.moveTrackBar(kValueTrackBar, 77, false);
        EXPECT_EQ(cameraValue(kBrightness), 128u) << "keyboard moves send nothing";
        sheet.moveTrackBar(kValueTrackBar, 200);
        EXPECT_EQ(cameraValue(kBrightness), 200u);
        EXPECT_EQ(page.text(kValueEdit), "200");
        EXPECT_EQ(row(page, kBrightness)[1], "200");

        sheet.typeText(kValueEdit, "42");
        EXPECT_EQ(cameraValue(kBrightness), 42u);
        EXPECT_EQ(page.trackBarPosition(kValueTrackBar), 42);
        sheet.pressSpinArrow(kValueSpin, false);
        EXPECT_EQ(cameraValue(kBrightness), 41u);
        EXPECT_EQ(row(page, kBrightness)[1], "41");
        sheet.pressCancel();
    });
    OpenedCamera opened(kFixedCamera);
    EXPECT_EQ(cameraValue(kBrightness), 41u) << "Cancel does not undo what was sent";
}

TEST_F(FeaturePageTest, ModeClicksSetTheFeatureStatus) {
    configure(kFixedCameraName, [](MemorySheetView& sheet) {
        sheet.chooseTab(kFeatureTab);
        MemoryPageView& page = sheet.currentPage();
        auto status = [](uint32_t feature) {
            uint32_t value = 99;
            EXPECT_EQ(FWC_GetFeatureStatus(kFixedCamera, feature, &value), 0);
            return value;
        };
        sheet.selectListViewRow(kFeatureList, rowOf(page, kGain));
        sheet.click(kAutoCheck);
        EXPECT_EQ(status(kGain), 3u);
        EXPECT_EQ(row(page, kGain)[4], "Auto");
        sheet.click(kAutoCheck);
        EXPECT_EQ(status(kGain), 1u);
        EXPECT_EQ(row(page, kGain)[4], "") << "an automatic feature never reads \"On\"";

        sheet.selectListViewRow(kFeatureList, rowOf(page, kSharpness));
        sheet.click(kOnCheck);
        EXPECT_EQ(status(kSharpness), 1u);
        EXPECT_EQ(row(page, kSharpness)[4], "On");
        sheet.click(kOnCheck);
        EXPECT_EQ(status(kSharpness), 0u);

        sheet.selectListViewRow(kFeatureList, rowOf(page, kShutter));
        sheet.click(kOnePushButton);
        EXPECT_FALSE(sawLineStarting("FWC_SetFeatureStatus"));
        sheet.pressCancel();
    });
}

}  // namespace
}  // namespace lvc::test
