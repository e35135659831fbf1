// A camera open on a port of the plug-in, streaming in its continuous mode: the completion
// callback copies the frame's rows into the frame ring and wakes the GUI thread with a
// queued call, which shows the newest frame.
#pragma once

#include <QImage>
#include <QObject>
#include <QString>
#include <atomic>
#include <chrono>
#include <memory>

#include "frame_ring.h"
#include "plugin_library.h"

namespace lvcview {

class StreamSession : public QObject {
    Q_OBJECT
public:
    // Opens the camera on the port; opened() tells whether it worked.
    StreamSession(lvc::host::PluginLibrary& plugin, const QString& cameraName, int32_t port,
                  QObject* parent = nullptr);
    // Closes the port: no callback into the session runs after it.
    ~StreamSession() override;
    StreamSession(const StreamSession&) = delete;
    StreamSession& operator=(const StreamSession&) = delete;

    bool opened() const { return open_; }
    const QString& cameraName() const { return cameraName_; }
    int32_t port() const { return port_; }
    bool streaming() const { return streaming_; }
    // False when the plug-in refused the continuous mode.
    bool start();
    void stop();
    // Stops and closes the port now; repeated calls do nothing.
    void close();

    // The frame on display: empty before the first.
    QImage currentImage() const;
    // Frames the callback published, dropped because the ring was full, or could not read.
    int64_t framesReceived() const { return ring_ ? ring_->published() : 0; }
    int64_t framesSkipped() const { return ring_ ? ring_->dropped() : 0; }
    int64_t framesUnreadable() const { return unreadable_; }
    // Completion callbacks that arrived for a port without a session, in this process.
    static int64_t lateCallbacks();

signals:
    // On the GUI thread: a new frame is on display, latency from its callback to now.
    void framePresented(const QImage& image, std::chrono::microseconds latency);

private:
    static void LVC_CALL onComplete(int32_t zero, int32_t port);
    void receive();
    void present();

    lvc::host::PluginLibrary& plugin_;
    QString cameraName_;
    int32_t port_;
    std::unique_ptr<FrameRing> ring_;
    int shownSlot_ = -1;
    bool open_ = false;
    bool streaming_ = false;
    std::atomic<bool> presentPending_{false};
    std::atomic<int64_t> unreadable_{0};
};

}  // namespace lvcview
