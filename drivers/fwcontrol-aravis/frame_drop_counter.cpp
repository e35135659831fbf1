#include "frame_drop_counter.h"

#include <algorithm>

namespace fwaravis {
namespace {

constexpr uint64_t kLargestShortId = 0xFFFF;
// A jump back further than half the 16-bit range is a restart of the camera's counter,
// not a wrap after lost frames.
constexpr uint64_t kLargestWrapGap = kLargestShortId / 2;

}  // namespace

void FrameDropCounter::reset() {
    lastId_.reset();
    failedWithoutId_ = 0;
}

uint64_t FrameDropCounter::framesSkipped(uint64_t frameId) const {
    const uint64_t last = *lastId_;
    if (frameId > last) return frameId - last - 1;
    if (last > kLargestShortId) return 0;
    const uint64_t wrapGap = (kLargestShortId - last) + (frameId - 1);
    return wrapGap <= kLargestWrapGap ? wrapGap : 0;
}

uint32_t FrameDropCounter::onBuffer(bool complete, uint64_t frameId) {
    uint32_t dropped = complete ? 0 : 1;
    if (frameId == 0) {
        if (!complete) ++failedWithoutId_;
        return dropped;
    }
    if (lastId_) {
        // Failed buffers without an id were frames of this gap: count them once.
        const uint64_t skipped = framesSkipped(frameId);
        const uint64_t unseen = skipped - std::min<uint64_t>(skipped, failedWithoutId_);
        dropped += static_cast<uint32_t>(std::min<uint64_t>(unseen, UINT32_MAX - 1));
    }
    failedWithoutId_ = 0;
    lastId_ = frameId;
    return dropped;
}

}  // namespace fwaravis
