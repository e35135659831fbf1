// FWT_Raw8ToBGR and FWT_Raw16ToBGR: the Bayer mosaic conversions.
#include "argument_checks.h"
#include "fw_status.h"
#include "fwtransform.h"
#include "kernels/kernel_set.h"

using namespace fwt;

namespace {

// The Bayer pattern that FWT_Raw16ToBGR's options name, or an FWT_ status when they are
// not a valid combination.
int32_t raw16Pattern(uint32_t options, uint32_t& pattern) {
    if ((options & ~(FWT_RAW16_MSB8 | FWT_RAW16_PATTERN_MASK)) != 0) return FWT_ERR_ARGUMENT;
    if ((options & FWT_RAW16_MSB8) == 0) return FWT_ERR_ARGUMENT;
    uint32_t field = (options & FWT_RAW16_PATTERN_MASK) >> FWT_RAW16_PATTERN_SHIFT;
    pattern = field == 0 ? uint32_t{FWT_BAYER_RGGB} : field - 1;
    return checkBayerPattern(pattern);
}

}  // namespace

FWT_API int32_t FWT_CALL FWT_Raw8ToBGR(uint8_t* out, const uint8_t* in, uint32_t width,
                                       uint32_t height, uint32_t bayerPattern) {
    if (int32_t status = checkImages(out, in)) return status;
    if (int32_t status = checkDimensions(width, height, 1, 3)) return status;
    if (int32_t status = checkBayerPattern(bayerPattern)) return status;
    activeKernels().raw8ToBgr(out, in, width, height, bayerPattern);
    return FW_STATUS_OK;
}

FWT_API int32_t FWT_CALL FWT_Raw16ToBGR(uint8_t* out, const uint8_t* in, uint32_t width,
                                        uint32_t height, uint32_t options) {
    if (int32_t status = checkImages(out, in)) return status;
    if (int32_t status = checkDimensions(width, height, 1, 3)) return status;
    uint32_t pattern = FWT_BAYER_RGGB;
    if (int32_t status = raw16Pattern(options, pattern)) return status;
    activeKernels().raw16ToBgr(out, in, width, height, pattern);
    return FW_STATUS_OK;
}
