// FWT_IRaw8CYGMToBGR_Bin.
#include "argument_checks.h"
#include "fw_status.h"
#include "fwtransform.h"
#include "kernels/kernel_set.h"

using namespace fwt;

FWT_API int32_t FWT_CALL FWT_IRaw8CYGMToBGR_Bin(uint8_t* out, const uint8_t* in, uint32_t width,
                                                uint32_t height, uint32_t bayerPattern) {
    if (int32_t status = checkImages(out, in)) return status;
    if (int32_t status = checkDimensions(width, height, 2, 3)) return status;
    if (int32_t status = checkBayerPattern(bayerPattern)) return status;
    activeKernels().cygmToBgr(out, in, width, height, bayerPattern);
    return FW_STATUS_OK;
}
