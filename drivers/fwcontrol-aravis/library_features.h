// The library's features that are no GenICam feature of the same kind: FRAMECOUNTER (the
// newest frame's id as the camera numbered it), CYCLETIME (the camera's clock in µs; both
// wrap to 0 after 0xFFFFFFFE, the clock after about 71 minutes), USERPROFILE
// (its user sets; ONE_PUSH saves into the selected one), FRAMEBUFFERCOUNT (the stream's
// buffers from the next start) and DO_BUSTRIGGER (1 fires a software trigger).
// Serialised by the camera's control lock, but for frameArrived, on the stream thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <vector>

#include "camera_description.h"
#include "genicam_access.h"

namespace fwaravis {

class LibraryFeatures {
public:
    static bool serves(uint32_t id);
    // Carried back to the camera by a settings file: not a read-only feature or an action.
    static bool isSetting(uint32_t id);

    // The ones the camera has, with their ranges, statuses and present values.
    void describe(const GenicamAccess& genicam, std::vector<fwc::Feature>& features) const;
    int32_t value(const GenicamAccess& genicam, uint32_t id, uint32_t& value) const;
    // FWC_ERR_INVALID_ARGUMENT for the read-only ones.
    int32_t setValue(const GenicamAccess& genicam, uint32_t id, uint32_t value);
    int32_t status(const GenicamAccess& genicam, uint32_t id, uint32_t& status) const;
    int32_t setStatus(const GenicamAccess& genicam, uint32_t id, uint32_t status) const;

    uint32_t streamBuffers() const { return streamBuffers_; }
    void frameArrived(uint64_t frameId) { newestFrameId_ = frameId; }

private:
    int32_t bounds(const GenicamAccess& genicam, uint32_t id, uint32_t& min, uint32_t& max) const;
    bool hasStatus(const GenicamAccess& genicam, uint32_t id, uint32_t status) const;

    // Enough that the stream thread always has one while frames convert.
    uint32_t streamBuffers_ = 6;
    std::atomic<uint64_t> newestFrameId_{0};
};

}  // namespace fwaravis
