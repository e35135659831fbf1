// The viewer's window on the offscreen platform, with the plug-in loaded as the viewer
// loads it and a simulated bus of its own: opening, streaming, the status counters, the
// snapshot, the configuration dialog's round trip, closing and unplugging while streaming.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <cstring>
#include <vector>

#include "config_ui/control_ids.h"
#include "config_ui/qt_environment.h"
#include "config_ui/qt_sheet_driver.h"
#include "fwsim.h"
#include "main_window.h"
#include "plugin_session.h"
#include "support/child_process.h"
#include "support/sim_bus_file.h"
#include "support/sim_bus_json.h"
#include "support/wait_until.h"

namespace lvcview {
namespace {

using lvc::test::SimCamera;

constexpr uint32_t kBayerCamera = 4001;
constexpr uint32_t kSteppedCamera = 4002;
constexpr uint32_t kTriggeredCamera = 4003;
inline const QString kBayerName = "Lorvsim Bayer - 4001";
inline const QString kSteppedName = "Lorvsim Stepped - 4002";
inline const QString kTriggeredName = "Lorvsim Triggered - 4003";
constexpr int32_t kPort = 5;

SimCamera bayerCamera() {
    return SimCamera(kBayerCamera)
        .vendor("Lorvsim")
        .model("Bayer")
        .format7(
            {.maxWidth = 160, .maxHeight = 120, .codings = {9}, .unitWidth = 2, .unitHeight = 2})
        .with("maxFrameRate", "60")
        .with("features", R"([{"id": 256, "min": 0, "max": 255, "value": 128},
                              {"id": 265, "min": 0, "max": 680, "value": 100}])");
}

std::string viewerBusJson() {
    return lvc::test::simBusJson({bayerCamera(),
                                  SimCamera(kSteppedCamera)
                                      .vendor("Lorvsim")
                                      .model("Stepped")
                                      .timing("manual")
                                      .format7({.maxWidth = 96, .maxHeight = 64, .codings = {9}}),
                                  SimCamera(kTriggeredCamera)
                                      .vendor("Lorvsim")
                                      .model("Triggered")
                                      .format7({.maxWidth = 64, .maxHeight = 48, .codings = {0}})
                                      .with("trigger", R"({"mode": 0, "active": true})")});
}

// Runs the GUI thread's events until condition() holds; false when the timeout passes first.
template <typename Condition>
bool processUntil(Condition condition, int timeoutMs = 10000) {
    return QTest::qWaitFor(condition, timeoutMs);
}

class ViewerTest : public ::testing::Test {
protected:
    void SetUp() override { started_ = window_.start(bus_.directory().string()); }
    void TearDown() override { EXPECT_EQ(StreamSession::lateCallbacks(), lateAtStart_); }

    bool openAndStream(const QString& name) {
        return window_.openCamera(name, kPort) && window_.startStreaming();
    }
    int64_t received() const { return window_.session()->framesReceived(); }

