// Host images allocated once, handed between the plug-in's completion callback (the
// writer) and the GUI thread (the reader) without locks: a slot is free, being filled,
// ready, or shown. When no slot is free the newest frame is dropped and counted, so the
// callback never waits for the GUI.
#pragma once

#include <QImage>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <vector>

namespace lvcview {

using Clock = std::chrono::steady_clock;

class FrameRing {
public:
    static constexpr std::size_t kSlots = 4;

    // Images of width x height, BGR when bytesPerPixel is 3, grey otherwise.
    FrameRing(uint32_t width, uint32_t height, uint32_t bytesPerPixel);

    // Writer: a free slot's rows to fill, or -1 (and one more dropped) when none is free.
    int beginFill();
    uchar* row(int slot, uint32_t row) {
        return rows_[static_cast<std::size_t>(slot)] + row * stride_;
    }
    // Writer: publishes a filled slot with the time its callback started.
    void publish(int slot, Clock::time_point completedAt);
    // Writer: gives back a slot whose frame could not be read.
    void abandon(int slot);

    // Reader: the newest ready slot, which becomes the shown one (the previously shown and
    // any older ready slots are freed), or -1 when nothing new arrived.
    int takeNewest();
    const QImage& image(int slot) const { return images_[static_cast<std::size_t>(slot)]; }
    Clock::time_point completedAt(int slot) const;

    uint32_t width() const { return width_; }
    uint32_t height() const { return height_; }
    uint32_t bytesPerPixel() const { return bytesPerPixel_; }
    // Frames published and frames dropped because the ring was full.
    int64_t published() const { return published_; }
    int64_t dropped() const { return dropped_; }

private:
    enum State : int { kFree, kFilling, kReady, kShown };
    struct Slot {
        std::atomic<int> state{kFree};
        std::atomic<int64_t> sequence{0};
        std::atomic<Clock::rep> completedAt{0};
    };

    uint32_t width_;
    uint32_t height_;
    uint32_t bytesPerPixel_;
    std::size_t stride_;
    std::array<QImage, kSlots> images_;
    // Taken once from each image, so the writer never touches a QImage (no detach).
    std::array<uchar*, kSlots> rows_{};
    std::array<Slot, kSlots> slots_;
    std::atomic<int64_t> published_{0};
    std::atomic<int64_t> dropped_{0};
};

}  // namespace lvcview
