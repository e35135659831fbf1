// Where a camera session delivers its frames and events: the camera's newest frame and the
// library's notification hub. The calls come on Aravis's threads; an implementation only stores
// and raises, it never runs a host's callback there.
#pragma once

#include <cstddef>
#include <cstdint>

#include "newest_frame.h"

namespace fwaravis {

class StreamListener {
public:
    virtual ~StreamListener() = default;
    // Where the stream's frames go; the same for the listener's life.
    virtual NewestFrame& newestFrame() = 0;
    // On the stream thread: whether the listener takes a frame of `bytes` in the library's
    // coding (it counts its own drops).
    virtual bool wantsFrame(size_t bytes) = 0;
    // On the stream thread: the frame it took is newestFrame()'s newest now.
    virtual void frameCompleted(uint64_t frameId) = 0;
    // On the stream thread: frames lost (failed buffers, gaps in the frame ids).
    virtual void framesDropped(uint32_t count) = 0;
    // On Aravis's heartbeat thread or the liveness worker: the camera is gone.
    virtual void controlLost() = 0;
};

}  // namespace fwaravis
