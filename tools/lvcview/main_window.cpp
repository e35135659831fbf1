#include "main_window.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>
#include <QVBoxLayout>

namespace lvcview {
namespace {

constexpr int kStatusIntervalMs = 500;
constexpr int kStatusMessageMs = 5000;

}  // namespace

MainWindow::MainWindow(PluginSession& plugin, QWidget* parent)
    : QMainWindow(parent), plugin_(plugin), cameras_(plugin), recorder_(this) {
    setWindowTitle(tr("lvcview"));
    imageView_ = new ImageView;
    log_ = new LogPane;
    auto* centre = new QSplitter(Qt::Vertical);
    auto* top = new QSplitter(Qt::Horizontal);
    top->addWidget(makeCameraPanel());
    top->addWidget(imageView_);
    top->addWidget(makeControlPanel());
    top->setStretchFactor(1, 1);
    centre->addWidget(top);
    centre->addWidget(log_);
    centre->setStretchFactor(0, 1);
    setCentralWidget(centre);

    statusLabel_ = new QLabel;
    pixelLabel_ = new QLabel;
    statusBar()->addWidget(statusLabel_, 1);
    statusBar()->addPermanentWidget(pixelLabel_);
    connect(imageView_, &ImageView::pixelHovered, pixelLabel_, &QLabel::setText);
    connect(&plugin_.diagnostics(), &DiagnosticFeed::lineArrived, log_, &LogPane::appendLine,
            Qt::QueuedConnection);
    connect(features_, &FeatureControls::message, this,
            [this](const QString& text) { statusBar()->showMessage(text, kStatusMessageMs); });
    connect(&recorder_, &FrameRecorder::finished, this, [this](int written, const QString& error) {
        statusBar()->showMessage(error.isEmpty() ? tr("Recorded %1 frames").arg(written) : error,
                                 kStatusMessageMs);
    });
    connect(&statusTimer_, &QTimer::timeout, this, &MainWindow::updateStatus);
    statusTimer_.start(kStatusIntervalMs);
    cameraChanged();
}

bool MainWindow::start(const std::string& systemDirectory) {
    const bool started = plugin_.initialize(systemDirectory);
    if (!started) statusBar()->showMessage(plugin_.error());
    cameras_.refresh();
    return started;
}

MainWindow::~MainWindow() { closeCamera(); }

QWidget* MainWindow::makeCameraPanel() {
    cameraList_ = new QListView;
    cameraList_->setModel(&cameras_);
    portBox_ = new QSpinBox;
    portBox_->setRange(0, DiagnosticFeed::kPortCount - 1);
    openButton_ = new QPushButton(tr("Open"));
    closeButton_ = new QPushButton(tr("Close"));
    connect(openButton_, &QPushButton::clicked, this, &MainWindow::openSelected);
    connect(closeButton_, &QPushButton::clicked, this, &MainWindow::closeCamera);
    connect(cameraList_, &QListView::doubleClicked, this, &MainWindow::openSelected);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(new QLabel(tr("Port")));
    buttons->addWidget(portBox_);
    buttons->addWidget(openButton_);
    buttons->addWidget(closeButton_);
    auto* panel = new QGroupBox(tr("Cameras"));
    auto* layout = new QVBoxLayout(panel);
    layout->addWidget(cameraList_);
    layout->addLayout(buttons);
    return panel;
}

QWidget* MainWindow::makeViewButtons() {
    streamButton_ = new QPushButton(tr("Stream"));
    streamButton_->setCheckable(true);
    connect(streamButton_, &QPushButton::clicked, this, [this](bool on) {
        if (on)
            startStreaming();
        else
            stopStreaming();
    });
    auto* fit = new QRadioButton(tr("Fit"));
    auto* actual = new QRadioButton(tr("1:1"));
    fit->setChecked(true);
    auto* zoom = new QButtonGroup(this);
    zoom->addButton(fit);
    zoom->addButton(actual);
    connect(actual, &QRadioButton::toggled, this, [this](bool on) {
        imageView_->setZoom(on ? ImageView::Zoom::Actual : ImageView::Zoom::Fit);
    });
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(streamButton_);
    layout->addWidget(fit);
    layout->addWidget(actual);
    return row;
}

QWidget* MainWindow::makeFileButtons() {
    snapshotButton_ = new QPushButton(tr("Snapshot…"));
    recordButton_ = new QPushButton(tr("Record…"));
    recordCount_ = new QSpinBox;
    recordCount_->setRange(1, 100000);
    recordCount_->setValue(10);
    recordCount_->setSuffix(tr(" frames"));
    connect(snapshotButton_, &QPushButton::clicked, this, &MainWindow::chooseSnapshot);
    connect(recordButton_, &QPushButton::clicked, this, &MainWindow::chooseRecording);
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(snapshotButton_);
    layout->addWidget(recordCount_);
    layout->addWidget(recordButton_);
    return row;
}

QWidget* MainWindow::makeControlPanel() {
    histogram_ = new HistogramView;
    features_ = new FeatureControls(plugin_.plugin());
    triggerButton_ = new QPushButton(tr("Software trigger"));
    triggerButton_->setObjectName("softwareTrigger");
    triggerButton_->setToolTip(tr("One trigger pulse; the trigger mode is set in Configure…"));
    configureButton_ = new QPushButton(tr("Configure…"));
    connect(triggerButton_, &QPushButton::clicked, this, &MainWindow::pulseTrigger);
    connect(configureButton_, &QPushButton::clicked, this, &MainWindow::configure);

    auto* featureBox = new QGroupBox(tr("Features"));
    auto* featureLayout = new QVBoxLayout(featureBox);
    featureLayout->addWidget(features_);
    featureLayout->addStretch();
    auto* panel = new QWidget;
    auto* layout = new QVBoxLayout(panel);
    layout->addWidget(makeViewButtons());
    layout->addWidget(histogram_);
    layout->addWidget(featureBox, 1);
    layout->addWidget(triggerButton_);
    layout->addWidget(configureButton_);
    layout->addWidget(makeFileButtons());
    return panel;
}

QString MainWindow::selectedCamera() const {
    return cameras_.cameraName(cameraList_->currentIndex().row());
}

void MainWindow::openSelected() {
    const QString name = selectedCamera();
    if (!name.isEmpty()) openCamera(name, portBox_->value());
}

bool MainWindow::openCamera(const QString& cameraName, int32_t port) {
    closeCamera();
    auto stream = std::make_unique<StreamSession>(plugin_.plugin(), cameraName, port);
    if (!stream->opened()) {
        statusBar()->showMessage(tr("Cannot open %1 on port %2").arg(cameraName).arg(port));
        cameraChanged();
        return false;
    }
    stream_ = std::move(stream);
    connect(stream_.get(), &StreamSession::framePresented, this, &MainWindow::showFrame);
    trigger_ = std::make_unique<SoftwareTrigger>(plugin_.plugin(), port, cameraName);
    droppedAtOpen_ = plugin_.diagnostics().droppedFrames(port);
    statistics_.restart(Clock::now(), 0);
    portBox_->setValue(port);
    cameraList_->setCurrentIndex(cameras_.index(static_cast<int>(cameras_.rowOf(cameraName))));
    cameraChanged();
    return true;
}

void MainWindow::closeCamera() {
    if (!stream_) return;
    stream_->close();
    stream_.reset();
    trigger_.reset();
    cameraChanged();
}

bool MainWindow::startStreaming() {
    const bool started = stream_ && stream_->start();
    if (stream_ && !started) statusBar()->showMessage(tr("The camera did not start streaming"));
    cameraChanged();
    return started;
}

void MainWindow::stopStreaming() {
    if (stream_) stream_->stop();
    cameraChanged();
}

void MainWindow::cameraChanged() {
    const bool open = stream_ != nullptr;
    closeButton_->setEnabled(open);
    streamButton_->setEnabled(open);
    streamButton_->setChecked(open && stream_->streaming());
    triggerButton_->setEnabled(trigger_ && trigger_->available());
    snapshotButton_->setEnabled(open);
    recordButton_->setEnabled(open);
    features_->setPort(open ? stream_->port() : -1);
    setWindowTitle(
        open ? tr("lvcview - %1 on port %2").arg(stream_->cameraName()).arg(stream_->port())
             : tr("lvcview"));
    updateStatus();
}

void MainWindow::configure() {
    const QString name = stream_ ? stream_->cameraName() : selectedCamera();
    if (name.isEmpty()) return;
    plugin_.plugin().configureCamera(0, name.toLocal8Bit().constData());
    if (!stream_) return;
    // The dialog may have changed the format, and the image size comes with openCVLPort.
    const int32_t port = stream_->port();
    const bool streaming = stream_->streaming();
    if (openCamera(name, port) && streaming) startStreaming();
}

void MainWindow::showFrame(const QImage& image, std::chrono::microseconds latency) {
    imageView_->showFrame(image);
    histogram_->showFrame(image);
    statistics_.addLatency(latency);
    recorder_.takeFrame(image);
}

void MainWindow::pulseTrigger() {
    if (trigger_ && !trigger_->pulse())
        statusBar()->showMessage(tr("The trigger pulse was refused"), kStatusMessageMs);
}

bool MainWindow::snapshot(const QString& path) {
    return stream_ && saveSnapshot(stream_->currentImage(), path);
}

bool MainWindow::record(const QString& folder, int count) {
    return stream_ && recorder_.start(folder, count);
}

void MainWindow::chooseSnapshot() {
    const QString path = QFileDialog::getSaveFileName(this, tr("Snapshot"), "snapshot.png",
                                                      tr("PNG images (*.png)"));
    if (!path.isEmpty() && !snapshot(path))
        statusBar()->showMessage(tr("Cannot write %1").arg(path), kStatusMessageMs);
}

void MainWindow::chooseRecording() {
    const QString folder = QFileDialog::getExistingDirectory(this, tr("Record to folder"));
    if (!folder.isEmpty() && !record(folder, recordCount_->value()))
        statusBar()->showMessage(tr("Cannot record into %1").arg(folder), kStatusMessageMs);
}

int32_t MainWindow::droppedFrames() const {
    return stream_ ? plugin_.diagnostics().droppedFrames(stream_->port()) - droppedAtOpen_ : 0;
}

QString MainWindow::statusText() const { return statusLabel_->text(); }

void MainWindow::updateStatus() {
    if (!stream_) {
        statusLabel_->setText(tr("No camera open"));
        return;
    }
    statistics_.tick(Clock::now(), stream_->framesReceived());
    statusLabel_->setText(
        tr("%1 fps | dropped %2 | ring full %3 | callback to display %4 ms (max %5 ms)")
            .arg(statistics_.framesPerSecond(), 0, 'f', 1)
            .arg(droppedFrames())
            .arg(stream_->framesSkipped())
            .arg(statistics_.meanLatencyMs(), 0, 'f', 1)
            .arg(statistics_.maxLatencyMs(), 0, 'f', 1));
}

void MainWindow::closeEvent(QCloseEvent* event) {
    closeCamera();
    event->accept();
}

}  // namespace lvcview
