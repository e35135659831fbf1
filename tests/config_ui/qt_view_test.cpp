// The Qt view through the real plug-in, as a host loads it: the sheet runs in a modal
// dialog on the offscreen platform, driven by mouse clicks and key presses, and its
// effect is checked on the simulated camera and in the settings file.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <atomic>
#include <fstream>
#include <thread>

#include "config_ui/control_ids.h"
#include "config_ui_bus.h"
#include "fwcontrol.h"
#include "qt_environment.h"
#include "qt_sheet_driver.h"
#include "support/debug_log.h"
#include "support/plugin_host.h"
#include "support/sim_bus_file.h"
#include "support/wait_until.h"

namespace lvc::test {
namespace {

class QtViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        DebugLog::instance().clear();
        ASSERT_EQ(host_.initialize(bus_.directory().string().c_str(), &DebugLog::receive), 1);
    }
    void TearDown() override {
        host_.finalize();
        unsetenv("LORVENACAM_DRIVEN_DIALOG");
    }

    // The key's value in the fixed camera's section of the settings file.
    std::string iniValue(const std::string& key) const {
        std::ifstream file(bus_.directory() / "Lorvenacam.ini");
        std::string line;
        bool inSection = false;
        while (std::getline(file, line)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (line.rfind('[', 0) == 0)
                inSection = line == std::string("[") + kFixedCameraName + "]";
            else if (inSection && line.rfind(key + "=", 0) == 0)
                return line.substr(key.size() + 1);
        }
        return "<missing>";
    }
    bool loggedLineStarting(const std::string& prefix) const {
        for (const std::string& line : DebugLog::instance().lines())
            if (line.rfind(prefix, 0) == 0) return true;
        return false;
    }

    OffscreenQt environment_;
    SimBusFile bus_{configUiBusJson()};
    PluginHost host_;
};

TEST_F(QtViewTest, RoundTripChangesFormatAndFeatureAndStoresTheSettings) {
    int argc = 1;
    char name[] = "qt_view_test";
    char* argv[] = {name, nullptr};
    QApplication application(argc, argv);
    bool driven = false;
    QStringList tabTexts;
    QString caption;
    whenSheetOpens([&](QDialog& sheet) {
        caption = sheet.windowTitle();
        for (int i = 0; i < tabs(sheet).count(); ++i) tabTexts << tabs(sheet).tabText(i);
        clickListEntry(control<QListWidget>(sheet, kFormatList), "320 X 240");
        clickListEntry(control<QListWidget>(sheet, kRateList), "15");
        QLineEdit& busLoad = control<QLineEdit>(sheet, kBusLoadEdit);
        busLoad.selectAll();
        QTest::keyClicks(&busLoad, "750");
        QTest::mouseClick(&control<QCheckBox>(sheet, kStreamingCheck), Qt::LeftButton);

        clickTab(sheet, 1);
        EXPECT_EQ(tabs(sheet).currentIndex(), 1);
        clickTreeRow(control<QTreeWidget>(sheet, kFeatureList), "brightness");
        QLineEdit& value = control<QLineEdit>(sheet, kValueEdit);
        EXPECT_EQ(value.text(), "128");
        value.selectAll();
        QTest::keyClicks(&value, "42");
        pressButton(sheet, QDialogButtonBox::Ok);
        driven = true;
    });
    EXPECT_EQ(host_.configureCamera(0, kFixedCameraName), 0);
    ASSERT_TRUE(driven) << "the sheet never showed";
    EXPECT_EQ(caption, kFixedCameraName);
    EXPECT_EQ(tabTexts, (QStringList{"Format", "Ctrl 1", "Trig/IO", "LUT"}));
    EXPECT_TRUE(DebugLog::instance().contains("fmt:0 mode:2 CC:1 size:0x0 pos:0x0\n"));

    ASSERT_EQ(FWC_OpenCamera(kFixedCamera, FWC_OPEN_DEFAULT), 0);
    uint32_t format = 9, mode = 9, rate = 9, brightness = 0;
    EXPECT_EQ(FWC_GetCurrentFixedFormat(kFixedCamera, &format, &mode, &rate), 0);
    EXPECT_EQ(FWC_GetFeatureValue(kFixedCamera, kBrightness, &brightness), 0);
    FWC_CloseCamera(kFixedCamera);
    EXPECT_EQ(format, 0u);
    EXPECT_EQ(mode, 1u);
    EXPECT_EQ(rate, 3u);
    EXPECT_EQ(brightness, 42u);
    EXPECT_EQ(iniValue("Busload"), "750");
    EXPECT_EQ(iniValue("Streaming"), "1");
}

