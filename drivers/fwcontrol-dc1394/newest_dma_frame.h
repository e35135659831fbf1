// The newest frame of a capture, kept in libdc1394's own DMA buffer until a newer one
// replaces it: a fetch copies it straight into the caller's buffer, and the capture thread
// copies no frame. Tracks every frame taken out of libdc1394's ring so that they go back
// in the order they came out: libdc1394 hands out its buffers in ring order, and its next
// dequeue would wait for good on a buffer still out. No frame goes back while a fetch
// reads it. A newest frame that holds up frames behind it (corrupt ones, or frames after a
// counted acquisition) moves into a copy of its own, as it does when the capture stops;
// the copy is sized at start, and nothing is allocated per frame. Thread-safe; it makes no
// libdc1394 call.
#pragma once

#include <dc1394/dc1394.h>

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

namespace fwdc1394 {

class NewestDmaFrame {
public:
    // A capture of `buffers` DMA buffers starts, its frames `frameBytes` long: no frame is
    // fetchable until the first one arrives. Allocates only when a size grows. Waits for a
    // fetch in progress.
    void start(uint32_t buffers, size_t frameBytes);
    // The capture stops before libdc1394 frees its buffers: the newest moves into the copy
    // and stays fetchable, and no frame goes back any more. Waits for a fetch in progress.
    void stop();

    // On the capture thread, for every frame dequeued, in the order they come out.
    void taken(dc1394video_frame_t* frame);
    // On the capture thread: a taken frame of frameBytes() becomes the newest.
    void replace(dc1394video_frame_t* frame);
    // On the capture thread: the oldest taken frame, when it may go back to libdc1394 now
    // (as the newest with frames behind it, it moves into the copy first); null when there
    // is none, it is the newest and alone, or a fetch reads it.
    dc1394video_frame_t* nextToGiveBack();
    // On the capture thread: the oldest taken frame, after the fetch reading it, if any;
    // as the newest it moves into the copy first.
    dc1394video_frame_t* releaseOldest();
    // Frames taken and not yet given back.
    uint32_t outstanding() const;

    size_t frameBytes() const;
    // Copies the newest frame into `out` (`size` bytes, 0: large enough).
    int32_t copyNewest(void* out, uint32_t size);

private:
    std::mutex fetchMutex_;  // one fetch at a time; start and stop wait for it
    mutable std::mutex mutex_;
    std::vector<dc1394video_frame_t*> outstanding_;  // oldest first
    dc1394video_frame_t* newest_ = nullptr;          // null: the copy holds the newest, if any
    const dc1394video_frame_t* reading_ = nullptr;   // the frame a fetch copies outside mutex_
    std::vector<uint8_t> copy_;                      // the newest once it left libdc1394's buffer
    size_t frameBytes_ = 0;
    bool hasFrame_ = false;
    bool capturing_ = false;
};

}  // namespace fwdc1394