    lvc::test::OffscreenQt environment_;
    lvc::test::SimBusFile bus_{viewerBusJson()};
    int argc_ = 1;
    char name_[16] = "lvcview_tests";
    char* argv_[2] = {name_, nullptr};
    QApplication application_{argc_, argv_};
    PluginSession plugin_{LVC_PLUGIN_PATH};
    MainWindow window_{plugin_};
    bool started_ = false;
    int64_t lateAtStart_ = StreamSession::lateCallbacks();
};

TEST_F(ViewerTest, ListsTheCamerasOpensOneAndShowsItsLivePictureAndHistogram) {
    ASSERT_TRUE(started_) << plugin_.error().toStdString();
    ASSERT_EQ(window_.cameras().rowCount(), 3);
    EXPECT_EQ(window_.cameras().cameraName(0), kBayerName);
    EXPECT_EQ(window_.cameras().cameraName(1), kSteppedName);
    // The log pane has the plug-in's lines from its start on.
    ASSERT_TRUE(processUntil(
        [&] { return window_.log().text().contains(QString("1 [2] - ") + kSteppedName); }));

    ASSERT_TRUE(openAndStream(kBayerName));
    ASSERT_TRUE(
        processUntil([&] { return received() >= 5 && !window_.imageView().image().isNull(); }));
    const QImage shown = window_.imageView().image();
    EXPECT_EQ(shown.size(), QSize(160, 120));
    EXPECT_EQ(shown.format(), QImage::Format_BGR888) << "the Bayer camera comes as colour";
    // The picture moves on: later frames carry later frame numbers.
    uint32_t first = 0;
    ASSERT_EQ(FWS_ReadFrameNumber(shown.constBits(), 160, 120, 3, &first), 0);
    ASSERT_TRUE(processUntil([&] {
        uint32_t number = 0;
        const QImage now = window_.imageView().image();
        return FWS_ReadFrameNumber(now.constBits(), 160, 120, 3, &number) == 0 && number > first;
    }));

    const FrameHistogram& histogram = window_.histogram().histogram();
    ASSERT_EQ(histogram.channels(), 3);
    for (int channel = 0; channel < 3; ++channel) {
        uint64_t pixels = 0;
        for (const uint32_t count : histogram.bins(channel)) pixels += count;
        EXPECT_EQ(pixels, 160u * 120u) << "channel " << channel;
    }
    EXPECT_EQ(ImageView::describePixel(QImage(), {0, 0}), "");
    EXPECT_TRUE(ImageView::describePixel(shown, {3, 4}).startsWith("3, 4: R "));
}

// The stepped camera is open in another process when the plug-in lists the bus.
class BusyCameraTest : public ViewerTest {
protected:
    void SetUp() override {
        holder_ = std::make_unique<lvc::test::ChildProcess>(std::vector<std::string>{
            LVC_BOUNDARY_HELPER, "hold-camera", std::to_string(kSteppedCamera)});
        ASSERT_EQ(holder_->readLine(), "holding");
        ViewerTest::SetUp();
    }

