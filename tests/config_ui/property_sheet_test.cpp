// The sheet's rules as configureCamera runs them: caption and tabs, pages created on
// first show, exchange and validation when a page is left, Cancel, OK, Apply, and the
// settings written after every close.
#include <gtest/gtest.h>

#include <stdexcept>

#include "config_ui/control_ids.h"
#include "config_ui_fixture.h"

namespace lvc::test {
namespace {

constexpr int32_t kFormatTab = 0;
constexpr int32_t kLutTab = 3;

using PropertySheetTest = ConfigUiTest;

TEST_F(PropertySheetTest, OpensTitledWithTheNameOnTheFormatTabAndCancelStoresUnchangedValues) {
    EXPECT_EQ(configure(kPlainCameraName,
                        [](MemorySheetView& sheet) {
                            EXPECT_EQ(sheet.caption(), kPlainCameraName);
                            EXPECT_EQ(sheet.tabTexts(), (std::vector<std::string>{
                                                            "Format", "Ctrl 1", "Trig/IO", "LUT"}));
                            EXPECT_EQ(sheet.currentTab(), kFormatTab);
                            EXPECT_TRUE(sheet.isCreated(kFormatTab));
                            for (int32_t tab = 1; tab < 4; ++tab)
                                EXPECT_FALSE(sheet.isCreated(tab));
                            sheet.pressCancel();
                        }),
              0);
    EXPECT_EQ(iniValue(kPlainCameraName, "Busload"), "1000");
    EXPECT_EQ(iniValue(kPlainCameraName, "Streaming"), "0");
    EXPECT_EQ(iniValue(kPlainCameraName, "LUT"), "0");
    EXPECT_EQ(iniValue(kPlainCameraName, "LUTname"), "");
}

TEST_F(PropertySheetTest, CancelKeepsAnEditLeftOnAnotherTabButNotOneOnTheCurrentPage) {
    struct Case {
        const char* what;
        bool leaveForLutTab;
        const char* storedBusLoad;
    };
    for (const Case& test : {Case{"left for the LUT tab", true, "500"},
                             Case{"still on the Format tab", false, "1000"}}) {
        SCOPED_TRACE(test.what);
        configure(kPlainCameraName, [&](MemorySheetView& sheet) {
            sheet.typeText(kBusLoadEdit, "500");
            if (test.leaveForLutTab) sheet.chooseTab(kLutTab);
            sheet.pressCancel();
        });
        EXPECT_EQ(iniValue(kPlainCameraName, "Busload"), test.storedBusLoad);
        // The next run starts from a fresh temporary camera, whatever the INI holds.
    }
}

TEST_F(PropertySheetTest, RefusedBusLoadKeepsTheSheetOpenOnTheFormatPage) {
    configure(kPlainCameraName, [](MemorySheetView& sheet) {
        sheet.typeText(kBusLoadEdit, "");
        sheet.pressOk();
        EXPECT_TRUE(sheet.isOpen());
        sheet.typeText(kBusLoadEdit, "12x");
        sheet.chooseTab(kLutTab);
        EXPECT_EQ(sheet.currentTab(), kFormatTab);
        EXPECT_FALSE(sheet.isCreated(kLutTab));
        EXPECT_EQ(sheet.currentPage().invalidValueMessages().size(), 2u);
        sheet.typeText(kBusLoadEdit, "250");
        sheet.pressOk();
        EXPECT_FALSE(sheet.isOpen());
    });
    EXPECT_EQ(iniValue(kPlainCameraName, "Busload"), "250");
}

TEST_F(PropertySheetTest, ApplyIsEnabledByAChangeAndDisabledOnceApplied) {
    configure(kPlainCameraName, [](MemorySheetView& sheet) {
        EXPECT_FALSE(sheet.applyEnabled());
        sheet.chooseTab(kLutTab);
        EXPECT_FALSE(sheet.applyEnabled()) << "filling a page is no change";
        sheet.chooseTab(kFormatTab);
        sheet.click(kStreamingCheck);
        EXPECT_TRUE(sheet.applyEnabled());
        sheet.pressApply();
        EXPECT_TRUE(sheet.isOpen());
        EXPECT_FALSE(sheet.applyEnabled());
        sheet.pressCancel();
    });
    // Apply read the page's controls: the change survives the Cancel.
    EXPECT_EQ(iniValue(kPlainCameraName, "Streaming"), "1");
}

TEST_F(PropertySheetTest, OkStoresTheSettingsAndTheCameraFile) {
    configure(kPlainCameraName, [](MemorySheetView& sheet) {
        sheet.typeText(kBusLoadEdit, "800");
        sheet.click(kStreamingCheck);
        sheet.pressOk();
    });
    EXPECT_EQ(iniValue(kPlainCameraName, "Busload"), "800");
    EXPECT_EQ(iniValue(kPlainCameraName, "Streaming"), "1");
    EXPECT_TRUE(std::filesystem::exists(settingsFile(std::string(kPlainCameraName) + ".xml")));
}

TEST_F(PropertySheetTest, AnExceptionInTheSheetIsLoggedAndTheSettingsAreStillWritten) {
    configure(kPlainCameraName, [](MemorySheetView& sheet) {
        sheet.typeText(kBusLoadEdit, "600");
        throw std::runtime_error("view failure");
    });
    EXPECT_TRUE(
        logged(std::string("Config property sheet exception - ") + kPlainCameraName + "\n"));
    EXPECT_EQ(iniValue(kPlainCameraName, "Busload"), "1000");
}

TEST_F(PropertySheetTest, AnUnknownCameraIsRefusedWithoutDialogOrSettings) {
    bool shown = false;
    EXPECT_EQ(configure("Lorvsim Nobody - 9",
                        [&](MemorySheetView& sheet) {
                            shown = true;
                            sheet.pressCancel();
                        }),
              0);
    EXPECT_FALSE(shown);
    EXPECT_FALSE(std::filesystem::exists(settingsFile("Lorvenacam.ini")));
}

}  // namespace
}  // namespace lvc::test
