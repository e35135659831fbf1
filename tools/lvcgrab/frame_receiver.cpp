#include "frame_receiver.h"

#include <atomic>

namespace lvcgrab {
namespace {

std::atomic<FrameReceiver*> activeReceiver{nullptr};

}  // namespace

FrameReceiver::FrameReceiver(lvc::host::PluginLibrary& plugin, OpenPort& port, std::size_t slots)
    : plugin_(plugin), port_(port), slots_(slots) {
    const uint32_t bytesPerPixel = port.bytesPerPixel();
    for (Frame& frame : slots_) {
        frame = {port.width(), port.height(), bytesPerPixel,
                 std::vector<uint8_t>(std::size_t{port.width()} * port.height() * bytesPerPixel)};
        free_.push_back(&frame);
    }
    activeReceiver = this;
    plugin_.setCompleteCallback(0, 0, onComplete);
}

FrameReceiver::~FrameReceiver() {
    port_.close();
    plugin_.setCompleteCallback(0, 0, nullptr);
    activeReceiver = nullptr;
}

// Runs on the driver's notification thread, inside the plug-in's frame hand-over: the rows
// are read here, while the frame is guaranteed to be the one that was announced.
void LVC_CALL FrameReceiver::onComplete(int32_t, int32_t port) {
    FrameReceiver* receiver = activeReceiver;
    if (receiver && port == OpenPort::kPort) receiver->receive();
}

void FrameReceiver::receive() {
    std::unique_lock lock(lock_);
    if (free_.empty()) {
        ++skipped_;
        return;
    }
    Frame* frame = free_.back();
    free_.pop_back();
    lock.unlock();
    const std::size_t rowBytes = std::size_t{frame->width} * frame->bytesPerPixel;
    for (uint32_t row = 0; row < frame->height; ++row)
        plugin_.getCVLGrabRow(0, OpenPort::kPort, frame->pixels.data() + row * rowBytes, row, 0,
                              frame->width - 1);
    lock.lock();
    ready_.push_back(frame);
    delivered_.notify_one();
}

Frame* FrameReceiver::waitFrame(std::chrono::steady_clock::time_point deadline) {
    std::unique_lock lock(lock_);
    if (!delivered_.wait_until(lock, deadline, [this] { return !ready_.empty(); })) return nullptr;
    Frame* frame = ready_.front();
    ready_.pop_front();
    return frame;
}

void FrameReceiver::release(Frame* frame) {
    std::lock_guard lock(lock_);
    free_.push_back(frame);
}

int32_t FrameReceiver::skippedFrames() const {
    std::lock_guard lock(lock_);
    return skipped_;
}

}  // namespace lvcgrab
