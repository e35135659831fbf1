#include "frame_ring.h"

#include <algorithm>

namespace fwc {

void FrameRing::reset(uint32_t slots, size_t frameBytes) {
    slots = std::max<uint32_t>(slots, 1);
    if (slots_.size() != slots || staging_.size() != frameBytes) {
        slots_.assign(slots, std::vector<uint8_t>(frameBytes));
        numbers_.assign(slots, 0);
        staging_.assign(frameBytes, 0);
    }
    next_ = 0;
    unfetched_ = UnfetchedFrames(slots);
    hasFrame_ = false;
}

bool FrameRing::commit(uint32_t frameNumber) {
    slots_[next_].swap(staging_);
    numbers_[next_] = frameNumber;
    next_ = (next_ + 1) % slots_.size();
    hasFrame_ = true;
    return unfetched_.completed();
}

}  // namespace fwc
