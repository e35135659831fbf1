// The newest complete frame of a stream, kept in Aravis's own buffer until a newer one
// replaces it: the stream thread hands buffers in, a fetch converts the newest straight
// into the caller's buffer. No frame is copied on the stream thread, and nothing is
// allocated per frame. Thread-safe.
#pragma once

#include <arv.h>

#include <cstddef>
#include <cstdint>
#include <mutex>

#include "pixel_format_map.h"

namespace fwaravis {

class NewestFrame {
public:
    NewestFrame() = default;
    // Releases the frame it holds; the stream it came from is stopped by then.
    ~NewestFrame();
    NewestFrame(const NewestFrame&) = delete;
    NewestFrame& operator=(const NewestFrame&) = delete;

    // A stream starts: its frames have this layout and size; the frame of an earlier
    // stream is let go. Waits for a fetch in progress.
    void start(ArvStream* stream, const PixelFormatMapping& mapping, uint32_t width,
               uint32_t height);
    // The stream stops: buffers go back to it no more; the newest frame stays fetchable.
    // Waits for a fetch in progress.
    void stop();

    // On the stream thread: `buffer` holds a new complete frame of the started size. Returns
    // the buffer it replaces, for the stream to fill again, or null (none, or being read).
    ArvBuffer* replace(ArvBuffer* buffer);

    // Bytes of a frame in the library's coding; 0 before the first start.
    size_t frameBytes() const;
    // Converts the newest frame into `out` (`size` bytes, 0: large enough).
    int32_t copyNewest(void* out, size_t size);

private:
    // Under mutex_: a buffer no longer the newest goes back to the stream.
    void giveBack(ArvBuffer* buffer);

    std::mutex fetchMutex_;  // one fetch at a time; start and stop wait for it
    mutable std::mutex mutex_;
    ArvStream* stream_ = nullptr;
    ArvBuffer* newest_ = nullptr;
    ArvBuffer* reading_ = nullptr;  // the buffer a fetch converts outside mutex_
    PixelFormatMapping mapping_;
    uint32_t width_ = 0;
    uint32_t height_ = 0;
};

}  // namespace fwaravis
