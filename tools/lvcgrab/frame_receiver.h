// The host side of frame delivery: the CompleteCallback copies every row of the port's
// frame into a free slot of a small pool, and the main thread takes the frames in order.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <vector>

#include "host_session.h"
#include "plugin_library.h"

namespace lvcgrab {

// A frame slower than this means the camera has stopped delivering.
inline constexpr std::chrono::seconds kFrameTimeout{10};
// Frames buffered between the callback and the main thread when the camera sets the pace.
inline constexpr std::size_t kContinuousSlots = 8;

struct Frame {
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t bytesPerPixel = 0;
    std::vector<uint8_t> pixels;  // rows top to bottom, BGR or grey
};

class FrameReceiver {
public:
    // Becomes the target of the plug-in's CompleteCallback for the open port, with slots
    // frames of the port's size.
    FrameReceiver(lvc::host::PluginLibrary& plugin, OpenPort& port, std::size_t slots);
    // Closes the port first, so that no callback is left running into the receiver.
    ~FrameReceiver();
    FrameReceiver(const FrameReceiver&) = delete;
    FrameReceiver& operator=(const FrameReceiver&) = delete;

    // The oldest delivered frame, or null when none arrives before the deadline. The frame
    // stays the caller's until release.
    Frame* waitFrame(std::chrono::steady_clock::time_point deadline);
    void release(Frame* frame);
    // Callbacks that found every slot taken, so their frame was not read.
    int32_t skippedFrames() const;

private:
    static void LVC_CALL onComplete(int32_t zero, int32_t port);
    void receive();

    lvc::host::PluginLibrary& plugin_;
    OpenPort& port_;
    std::vector<Frame> slots_;
    mutable std::mutex lock_;
    std::condition_variable delivered_;
    std::vector<Frame*> free_;
    std::deque<Frame*> ready_;
    int32_t skipped_ = 0;
};

}  // namespace lvcgrab
