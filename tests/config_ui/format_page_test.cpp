// The Format page on the simulated bus: its lists for a fixed-format and a Format 7
// camera, the Format 7 controls, and what its apply step sends to the camera.
#include <gtest/gtest.h>

#include "config_ui/control_ids.h"
#include "config_ui_fixture.h"
#include "fw_status.h"
#include "fwcontrol.h"
#include "fwsim.h"

namespace lvc::test {
namespace {

using Texts = std::vector<std::string>;
using FormatPageTest = ConfigUiTest;

constexpr int32_t kAreaControls[] = {kLeftEdit, kLeftSpin,   kWidthEdit,  kWidthSpin, kTopEdit,
                                     kTopSpin,  kHeightEdit, kHeightSpin, kMaxButton};

std::string selectedText(MemoryPageView& page, int32_t list) {
    return page.listItemText(list, page.listSelection(list));
}

void expectAreaControlsEnabled(MemoryPageView& page, bool enabled) {
    for (int32_t id : kAreaControls) EXPECT_EQ(page.control(id).enabled, enabled) << id;
}

struct FixedFormat {
    uint32_t format = 0, mode = 0, rate = 0;
    bool operator==(const FixedFormat&) const = default;
};

FixedFormat currentFixedFormat(uint32_t cameraId) {
    FixedFormat current;
    EXPECT_EQ(FWC_GetCurrentFixedFormat(cameraId, &current.format, &current.mode, &current.rate),
              0);
    return current;
}

TEST_F(FormatPageTest, FixedCameraOpensWithItsFormatColourAndRateSelected) {
    configure(kFixedCameraName, [](MemorySheetView& sheet) {
        MemoryPageView& page = sheet.currentPage();
        EXPECT_EQ(page.listTexts(kFormatList),
                  (Texts{"320 X 240", "640 X 480", "800 X 600", "F7 [ 1280 X 960 ]"}));
        // Modes 3, 5 and 6 share "640 X 480"; the Format 7 entry carries its mode.
        EXPECT_EQ(page.listItemData(kFormatList, 0), 0x00002u);
        EXPECT_EQ(page.listItemData(kFormatList, 1), 0x00068u);
        EXPECT_EQ(page.listItemData(kFormatList, 2), 0x10004u);
        EXPECT_EQ(page.listItemData(kFormatList, 3), 0x70001u);
        EXPECT_EQ(selectedText(page, kFormatList), "640 X 480");
        EXPECT_EQ(page.listTexts(kColorList), (Texts{"YUV422", "Mono8", "Mono16"}));
        EXPECT_EQ(selectedText(page, kColorList), "Mono8");
        EXPECT_EQ(page.listTexts(kRateList), (Texts{"7.5", "15", "30"}));
        EXPECT_EQ(selectedText(page, kRateList), "30");
        expectAreaControlsEnabled(page, false);
        EXPECT_EQ(page.text(kBusLoadEdit), "1000");
        EXPECT_FALSE(page.isChecked(kStreamingCheck));
        sheet.pressCancel();
    });
}

TEST_F(FormatPageTest, ChoosingTheFormat7EntryEnablesTheAreaWithUnitsRangesAndMax) {
    configure(kFixedCameraName, [](MemorySheetView& sheet) {
        MemoryPageView& page = sheet.currentPage();
        sheet.selectListEntry(kFormatList, "F7 [ 1280 X 960 ]");
        EXPECT_EQ(page.listTexts(kColorList), (Texts{"Mono8", "RAW8"}));
        EXPECT_EQ(page.listTexts(kRateList), (Texts{"N/A"}));
        EXPECT_EQ(page.listSelection(kRateList), -1);
        expectAreaControlsEnabled(page, true);
        EXPECT_EQ(page.text(kLeftLabel), "Left (+/-4)");
        EXPECT_EQ(page.text(kWidthLabel), "Width (+/-8)");
        EXPECT_EQ(page.text(kTopLabel), "Top (+/-2)");
        EXPECT_EQ(page.text(kHeightLabel), "Height (+/-2)");
        EXPECT_EQ(page.control(kWidthSpin).highest, 1280);
        EXPECT_EQ(page.control(kHeightSpin).highest, 960);

        sheet.typeText(kWidthEdit, "100");
        sheet.pressSpinArrow(kWidthSpin, true);
        EXPECT_EQ(page.text(kWidthEdit), "108");
        sheet.click(kMaxButton);
        EXPECT_EQ(page.text(kLeftEdit), "0");
        EXPECT_EQ(page.text(kWidthEdit), "1280");
        EXPECT_EQ(page.text(kTopEdit), "0");
        EXPECT_EQ(page.text(kHeightEdit), "960");

        sheet.selectListEntry(kFormatList, "800 X 600");
        expectAreaControlsEnabled(page, false);
        EXPECT_EQ(page.text(kWidthLabel), "Width (+/-8)");
        sheet.pressCancel();
    });
}

TEST_F(FormatPageTest, Format7CameraListsEachModeOnceWithItsCodingsAndCurrentArea) {
    configure(kFormat7CameraName, [](MemorySheetView& sheet) {
        MemoryPageView& page = sheet.currentPage();
        EXPECT_EQ(page.listTexts(kFormatList), (Texts{"F7 [ 640 X 480 ]", "F7 [ 320 X 240 ]"}));
        EXPECT_EQ(selectedText(page, kFormatList), "F7 [ 640 X 480 ]");
        EXPECT_EQ(page.listTexts(kColorList), (Texts{"RAW8", "Mono8"}));
        EXPECT_EQ(selectedText(page, kColorList), "Mono8");
        EXPECT_EQ(page.listTexts(kRateList), (Texts{"N/A"}));
        EXPECT_EQ(page.text(kLeftEdit), "8");
        EXPECT_EQ(page.text(kTopEdit), "4");
        EXPECT_EQ(page.text(kWidthEdit), "320");
        EXPECT_EQ(page.text(kHeightEdit), "240");
        sheet.pressCancel();
    });
}

TEST_F(FormatPageTest, ApplyReopensAndPreparesTheChosenFixedFormat) {
    configure(kFixedCameraName, [](MemorySheetView& sheet) {
        MemoryPageView& page = sheet.currentPage();
        sheet.selectListEntry(kFormatList, "320 X 240");
        EXPECT_EQ(page.listTexts(kColorList), (Texts{"YUV422"}));
        EXPECT_EQ(page.listTexts(kRateList), (Texts{"15", "30"}));
        sheet.selectListEntry(kRateList, "15");
        sheet.pressApply();
        EXPECT_EQ(currentFixedFormat(kFixedCamera), (FixedFormat{0, 1, 3}));
        EXPECT_EQ(selectedText(page, kFormatList), "320 X 240");
        EXPECT_EQ(selectedText(page, kRateList), "15");
        sheet.pressCancel();
    });
    // The mode field logs the entry's mode mask (bit 1), the colour entry carries the mode.
    EXPECT_TRUE(logged("fmt:0 mode:2 CC:1 size:0x0 pos:0x0\n"));
}

TEST_F(FormatPageTest, ApplyPassesTheTypedAreaAndShowsWhatTheCameraAccepted) {
    configure(kFormat7CameraName, [this](MemorySheetView& sheet) {
        MemoryPageView& page = sheet.currentPage();
        sheet.typeText(kWidthEdit, "333");
        sheet.typeText(kBusLoadEdit, "500");
        sheet.pressOk();
        EXPECT_TRUE(logged("fmt:7 mode:0 CC:0 size:333x240 pos:8x4\n"));
        uint32_t left = 0, top = 0, width = 0, height = 0;
        EXPECT_EQ(FWC_GetAOI(kFormat7Camera, &left, &top, &width, &height), 0);
        EXPECT_NE(width, 333u);
        EXPECT_EQ(page.text(kWidthEdit), std::to_string(width));
    });
    EXPECT_EQ(iniValue(kFormat7CameraName, "Busload"), "500");
}

TEST_F(FormatPageTest, OkWithoutChangesPreparesTheSameFormatAgain) {
    configure(kFixedCameraName, [](MemorySheetView& sheet) { sheet.pressOk(); });
    EXPECT_TRUE(logged("fmt:0 mode:104 CC:5 size:0x0 pos:0x0\n"));
    OpenedCamera opened(kFixedCamera);
    EXPECT_EQ(currentFixedFormat(kFixedCamera), (FixedFormat{0, 5, 4}));
}

TEST_F(FormatPageTest, CameraReportingNoFormatsShowsEmptyListsAndApplySendsNothing) {
    FWS_FailCall("FWC_GetSupportedFixedFormats", FWC_ERR_INVALID_ARGUMENT, 1000);
    FWS_FailCall("FWC_EnumFreeModes", FWC_ERR_INVALID_ARGUMENT, 1000);
    configure(kFixedCameraName, [](MemorySheetView& sheet) {
        // Armed after the camera's start: only a prepare by the page would meet it.
        FWS_FailCall("FWC_PrepareFixedGrab", FWC_ERR_INVALID_ARGUMENT, 1);
        MemoryPageView& page = sheet.currentPage();
        EXPECT_EQ(page.listCount(kFormatList), 0);
        EXPECT_EQ(page.listCount(kColorList), 0);
        EXPECT_EQ(page.listTexts(kRateList), (Texts{"N/A"}));
        expectAreaControlsEnabled(page, false);
        sheet.pressOk();
    });
    for (const std::string& line : DebugLog::instance().lines()) {
        EXPECT_NE(line.rfind("fmt:", 0), 0u) << line;
        EXPECT_NE(line.rfind("FWC_PrepareFixedGrab", 0), 0u) << line;
    }
    FWS_Reset();
}

}  // namespace
}  // namespace lvc::test
