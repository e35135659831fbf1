// The camera's frame buffers: completed frames wait here until the consumer fetches
// the newest. A frame completed into a full ring pushes out the oldest (a drop).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "unfetched_frames.h"

namespace fwc {

class FrameRing {
public:
    // Sizes the ring (allocates only when the size changes) and empties it.
    void reset(uint32_t slots, size_t frameBytes);

    // The buffer the next frame is encoded into, outside any lock.
    std::vector<uint8_t>& staging() { return staging_; }
    // Makes the staging buffer the newest completed frame. Returns true when the ring was
    // full and its oldest frame was dropped.
    bool commit(uint32_t frameNumber);

    bool hasFrame() const { return hasFrame_; }
    uint32_t waiting() const { return unfetched_.count(); }
    const std::vector<uint8_t>& newest() const { return slots_[newestIndex()]; }
    uint32_t newestNumber() const { return numbers_[newestIndex()]; }
    // The consumer took the newest frame: the older waiting frames are skipped.
    void markFetched() { unfetched_.clear(); }
    size_t frameBytes() const { return staging_.size(); }

private:
    size_t newestIndex() const { return (next_ + slots_.size() - 1) % slots_.size(); }

    std::vector<std::vector<uint8_t>> slots_;
    std::vector<uint32_t> numbers_;
    std::vector<uint8_t> staging_;
    size_t next_ = 0;
    UnfetchedFrames unfetched_;
    bool hasFrame_ = false;
};

}  // namespace fwc
