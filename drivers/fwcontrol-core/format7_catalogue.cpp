#include "format7_catalogue.h"

#include "fw_status.h"
#include "fwcontrol.h"

namespace fwc {

int32_t format7Entry(const std::vector<Format7Mode>& modes, uint32_t position,
                     Format7Entry& entry) {
    for (const Format7Mode& candidate : modes) {
        if (position < candidate.codings.size()) {
            entry = {candidate.mode, candidate.codings[position], candidate.maxWidth,
                     candidate.maxHeight};
            return FW_STATUS_OK;
        }
        position -= static_cast<uint32_t>(candidate.codings.size());
    }
    return FWC_ERR_ENUM_END;
}

int32_t format7Info(const std::vector<Format7Mode>& modes, uint32_t mode, uint32_t kind,
                    uint32_t& value) {
    const Format7Mode* found = findFormat7Mode(modes, mode);
    if (found == nullptr) return FWC_ERR_NO_FREE_MODE;
    switch (kind) {
    case FWC_FREEMODE_MAX_WIDTH: value = found->maxWidth; return FW_STATUS_OK;
    case FWC_FREEMODE_MAX_HEIGHT: value = found->maxHeight; return FW_STATUS_OK;
    case FWC_FREEMODE_UNIT_WIDTH: value = found->unitWidth; return FW_STATUS_OK;
    case FWC_FREEMODE_UNIT_HEIGHT: value = found->unitHeight; return FW_STATUS_OK;
    case FWC_FREEMODE_UNIT_LEFT: value = found->unitLeft; return FW_STATUS_OK;
    case FWC_FREEMODE_UNIT_TOP: value = found->unitTop; return FW_STATUS_OK;
    default: return FWC_ERR_INVALID_ARGUMENT;
    }
}

}  // namespace fwc