    std::unique_ptr<lvc::test::ChildProcess> holder_;
};

TEST_F(BusyCameraTest, ACameraOpenElsewhereIsShownBusyUntilABusChangeNamesIt) {
    ASSERT_TRUE(started_);
    CameraListModel& cameras = window_.cameras();
    ASSERT_EQ(cameras.rowCount(), 3);
    EXPECT_EQ(cameras.index(1).data().toString(), "Unavailable - 4002 (busy)");
    EXPECT_FALSE(cameras.flags(cameras.index(1)) & Qt::ItemIsSelectable);
    EXPECT_TRUE(cameras.flags(cameras.index(0)) & Qt::ItemIsSelectable);

    holder_->closeInput();
    EXPECT_EQ(holder_->waitForExit(), 0);
    ASSERT_NE(
        FWS_Plug(
            SimCamera(4004).vendor("Lorvsim").model("Late").fixedFormat(0, 5, {2}).json().c_str()),
        0u);
    ASSERT_TRUE(processUntil(
        [&] { return cameras.rowCount() == 4 && cameras.cameraName(1) == kSteppedName; }));
    EXPECT_EQ(cameras.index(1).data().toString(), kSteppedName);
    EXPECT_TRUE(cameras.flags(cameras.index(1)) & Qt::ItemIsSelectable);
}

TEST_F(ViewerTest, StatusLineCountsFramesPerSecondDropsAndTheFullRing) {
    ASSERT_TRUE(openAndStream(kBayerName));
    // The GUI thread shows nothing while it waits here, so the ring fills and the callback
    // drops the newest frames instead of waiting.
    ASSERT_TRUE(lvc::test::waitUntil([&] { return window_.session()->framesSkipped() >= 3; }));
    EXPECT_EQ(received(), static_cast<int64_t>(FrameRing::kSlots));

    ASSERT_EQ(FWS_RaiseEvent(kBayerCamera, 4), 0);
    ASSERT_TRUE(lvc::test::waitUntil([&] { return window_.droppedFrames() >= 1; }));

    window_.updateStatus();
    const int64_t before = received();
    ASSERT_TRUE(processUntil([&] { return received() >= before + 10; }));
    window_.updateStatus();
    const QString status = window_.statusText();
    EXPECT_TRUE(status.contains(QString("dropped %1 |").arg(window_.droppedFrames())))
        << status.toStdString();
    EXPECT_TRUE(status.contains(QString("ring full %1 |").arg(window_.session()->framesSkipped())))
        << status.toStdString();
    EXPECT_FALSE(status.startsWith("0.0 fps")) << status.toStdString();
    EXPECT_TRUE(status.contains("callback to display")) << status.toStdString();
}

TEST_F(ViewerTest, SnapshotEqualsTheFrameGrabbedThroughThePlugIn) {
    ASSERT_TRUE(openAndStream(kSteppedName));
    ASSERT_EQ(FWS_Step(kSteppedCamera), 0);
    ASSERT_TRUE(processUntil([&] { return !window_.imageView().image().isNull(); }));
    const QString path = QString::fromStdString((bus_.directory() / "snapshot.png").string());
    ASSERT_TRUE(window_.snapshot(path));

    const QImage saved = QImage(path).convertToFormat(QImage::Format_BGR888);
    ASSERT_EQ(saved.size(), QSize(96, 64));
    std::vector<uint8_t> row(96 * 3);
    for (uint32_t y = 0; y < 64; ++y) {
        ASSERT_EQ(plugin_.plugin().getCVLGrabRow(0, kPort, row.data(), y, 0, 95), 1);
        ASSERT_EQ(std::memcmp(saved.constScanLine(static_cast<int>(y)), row.data(), row.size()), 0)
            << "row " << y;
    }
    uint32_t number = 0;
    EXPECT_EQ(FWS_ReadFrameNumber(saved.constBits(), 96, 64, 3, &number), 0);
    EXPECT_EQ(number, 1u);
}

TEST_F(ViewerTest, SoftwareTriggerButtonMakesOneFrameOfATriggeredCamera) {
    ASSERT_TRUE(openAndStream(kTriggeredName));
    auto* trigger = window_.findChild<QPushButton*>("softwareTrigger");
    ASSERT_NE(trigger, nullptr);
    ASSERT_TRUE(trigger->isEnabled());
    EXPECT_EQ(received(), 0) << "a triggered camera waits for its pulse";
    const auto shownFrameNumber = [&] {
        uint32_t number = 0;
        const QImage shown = window_.imageView().image();
        if (shown.isNull()) return 0u;
        return FWS_ReadFrameNumber(shown.constBits(), 64, 48, 1, &number) == 0 ? number : 0u;
    };
    for (uint32_t pulses = 1; pulses <= 2; ++pulses) {
        QTest::mouseClick(trigger, Qt::LeftButton);
        ASSERT_TRUE(processUntil([&] { return shownFrameNumber() == pulses; }));
    }
    EXPECT_EQ(received(), 2) << "one frame per pulse";
}

TEST_F(ViewerTest, RecordsTheNextFramesIntoAFolder) {
    ASSERT_TRUE(openAndStream(kBayerName));
    const QString folder = QString::fromStdString((bus_.directory() / "recording").string());
    ASSERT_TRUE(window_.record(folder, 3));
    ASSERT_TRUE(processUntil([&] { return !window_.recorder().recording(); }));
    for (const char* file : {"frame_0000.png", "frame_0001.png", "frame_0002.png"})
        EXPECT_EQ(QImage(folder + "/" + file).size(), QSize(160, 120)) << file;
    EXPECT_FALSE(QFile::exists(folder + "/frame_0003.png"));
}

TEST_F(ViewerTest, ConfigureRoundTripChangesAFeatureAndTheControlsReadItBack) {
    if (!LVC_QT_DIALOG_BUILT) GTEST_SKIP() << "built without the plug-in's Qt dialog";
    ASSERT_TRUE(openAndStream(kBayerName));
    QSpinBox* brightness = window_.features().control("BRIGHTNESS");
    ASSERT_NE(brightness, nullptr);
    EXPECT_EQ(brightness->value(), 128);
    EXPECT_EQ(window_.features().control("SHUTTER"), nullptr) << "the camera has no shutter";

    bool driven = false;
    lvc::test::whenSheetOpens([&](QDialog& sheet) {
        lvc::test::clickTab(sheet, 1);
        lvc::test::clickTreeRow(lvc::test::control<QTreeWidget>(sheet, lvc::kFeatureList),
                                "brightness");
        QLineEdit& value = lvc::test::control<QLineEdit>(sheet, lvc::kValueEdit);
        value.selectAll();
        QTest::keyClicks(&value, "42");
        lvc::test::pressButton(sheet, QDialogButtonBox::Ok);
        driven = true;
    });
    window_.configure();
    ASSERT_TRUE(driven) << "the sheet never showed";
    ASSERT_NE(window_.features().control("BRIGHTNESS"), nullptr);
    EXPECT_EQ(window_.features().control("BRIGHTNESS")->value(), 42);

    // The camera streams on after the dialog, and a control writes through to it.
    ASSERT_TRUE(window_.session()->streaming());
    const int64_t before = received();
    ASSERT_TRUE(processUntil([&] { return received() > before; }));
    window_.features().control("GAIN")->setValue(300);
    int32_t gain = 0;
    EXPECT_EQ(plugin_.plugin().getProperty(0, kPort, "GAIN", &gain), 1);
    EXPECT_EQ(gain, 300);
}

TEST_F(ViewerTest, ClosingWhileStreamingLeavesNoCallbackBehind) {
    for (int round = 0; round < 5; ++round) {
        SCOPED_TRACE(round);
        ASSERT_TRUE(openAndStream(kBayerName));
        ASSERT_TRUE(lvc::test::waitUntil([&] { return received() >= 2; }));
        window_.closeCamera();
        EXPECT_EQ(window_.session(), nullptr);
    }
    // The window goes while a camera streams into it; a second window that cannot have the
    // port leaves that camera alone.
    auto window = std::make_unique<MainWindow>(plugin_);
    ASSERT_TRUE(window->openCamera(kBayerName, kPort + 1) && window->startStreaming());
    EXPECT_FALSE(window_.openCamera(kSteppedName, kPort + 1));
    const int64_t before = window->session()->framesReceived();
    ASSERT_TRUE(lvc::test::waitUntil([&] { return window->session()->framesReceived() > before; }));
    ASSERT_TRUE(lvc::test::waitUntil([&] { return window->session()->framesReceived() >= 2; }));
    window.reset();
    // A callback after the close would have found no session (counted in TearDown) or,
    // with the window gone, freed memory.
}

TEST_F(ViewerTest, UnplugWhileStreamingStopsThePictureAndTheWindowRecovers) {
    ASSERT_TRUE(openAndStream(kBayerName));
    ASSERT_TRUE(processUntil([&] { return received() >= 3; }));
    window_.log().setExpanded(true);
    ASSERT_EQ(FWS_Unplug(kBayerCamera), 0);
    ASSERT_TRUE(processUntil([&] { return window_.log().text().contains("NodeChangedCallback"); }));
    EXPECT_EQ(window_.cameras().rowCount(), 3) << "a camera that left stays listed";
    window_.closeCamera();

    ASSERT_NE(FWS_Plug(bayerCamera().json().c_str()), 0u);
    ASSERT_TRUE(processUntil([&] { return openAndStream(kBayerName); }));
    ASSERT_TRUE(processUntil([&] { return received() >= 3; }));
}

}  // namespace
}  // namespace lvcview