TEST_F(QtViewTest, WithoutHostApplicationThePlugInMakesItsOwnAndRemovesItAfterwards) {
    // The user below is a program: the offscreen platform is fine for it.
    setenv("LORVENACAM_DRIVEN_DIALOG", "1", 1);
    // configureCamera blocks this thread in the sheet's loop; a helper thread posts the
    // user's Cancel into that loop once the plug-in's QApplication exists.
    std::atomic<bool> cancelled{false};
    // Each check posts the Cancel again until one finds the sheet shown.
    std::thread user([&] {
        waitUntil([&] {
            if (QCoreApplication* application = QCoreApplication::instance()) {
                QMetaObject::invokeMethod(
                    application,
                    [&] {
                        if (QDialog* sheet = findSheet()) {
                            pressButton(*sheet, QDialogButtonBox::Cancel);
                            cancelled = true;
                        }
                    },
                    Qt::QueuedConnection);
            }
            return cancelled.load();
        });
    });
    EXPECT_EQ(host_.configureCamera(0, kFixedCameraName), 0);
    user.join();
    EXPECT_TRUE(cancelled);
    EXPECT_EQ(QCoreApplication::instance(), nullptr);
    EXPECT_EQ(iniValue("Busload"), "1000");
}

TEST_F(QtViewTest, WithoutDisplayOneLineSaysWhyAndTheSettingsAreStillWritten) {
    unsetenv("QT_QPA_PLATFORM");
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    EXPECT_EQ(host_.configureCamera(0, kFixedCameraName), 0);
    EXPECT_TRUE(loggedLineStarting("Configuration dialog not shown: no display"));
    EXPECT_EQ(iniValue("Busload"), "1000");
}

TEST_F(QtViewTest, OnAPlatformThatShowsNobodyTheDialogOneLineSaysWhyAndItReturns) {
    for (const char* platform : {"offscreen", "minimal"}) {
        SCOPED_TRACE(platform);
        setenv("QT_QPA_PLATFORM", platform, 1);
        DebugLog::instance().clear();
        EXPECT_EQ(host_.configureCamera(0, kFixedCameraName), 0);
        EXPECT_TRUE(loggedLineStarting(std::string("Configuration dialog not shown: "
                                                   "QT_QPA_PLATFORM is ") +
                                       platform + ", which shows the dialog to nobody"));
        EXPECT_EQ(QCoreApplication::instance(), nullptr);
        EXPECT_EQ(iniValue("Busload"), "1000");
    }
}

// Runs act on the file dialog the sheet opens, once it shows; false when none showed.
void whenFileDialogOpens(std::function<void(QFileDialog&)> act) {
    QElapsedTimer clock;
    clock.start();
    auto* poll = new QTimer(QCoreApplication::instance());
    QObject::connect(poll, &QTimer::timeout, [poll, clock, act] {
        QFileDialog* dialog = nullptr;
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* candidate = qobject_cast<QFileDialog*>(widget);
                candidate && candidate->isVisible())
                dialog = candidate;
        if (!dialog && clock.elapsed() < 10000) return;
        poll->stop();
        poll->deleteLater();
        if (dialog) act(*dialog);
    });
    poll->start(5);
}

