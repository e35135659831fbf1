// Lost frames seen in frame timestamps. IIDC frames carry no counter, and libdc1394 stamps
// each with the host's clock at completion: a frame lost on the way shows as an interval
// of about two periods. The period is learnt from the intervals themselves (a moving
// average that gaps do not enter), since a Format 7 mode's rate depends on its packet
// size and bus.
#pragma once

#include <cstdint>

namespace fwdc1394 {

class TimestampGap {
public:
    // Forgets the stream: the next frame starts a new one.
    void reset();
    // The next frame's timestamp in microseconds; true when frames were lost before it.
    bool lostBefore(uint64_t timestampUs);

private:
    uint64_t last_ = 0;
    double period_ = 0.0;
    uint32_t intervals_ = 0;
};

}  // namespace fwdc1394
