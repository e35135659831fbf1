// What a real bus camera's acquisition still asks for: frames without end, or a count of
// them, to which a further multishot adds its own. Not thread-safe: the camera guards it
// with the lock its frame thread takes.
#pragma once

#include <algorithm>
#include <cstdint>

#include "fwcontrol.h"

namespace fwc {

class AcquisitionPlan {
public:
    enum class Start { fresh, added, refused };

    // A start (count, FWC_GRAB_CONTINUOUS for no end) against the plan in flight: fresh
    // when none is, added when a multishot joins counted multishots, refused otherwise.
    Start join(uint32_t count, bool multiShot) {
        if (!wantsFrames()) return Start::fresh;
        if (!multiShot || !multiShot_ || continuous_ || count == FWC_GRAB_CONTINUOUS)
            return Start::refused;
        framesLeft_ = static_cast<uint32_t>(
            std::min<uint64_t>(uint64_t{framesLeft_} + count, FWC_GRAB_CONTINUOUS - 1));
        return Start::added;
    }
    void begin(uint32_t count, bool multiShot) {
        continuous_ = count == FWC_GRAB_CONTINUOUS;
        multiShot_ = multiShot;
        framesLeft_ = continuous_ ? 0 : count;
        acquiring_ = true;
    }
    void end() { acquiring_ = false; }

    bool acquiring() const { return acquiring_; }
    bool wantsFrames() const { return acquiring_ && (continuous_ || framesLeft_ > 0); }
    // A frame was delivered: one fewer is wanted.
    void frameTaken() {
        if (!continuous_ && framesLeft_ > 0) --framesLeft_;
    }

private:
    bool acquiring_ = false;
    bool continuous_ = false;
    bool multiShot_ = false;
    uint32_t framesLeft_ = 0;  // counted acquisition; 0 when continuous
};

}  // namespace fwc
