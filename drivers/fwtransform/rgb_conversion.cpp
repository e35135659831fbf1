// FWT_RGB8ToBGR.
#include "argument_checks.h"
#include "fw_status.h"
#include "fwtransform.h"
#include "kernels/kernel_set.h"

using namespace fwt;

FWT_API int32_t FWT_CALL FWT_RGB8ToBGR(uint8_t* out, const uint8_t* in, uint32_t pixelCount) {
    if (int32_t status = checkImages(out, in)) return status;
    if (int32_t status = checkPixelCount(pixelCount, 1, 3)) return status;
    activeKernels().rgbToBgr(out, in, pixelCount);
    return FW_STATUS_OK;
}
