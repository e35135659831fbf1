// Frames lost between the buffers a stream delivers: buffers that did not complete, and
// gaps in the frame ids. GigE Vision's 16-bit block ids wrap from 65535 to 1 (0 means
// "no id"); extended and USB3 Vision ids are 64-bit and do not wrap in practice.
#pragma once

#include <cstdint>
#include <optional>

namespace fwaravis {

class FrameDropCounter {
public:
    // A new acquisition: the next id starts afresh.
    void reset();
    // Frames lost up to and including this buffer; frameId 0: the buffer carries no id.
    uint32_t onBuffer(bool complete, uint64_t frameId);

private:
    uint64_t framesSkipped(uint64_t frameId) const;

    std::optional<uint64_t> lastId_;
    uint32_t failedWithoutId_ = 0;
};

}  // namespace fwaravis
