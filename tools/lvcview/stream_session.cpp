#include "stream_session.h"

#include <QMetaObject>
#include <array>

namespace lvcview {
namespace {

constexpr int32_t kPortCount = 64;

// The session each port's callbacks go to. The plug-in has one callback for every port.
std::array<std::atomic<StreamSession*>, kPortCount> sessionOfPort{};
std::atomic<int64_t> callbacksWithoutSession{0};

bool validPort(int32_t port) { return port >= 0 && port < kPortCount; }

}  // namespace

StreamSession::StreamSession(lvc::host::PluginLibrary& plugin, const QString& cameraName,
                             int32_t port, QObject* parent)
    : QObject(parent), plugin_(plugin), cameraName_(cameraName), port_(port) {
    if (!validPort(port_)) return;
    uint32_t size[2] = {};
    const QByteArray name = cameraName_.toLocal8Bit();
    const bool portInUse = sessionOfPort[static_cast<std::size_t>(port_)] != nullptr;
    if (plugin_.openCVLPort(0, port_, name.constData(), size) != 1) {
        // A camera that was found but did not start keeps the port until it is closed; a
        // port another session holds stays as it is.
        if (!portInUse) plugin_.closeCVLPort(0, port_);
        return;
    }
    int32_t pixelSize = 8;
    plugin_.getProperty(0, port_, "PixelSize", &pixelSize);
    ring_ = std::make_unique<FrameRing>(size[0], size[1], pixelSize == 24 ? 3 : 1);
    open_ = true;
    sessionOfPort[static_cast<std::size_t>(port_)] = this;
    plugin_.setCompleteCallback(0, 0, onComplete);
}

StreamSession::~StreamSession() { close(); }

bool StreamSession::start() {
    if (!open_) return false;
    streaming_ = plugin_.setProperty(0, port_, "Continous", 1) == 1;
    return streaming_;
}

void StreamSession::stop() {
    if (!open_ || !streaming_) return;
    plugin_.setProperty(0, port_, "Continous", 0);
    streaming_ = false;
}

void StreamSession::close() {
    if (!open_) return;
    stop();
    open_ = false;
    // closeCVLPort returns once no callback for the port runs any more.
    plugin_.closeCVLPort(0, port_);
    sessionOfPort[static_cast<std::size_t>(port_)] = nullptr;
}

QImage StreamSession::currentImage() const {
    return ring_ && shownSlot_ >= 0 ? ring_->image(shownSlot_) : QImage();
}

int64_t StreamSession::lateCallbacks() { return callbacksWithoutSession; }

// Runs on the driver's notification thread, while the plug-in holds the announced frame.
void LVC_CALL StreamSession::onComplete(int32_t, int32_t port) {
    StreamSession* session =
        validPort(port) ? sessionOfPort[static_cast<std::size_t>(port)].load() : nullptr;
    if (session)
        session->receive();
    else
        ++callbacksWithoutSession;
}

void StreamSession::receive() {
    const Clock::time_point completedAt = Clock::now();
    const int slot = ring_->beginFill();
    if (slot < 0) return;
    const uint32_t lastColumn = ring_->width() - 1;
    for (uint32_t row = 0; row < ring_->height(); ++row) {
        if (plugin_.getCVLGrabRow(0, port_, ring_->row(slot, row), row, 0, lastColumn) != 1) {
            ring_->abandon(slot);
            ++unreadable_;
            return;
        }
    }
    ring_->publish(slot, completedAt);
    // One wake-up at a time: present() takes whatever is newest when it runs.
    if (!presentPending_.exchange(true))
        QMetaObject::invokeMethod(this, &StreamSession::present, Qt::QueuedConnection);
}

void StreamSession::present() {
    presentPending_ = false;
    if (!ring_) return;
    const int slot = ring_->takeNewest();
    if (slot < 0) return;
    shownSlot_ = slot;
    const auto latency = std::chrono::duration_cast<std::chrono::microseconds>(
        Clock::now() - ring_->completedAt(slot));
    emit framePresented(ring_->image(slot), latency);
}

}  // namespace lvcview
