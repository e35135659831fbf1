// The viewer's window: the camera list, the live picture with its histogram, the feature
// and trigger controls, snapshot and recording, the log pane and the status line.
#pragma once

#include <QMainWindow>
#include <QTimer>
#include <memory>

#include "camera_list_model.h"
#include "feature_controls.h"
#include "frame_recorder.h"
#include "histogram_view.h"
#include "image_view.h"
#include "log_pane.h"
#include "plugin_session.h"
#include "software_trigger.h"
#include "stream_session.h"
#include "stream_statistics.h"

class QLabel;
class QListView;
class QPushButton;
class QSpinBox;

namespace lvcview {

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(PluginSession& plugin, QWidget* parent = nullptr);
    // Closes the open camera before the widgets go.
    ~MainWindow() override;

    // Initialises the plug-in, now that the window shows its lines, and lists the cameras.
    bool start(const std::string& systemDirectory);
    // Opens the camera on the port, closing the one open before. False, with the reason in
    // the status bar, when the plug-in refused it.
    bool openCamera(const QString& cameraName, int32_t port);
    void closeCamera();
    bool startStreaming();
    void stopStreaming();
    // Runs the plug-in's configuration dialog for the open camera (or the one chosen in the
    // list) on this thread; the camera is then opened again with its new format and the
    // controls read again.
    void configure();
    bool snapshot(const QString& path);
    bool record(const QString& folder, int count);

    StreamSession* session() const { return stream_.get(); }
    CameraListModel& cameras() { return cameras_; }
    ImageView& imageView() const { return *imageView_; }
    HistogramView& histogram() const { return *histogram_; }
    FeatureControls& features() const { return *features_; }
    LogPane& log() const { return *log_; }
    FrameRecorder& recorder() { return recorder_; }
    // The status line's figures as shown.
    QString statusText() const;
    // Frames dropped on the open port, as the plug-in reported them.
    int32_t droppedFrames() const;

public slots:
    void updateStatus();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* makeCameraPanel();
    QWidget* makeControlPanel();
    QWidget* makeViewButtons();
    QWidget* makeFileButtons();
    void showFrame(const QImage& image, std::chrono::microseconds latency);
    void openSelected();
    void pulseTrigger();
    void chooseSnapshot();
    void chooseRecording();
    void cameraChanged();
    QString selectedCamera() const;

    PluginSession& plugin_;
    CameraListModel cameras_;
    std::unique_ptr<StreamSession> stream_;
    std::unique_ptr<SoftwareTrigger> trigger_;
    StreamStatistics statistics_;
    FrameRecorder recorder_;
    QTimer statusTimer_;
    int32_t droppedAtOpen_ = 0;

    QListView* cameraList_ = nullptr;
    QSpinBox* portBox_ = nullptr;
    QPushButton* openButton_ = nullptr;
    QPushButton* closeButton_ = nullptr;
    QPushButton* streamButton_ = nullptr;
    QPushButton* triggerButton_ = nullptr;
    QPushButton* configureButton_ = nullptr;
    QPushButton* snapshotButton_ = nullptr;
    QPushButton* recordButton_ = nullptr;
    QSpinBox* recordCount_ = nullptr;
    ImageView* imageView_ = nullptr;
    HistogramView* histogram_ = nullptr;
    FeatureControls* features_ = nullptr;
    LogPane* log_ = nullptr;
    QLabel* statusLabel_ = nullptr;
    QLabel* pixelLabel_ = nullptr;
};

}  // namespace lvcview