TEST_F(QtViewTest, LutFileDialogShowsTheFiltersAndFileNameAsGiven) {
    int argc = 1;
    char name[] = "qt_view_test";
    char* argv[] = {name, nullptr};
    QApplication application(argc, argv);
    QStringList labels;
    QStringList filters;
    QString fileName;
    bool driven = false;
    whenSheetOpens([&](QDialog& sheet) {
        clickTab(sheet, 3);
        whenFileDialogOpens([&](QFileDialog& dialog) {
            if (auto* types = dialog.findChild<QComboBox*>("fileTypeCombo"))
                for (int i = 0; i < types->count(); ++i) labels << types->itemText(i);
            if (auto* edit = dialog.findChild<QLineEdit*>("fileNameEdit")) fileName = edit->text();
            filters = dialog.nameFilters();
            dialog.reject();
            driven = true;
        });
        QTest::mouseClick(&control<QPushButton>(sheet, kLutBrowseButton), Qt::LeftButton);
        pressButton(sheet, QDialogButtonBox::Cancel);
    });
    EXPECT_EQ(host_.configureCamera(0, kFixedCameraName), 0);
    ASSERT_TRUE(driven) << "the file dialog never showed";
    EXPECT_EQ(labels.join(" | ").toStdString(), "LUT Files (*.lut) | All Files (*.*)");
    EXPECT_EQ(filters.join(" | ").toStdString(),
              "LUT Files (*.lut) (*.lut *.csv) | All Files (*.*) (*)");
    EXPECT_EQ(fileName.toStdString(), "*.lut");
}

TEST_F(QtViewTest, TheUserCannotEmptyASingleSelectionList) {
    int argc = 1;
    char name[] = "qt_view_test";
    char* argv[] = {name, nullptr};
    QApplication application(argc, argv);
    bool driven = false;
    whenSheetOpens([&](QDialog& sheet) {
        QListWidget& formats = control<QListWidget>(sheet, kFormatList);
        QListWidget& colours = control<QListWidget>(sheet, kColorList);
        clickListEntry(formats, "320 X 240");
        const int colourCount = colours.count();
        QListWidgetItem* chosen = formats.selectedItems().value(0);
        EXPECT_NE(chosen, nullptr);
        QTest::mouseClick(formats.viewport(), Qt::LeftButton, Qt::ControlModifier,
                          formats.visualItemRect(chosen).center());
        EXPECT_EQ(formats.selectedItems(), QList<QListWidgetItem*>{chosen}) << "Ctrl+click";
        formats.setFocus();
        QTest::keyClick(&formats, Qt::Key_Space, Qt::ControlModifier);
        EXPECT_EQ(formats.selectedItems(), QList<QListWidgetItem*>{chosen}) << "Ctrl+Space";
        EXPECT_EQ(colours.count(), colourCount);
        EXPECT_EQ(colours.selectedItems().size(), 1);

        clickTab(sheet, 1);
        QTreeWidget& features = control<QTreeWidget>(sheet, kFeatureList);
        clickTreeRow(features, "brightness");
        QTreeWidgetItem* row = features.selectedItems().value(0);
        EXPECT_NE(row, nullptr);
        QTest::mouseClick(features.viewport(), Qt::LeftButton, Qt::ControlModifier,
                          features.visualItemRect(row).center());
        EXPECT_EQ(features.selectedItems(), QList<QTreeWidgetItem*>{row});
        EXPECT_EQ(control<QLineEdit>(sheet, kValueEdit).text(), "128");
        pressButton(sheet, QDialogButtonBox::Cancel);
        driven = true;
    });
    EXPECT_EQ(host_.configureCamera(0, kFixedCameraName), 0);
    EXPECT_TRUE(driven) << "the sheet never showed";
}

}  // namespace
}  // namespace lvc::test
