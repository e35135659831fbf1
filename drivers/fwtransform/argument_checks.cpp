#include "argument_checks.h"

#include <cstddef>
#include <limits>

#include "fw_status.h"
#include "fwtransform.h"

namespace fwt {
namespace {

// The image must be addressable as one object on this platform (32-bit builds too).
bool addressable(uint64_t pixels, uint32_t bytesPerPixel) {
    constexpr uint64_t kLimit = static_cast<uint64_t>(std::numeric_limits<std::ptrdiff_t>::max());
    return pixels <= kLimit / bytesPerPixel;
}

}  // namespace

int32_t checkImages(const void* out, const void* in) {
    return out && in ? FW_STATUS_OK : FWT_ERR_NULL_POINTER;
}

int32_t checkPixelCount(uint32_t pixelCount, uint32_t groupPixels, uint32_t bytesPerPixel) {
    if (pixelCount == 0) return FWT_ERR_ZERO_SIZE;
    if (pixelCount % groupPixels != 0) return FWT_ERR_ODD_SIZE;
    if (!addressable(pixelCount, bytesPerPixel)) return FWT_ERR_SIZE_OVERFLOW;
    return FW_STATUS_OK;
}

int32_t checkDimensions(uint32_t width, uint32_t height, uint32_t cellSize,
                        uint32_t bytesPerPixel) {
    if (width == 0 || height == 0) return FWT_ERR_ZERO_SIZE;
    if (width % cellSize != 0 || height % cellSize != 0) return FWT_ERR_ODD_SIZE;
    if (!addressable(static_cast<uint64_t>(width) * height, bytesPerPixel))
        return FWT_ERR_SIZE_OVERFLOW;
    return FW_STATUS_OK;
}

int32_t checkBayerPattern(uint32_t pattern) {
    return pattern <= FWT_BAYER_BGGR ? FW_STATUS_OK : FWT_ERR_BAYER_PATTERN;
}

}  // namespace fwt
