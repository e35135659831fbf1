// FWT_YUV411ToBGR and FWT_YUV422ToBGR.
#include "argument_checks.h"
#include "fw_status.h"
#include "fwtransform.h"
#include "kernels/kernel_set.h"

using namespace fwt;

FWT_API int32_t FWT_CALL FWT_YUV411ToBGR(uint8_t* out, const uint8_t* in, uint32_t pixelCount) {
    if (int32_t status = checkImages(out, in)) return status;
    if (int32_t status = checkPixelCount(pixelCount, 4, 3)) return status;
    activeKernels().yuv411ToBgr(out, in, pixelCount / 4);
    return FW_STATUS_OK;
}

FWT_API int32_t FWT_CALL FWT_YUV422ToBGR(uint8_t* out, const uint8_t* in, uint32_t pixelCount) {
    if (int32_t status = checkImages(out, in)) return status;
    if (int32_t status = checkPixelCount(pixelCount, 2, 3)) return status;
    activeKernels().yuv422ToBgr(out, in, pixelCount / 2);
    return FW_STATUS_OK;
}
