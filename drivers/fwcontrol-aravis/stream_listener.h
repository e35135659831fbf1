// Where a camera session delivers its frames and events: the library's frame ring and
// notification hub. The calls come on Aravis's threads; an implementation only stores
// and raises, it never runs a host's callback there.
#pragma once

#include <cstddef>
#include <cstdint>

namespace fwaravis {

class StreamListener {
public:
    virtual ~StreamListener() = default;
    // On the stream thread: the buffer the next frame is converted into, `bytes` long;
    // null when the listener does not take this frame (it counts its own drops).
    virtual uint8_t* frameDestination(size_t bytes) = 0;
    // On the stream thread: the frame written to frameDestination is complete.
    virtual void frameCompleted(uint64_t frameId) = 0;
    // On the stream thread: frames lost (failed buffers, gaps in the frame ids).
    virtual void framesDropped(uint32_t count) = 0;
    // On Aravis's heartbeat thread or the liveness worker: the camera is gone.
    virtual void controlLost() = 0;
};

}  // namespace fwaravis
