// The LUT page: the camera's LUT capabilities, the file's description, the file dialog,
// and the switch and file name handed back to the camera's settings.
#include <gtest/gtest.h>

#include <fstream>

#include "config_ui/control_ids.h"
#include "config_ui/lut_page.h"
#include "config_ui_fixture.h"
#include "fw_status.h"
#include "fwsim.h"
#include "platform/private_profile.h"

namespace lvc::test {
namespace {

constexpr int32_t kLutTab = 3;

class LutPageTest : public ConfigUiTest {
protected:
    std::string writeFile(const std::string& name, const std::string& content) {
        std::string path = settingsFile(name);
        std::ofstream(path) << content;
        return path;
    }
    std::string gammaFile() {
        std::string values = "gamma 0.45\n";
        for (int i = 0; i < 256; ++i) values += std::to_string(i) + "\n";
        return writeFile("gamma.lut", values);
    }
};

TEST_F(LutPageTest, DescribesLutFiles) {
    struct Case {
        const char* what;
        std::string content;
        const char* description;
    };
    std::string values;
    for (int i = 0; i < 256; ++i) values += std::to_string(i) + "\r\n";
    const Case cases[] = {
        {"description before the values", "gamma 0.45\n" + values, "256 elements  gamma 0.45 "},
        {"no description", "1\n2\n3\n", "3 elements  "},
        {"no numbers", "just words\nand more\n", "Invalid LUT file"},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        EXPECT_EQ(lutFileInfo(writeFile("case.lut", test.content)), test.description);
    }
    EXPECT_EQ(lutFileInfo(settingsFile("missing.lut")), "Invalid LUT file");
    EXPECT_EQ(lutFileInfo(""), "");
}

TEST_F(LutPageTest, ShowsCapabilitiesAndTheSettingsOfAPortCamera) {
    std::string ini = settingsFile("Lorvenacam.ini");
    std::string lut = gammaFile();
    writeProfileString(kFixedCameraName, "LUT", "1", ini.c_str());
    writeProfileString(kFixedCameraName, "LUTname", lut.c_str(), ini.c_str());
    uint32_t size[2] = {};
    ASSERT_EQ(openCVLPort(0, 0, kFixedCameraName, size), 1);
    configure(kFixedCameraName, [&](MemorySheetView& sheet) {
        sheet.chooseTab(kLutTab);
        MemoryPageView& page = sheet.currentPage();
        EXPECT_EQ(page.text(kLutElementsEdit), "256");
        EXPECT_EQ(page.text(kLutMaxValueEdit), "255");
        EXPECT_TRUE(page.isChecked(kUseLutCheck));
        EXPECT_EQ(page.text(kLutFileEdit), lut);
        EXPECT_EQ(page.text(kLutDescriptionEdit), "256 elements  gamma 0.45 ");
        sheet.click(kUseLutCheck);
        sheet.pressOk();
    });
    closeCVLPort(0, 0);
    EXPECT_EQ(iniValue(kFixedCameraName, "LUT"), "0");
    EXPECT_EQ(iniValue(kFixedCameraName, "LUTname"), lut) << "the file name is kept";
}

TEST_F(LutPageTest, FileDialogChoosesAFileAndCancelChangesNothing) {
    std::string words = writeFile("words.csv", "no numbers here\n");
    configure(kFixedCameraName, [&](MemorySheetView& sheet) {
        sheet.chooseTab(kLutTab);
        MemoryPageView& page = sheet.currentPage();
        EXPECT_EQ(page.text(kLutDescriptionEdit), "");
        EXPECT_FALSE(page.isChecked(kUseLutCheck));

        page.answerFileDialog(std::nullopt);
        sheet.click(kLutBrowseButton);
        EXPECT_EQ(page.text(kLutFileEdit), "");
        ASSERT_EQ(page.fileDialogRequests().size(), 1u);
        const FileDialogRequest& request = page.fileDialogRequests()[0];
        EXPECT_STREQ(request.filter, "LUT Files (*.lut)|*.lut;*.csv|All Files (*.*)|*.*||");
        EXPECT_STREQ(request.initialName, "*.lut");
        EXPECT_TRUE(request.mustExist);
        EXPECT_TRUE(request.hideReadOnly);

        page.answerFileDialog(words);
        sheet.click(kLutBrowseButton);
        EXPECT_EQ(page.text(kLutFileEdit), words);
        EXPECT_EQ(page.text(kLutDescriptionEdit), "Invalid LUT file");
        EXPECT_TRUE(sheet.applyEnabled());

        sheet.typeText(kLutFileEdit, gammaFile());
        EXPECT_EQ(page.text(kLutDescriptionEdit), "Invalid LUT file") << "not refreshed by typing";
        sheet.click(kUseLutCheck);
        sheet.pressOk();
    });
    EXPECT_EQ(iniValue(kFixedCameraName, "LUT"), "1");
    EXPECT_EQ(iniValue(kFixedCameraName, "LUTname"), settingsFile("gamma.lut"));
}

TEST_F(LutPageTest, AnOverlongFileNameIsRefusedOnThePage) {
    configure(kFixedCameraName, [](MemorySheetView& sheet) {
        sheet.chooseTab(kLutTab);
        sheet.typeText(kLutFileEdit, std::string(255, 'x'));
        sheet.pressOk();
        EXPECT_TRUE(sheet.isOpen());
        EXPECT_EQ(sheet.currentPage().invalidValueMessages().size(), 1u);
        sheet.typeText(kLutFileEdit, std::string(254, 'y'));
        sheet.pressOk();
        EXPECT_FALSE(sheet.isOpen());
    });
    EXPECT_EQ(iniValue(kFixedCameraName, "LUTname"), std::string(254, 'y'));
}

TEST_F(LutPageTest, FailingLutInfoIsLoggedWithoutCallNameAndShowsZero) {
    configure(kFixedCameraName, [](MemorySheetView& sheet) {
        FWS_FailCall("FWC_Lut_GetInfo", FWC_ERR_NO_LUT, 1);
        sheet.chooseTab(kLutTab);
        EXPECT_EQ(sheet.currentPage().text(kLutElementsEdit), "0");
        EXPECT_EQ(sheet.currentPage().text(kLutMaxValueEdit), "0");
        sheet.pressCancel();
    });
    EXPECT_TRUE(logged(": camera has no look-up table with this number\n"));
}

}  // namespace
}  // namespace lvc::test
