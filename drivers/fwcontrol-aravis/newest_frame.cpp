#include "newest_frame.h"

#include "frame_conversion.h"
#include "fw_status.h"

namespace fwaravis {

NewestFrame::~NewestFrame() {
    if (newest_ != nullptr) g_object_unref(newest_);
}

void NewestFrame::giveBack(ArvBuffer* buffer) {
    if (stream_ != nullptr)
        arv_stream_push_buffer(stream_, buffer);
    else
        g_object_unref(buffer);
}

void NewestFrame::start(ArvStream* stream, const PixelFormatMapping& mapping, uint32_t width,
                        uint32_t height) {
    std::lock_guard fetchLock(fetchMutex_);
    std::lock_guard lock(mutex_);
    if (newest_ != nullptr) g_object_unref(newest_);
    newest_ = nullptr;
    stream_ = stream;
    mapping_ = mapping;
    width_ = width;
    height_ = height;
}

void NewestFrame::stop() {
    std::lock_guard fetchLock(fetchMutex_);
    std::lock_guard lock(mutex_);
    stream_ = nullptr;
}

ArvBuffer* NewestFrame::replace(ArvBuffer* buffer) {
    std::lock_guard lock(mutex_);
    ArvBuffer* replaced = newest_;
    newest_ = buffer;
    return replaced == reading_ ? nullptr : replaced;
}

size_t NewestFrame::frameBytes() const {
    std::lock_guard lock(mutex_);
    return codingFrameBytes(mapping_.coding, width_, height_);
}

int32_t NewestFrame::copyNewest(void* out, size_t size) {
    std::lock_guard fetchLock(fetchMutex_);
    ArvBuffer* buffer = nullptr;
    {
        std::lock_guard lock(mutex_);
        if (newest_ == nullptr) return FWC_ERR_NO_FRAME;
        if (size != 0 && size < codingFrameBytes(mapping_.coding, width_, height_))
            return FWC_ERR_BUFFER_TOO_SMALL;
        buffer = reading_ = newest_;
    }
    // The stream thread may replace the newest meanwhile, but never refills this buffer.
    size_t bytes = 0;
    const auto* data = static_cast<const uint8_t*>(arv_buffer_get_image_data(buffer, &bytes));
    convertFrame(mapping_, data, static_cast<uint8_t*>(out), width_, height_);
    std::lock_guard lock(mutex_);
    reading_ = nullptr;
    if (buffer != newest_) giveBack(buffer);
    return FW_STATUS_OK;
}

}  // namespace fwaravis
