// Fetch, conversion and row copy of the frame path. The fetch and the conversion run on
// the driver's notification thread inside the frame-complete handler; copyRow runs on the
// host's thread. Nothing here allocates.
#include "camera/frame_output.h"

#include <cstring>

#include "camera/camera.h"
#include "diagnostics/diagnostics.h"
#include "fwcontrol.h"
#include "fwtransform.h"

namespace lvc {
namespace {

bool landsInImage(const CCamera& camera, bool delivering) {
    return delivering && camera.colorCoding == FWC_CODING_MONO8 && camera.interlaced == 0;
}

// Whether the conversion of this camera's coding reads rawImage.
bool convertsFromRawImage(const CCamera& camera) {
    switch (camera.colorCoding) {
    case FWC_CODING_MONO8: return camera.interlaced != 0;
    case FWC_CODING_YUV411:
    case FWC_CODING_YUV422:
    case FWC_CODING_RGB8:
    case FWC_CODING_MONO16:
    case FWC_CODING_SMONO16:
    case FWC_CODING_RAW8:
    case FWC_CODING_RAW16:
    case FWC_CODING_MONO_RED:
    case FWC_CODING_MONO_GREEN:
    case FWC_CODING_MONO_BLUE: return true;
    default: return false;
    }
}

// Bytes of rawImage that the conversion of this coding reads; 0 for codings that are not
// converted from rawImage.
uint64_t convertedInputBytes(const CCamera& camera) {
    if (!convertsFromRawImage(camera)) return 0;
    return uint64_t{camera.width} * camera.height * FWC_CodingBitDepth(camera.colorCoding) / 8;
}

// The buffers were sized at the last start; the dialog may have changed the format since.
bool buffersFitFormat(const CCamera& camera) {
    const uint64_t outputBytes = uint64_t{camera.width} * camera.height * (PixelSize(camera) / 8);
    return camera.image != nullptr && outputBytes <= camera.imageSize &&
           convertedInputBytes(camera) <= (camera.rawImage ? camera.rawSize : 0);
}

int32_t convertInto(CCamera& camera) {
    uint8_t* out = camera.image.get();
    const uint8_t* in = camera.rawImage.get();
    const uint32_t width = camera.width;
    const uint32_t height = camera.height;
    const uint32_t pixels = width * height;
    switch (camera.colorCoding) {
    case FWC_CODING_MONO8:
        return camera.interlaced ? FWT_InterlacedToProgressive(out, in, width, height) : 0;
    case FWC_CODING_YUV411: return FWT_YUV411ToBGR(out, in, pixels);
    case FWC_CODING_YUV422: return FWT_YUV422ToBGR(out, in, pixels);
    case FWC_CODING_RGB8: return FWT_RGB8ToBGR(out, in, pixels);
    case FWC_CODING_MONO16:
    case FWC_CODING_SMONO16: return FWT_Y16ToY8(out, in, pixels);
    case FWC_CODING_RAW8:
        return camera.interlaced
                   ? FWT_IRaw8CYGMToBGR_Bin(out, in, width, height, camera.bayerPattern)
                   : FWT_Raw8ToBGR(out, in, width, height, camera.bayerPattern);
    case FWC_CODING_RAW16:
        return FWT_Raw16ToBGR(out, in, width, height,
                              FWT_RAW16_MSB8 | FWT_RAW16_PATTERN(camera.bayerPattern));
    case FWC_CODING_MONO_RED:
    case FWC_CODING_MONO_GREEN:
    case FWC_CODING_MONO_BLUE: std::memcpy(out, in, pixels); return 0;
    default: return 0;
    }
}

}  // namespace

int32_t fetchFrame(CCamera& camera, bool delivering) {
    if (landsInImage(camera, delivering))
        return FWC_GetNativeImage(camera.cameraId, camera.image.get(), camera.imageSize, 0);
    return FWC_GetNativeImage(camera.cameraId, camera.rawImage.get(), camera.rawSize, 0);
}

void convertFrame(CCamera& camera) {
    if (!buffersFitFormat(camera)) return;
    checkResult(convertInto(camera), "");
}

bool copyRow(const CCamera& camera, void* destination, uint32_t row, uint32_t first,
             uint32_t last) {
    if (row >= camera.height || last >= camera.width || first > last || destination == nullptr)
        return false;
    const uint64_t bytesPerPixel = PixelSize(camera) / 8;
    const uint64_t offset = (uint64_t{row} * camera.width + first) * bytesPerPixel;
    const uint64_t count = (uint64_t{last} - first + 1) * bytesPerPixel;
    if (camera.image == nullptr || offset + count > camera.imageSize) return false;
    std::memcpy(destination, camera.image.get() + offset, count);
    return true;
}

}  // namespace lvc
