#include "frame_ring.h"

namespace lvcview {

FrameRing::FrameRing(uint32_t width, uint32_t height, uint32_t bytesPerPixel)
    : width_(width), height_(height), bytesPerPixel_(bytesPerPixel == 3 ? 3 : 1) {
    const QImage::Format format =
        bytesPerPixel_ == 3 ? QImage::Format_BGR888 : QImage::Format_Grayscale8;
    for (std::size_t slot = 0; slot < kSlots; ++slot) {
        images_[slot] = QImage(static_cast<int>(width), static_cast<int>(height), format);
        images_[slot].fill(0);
        rows_[slot] = images_[slot].bits();
    }
    stride_ = static_cast<std::size_t>(images_[0].bytesPerLine());
}

int FrameRing::beginFill() {
    for (std::size_t slot = 0; slot < kSlots; ++slot) {
        int expected = kFree;
        if (slots_[slot].state.compare_exchange_strong(expected, kFilling,
                                                       std::memory_order_acquire))
            return static_cast<int>(slot);
    }
    ++dropped_;
    return -1;
}

void FrameRing::publish(int slot, Clock::time_point completedAt) {
    Slot& target = slots_[static_cast<std::size_t>(slot)];
    target.sequence.store(++published_, std::memory_order_relaxed);
    target.completedAt.store(completedAt.time_since_epoch().count(), std::memory_order_relaxed);
    target.state.store(kReady, std::memory_order_release);
}

void FrameRing::abandon(int slot) {
    slots_[static_cast<std::size_t>(slot)].state.store(kFree, std::memory_order_release);
}

int FrameRing::takeNewest() {
    int newest = -1;
    int64_t newestSequence = 0;
    for (std::size_t slot = 0; slot < kSlots; ++slot) {
        if (slots_[slot].state.load(std::memory_order_acquire) != kReady) continue;
        const int64_t sequence = slots_[slot].sequence.load(std::memory_order_relaxed);
        if (sequence > newestSequence) {
            newest = static_cast<int>(slot);
            newestSequence = sequence;
        }
    }
    if (newest < 0) return -1;
    for (std::size_t slot = 0; slot < kSlots; ++slot) {
        const int state = slots_[slot].state.load(std::memory_order_relaxed);
        const bool older = state == kReady &&
                           slots_[slot].sequence.load(std::memory_order_relaxed) < newestSequence;
        if (state == kShown || older) slots_[slot].state.store(kFree, std::memory_order_release);
    }
    slots_[static_cast<std::size_t>(newest)].state.store(kShown, std::memory_order_relaxed);
    return newest;
}

Clock::time_point FrameRing::completedAt(int slot) const {
    return Clock::time_point(
        Clock::duration(slots_[static_cast<std::size_t>(slot)].completedAt.load()));
}

}  // namespace lvcview
