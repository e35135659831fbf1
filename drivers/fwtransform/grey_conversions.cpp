// The grey conversions: FWT_Y16ToY8 and FWT_InterlacedToProgressive.
#include <cstring>

#include "argument_checks.h"
#include "fw_status.h"
#include "fwtransform.h"
#include "kernels/kernel_set.h"

using namespace fwt;

FWT_API int32_t FWT_CALL FWT_Y16ToY8(uint8_t* out, const uint8_t* in, uint32_t pixelCount) {
    if (int32_t status = checkImages(out, in)) return status;
    if (int32_t status = checkPixelCount(pixelCount, 1, 2)) return status;
    activeKernels().grey16ToGrey8(out, in, pixelCount);
    return FW_STATUS_OK;
}

FWT_API int32_t FWT_CALL FWT_InterlacedToProgressive(uint8_t* out, const uint8_t* in,
                                                     uint32_t width, uint32_t height) {
    if (int32_t status = checkImages(out, in)) return status;
    if (int32_t status = checkDimensions(width, height, 1, 1)) return status;
    std::size_t evenRows = (static_cast<std::size_t>(height) + 1) / 2;
    for (std::size_t row = 0; row < height; ++row) {
        std::size_t fieldRow = row % 2 == 0 ? row / 2 : evenRows + row / 2;
        std::memcpy(out + row * width, in + fieldRow * width, width);
    }
    return FW_STATUS_OK;
}
