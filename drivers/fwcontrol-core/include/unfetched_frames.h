// The frames completed since the consumer last fetched, as many as a ring of `slots` holds:
// a frame completed into a full ring pushes out the oldest, which counts as dropped. The
// real buses keep only the newest frame in the driver's buffers, yet count as a ring of
// kBusRingSlots would. Not thread-safe: the owner guards it with its own lock.
#pragma once

#include <cstdint>

namespace fwc {

class UnfetchedFrames {
public:
    static constexpr uint32_t kBusRingSlots = 4;

    explicit UnfetchedFrames(uint32_t slots = kBusRingSlots) : slots_(slots) {}

    // A frame completed. Returns true when the ring was full and its oldest was pushed out.
    bool completed() {
        if (count_ == slots_) return true;
        ++count_;
        return false;
    }
    // The consumer fetched the newest, or an acquisition starts: none is waiting.
    void clear() { count_ = 0; }
    uint32_t count() const { return count_; }

private:
    uint32_t slots_;
    uint32_t count_ = 0;
};

}  // namespace fwc
