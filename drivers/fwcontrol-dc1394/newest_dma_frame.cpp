#include "newest_dma_frame.h"

#include <cstring>

#include "fw_status.h"

namespace fwdc1394 {

void NewestDmaFrame::start(uint32_t buffers, size_t frameBytes) {
    std::lock_guard fetchLock(fetchMutex_);
    std::lock_guard lock(mutex_);
    outstanding_.clear();
    outstanding_.reserve(buffers);
    copy_.resize(frameBytes);
    frameBytes_ = frameBytes;
    newest_ = nullptr;
    hasFrame_ = false;
    capturing_ = true;
}

void NewestDmaFrame::stop() {
    std::lock_guard fetchLock(fetchMutex_);
    std::lock_guard lock(mutex_);
    if (!capturing_) return;
    if (newest_ != nullptr) std::memcpy(copy_.data(), newest_->image, frameBytes_);
    newest_ = nullptr;
    outstanding_.clear();
    capturing_ = false;
}

void NewestDmaFrame::taken(dc1394video_frame_t* frame) {
    std::lock_guard lock(mutex_);
    outstanding_.push_back(frame);
}

void NewestDmaFrame::replace(dc1394video_frame_t* frame) {
    std::lock_guard lock(mutex_);
    newest_ = frame;
    hasFrame_ = true;
}

dc1394video_frame_t* NewestDmaFrame::nextToGiveBack() {
    {
        std::lock_guard lock(mutex_);
        if (outstanding_.empty()) return nullptr;
        dc1394video_frame_t* oldest = outstanding_.front();
        if (oldest != newest_ && oldest != reading_) {
            outstanding_.erase(outstanding_.begin());
            return oldest;
        }
        const bool holdsUp = oldest == newest_ && oldest != reading_ && outstanding_.size() > 1;
        if (!holdsUp) return nullptr;
    }
    return releaseOldest();
}

dc1394video_frame_t* NewestDmaFrame::releaseOldest() {
    std::lock_guard fetchLock(fetchMutex_);
    std::lock_guard lock(mutex_);
    if (outstanding_.empty()) return nullptr;
    dc1394video_frame_t* oldest = outstanding_.front();
    if (oldest == newest_) {
        std::memcpy(copy_.data(), oldest->image, frameBytes_);
        newest_ = nullptr;
    }
    outstanding_.erase(outstanding_.begin());
    return oldest;
}

uint32_t NewestDmaFrame::outstanding() const {
    std::lock_guard lock(mutex_);
    return static_cast<uint32_t>(outstanding_.size());
}

size_t NewestDmaFrame::frameBytes() const {
    std::lock_guard lock(mutex_);
    return frameBytes_;
}

int32_t NewestDmaFrame::copyNewest(void* out, uint32_t size) {
    std::lock_guard fetchLock(fetchMutex_);
    const uint8_t* source = nullptr;
    {
        std::lock_guard lock(mutex_);
        if (!hasFrame_) return FWC_ERR_NO_FRAME;
        if (size != 0 && size < frameBytes_) return FWC_ERR_BUFFER_TOO_SMALL;
        reading_ = newest_;
        source = newest_ != nullptr ? newest_->image : copy_.data();
    }
    // The capture thread may replace the newest meanwhile, but gives this frame back only
    // once the copy is done; the copy changes only under fetchMutex_.
    std::memcpy(out, source, frameBytes_);
    std::lock_guard lock(mutex_);
    reading_ = nullptr;
    return FW_STATUS_OK;
}

}  // namespace fwdc1394
