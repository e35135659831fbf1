// Fetch, conversion and row copy of the frame path. The fetch and the conversion run on
// the driver's notification thread inside the frame-complete handler; copyRow runs on the
// host's thread. Nothing here allocates.
#include "camera/frame_output.h"

#include <cstring>

#include "camera/camera.h"
#include "diagnostics/diagnostics.h"
#include "fwtransform.h"

namespace lvc {
namespace {

// Colour codings the output path converts (driver ids).
enum ColorCoding : uint32_t {
    kMono8 = 0,
    kYuv411 = 1,
    kYuv422 = 2,
    kRgb8 = 4,
    kMono16 = 5,
    kSignedMono16 = 7,
    kRaw8 = 9,
    kRaw16 = 10,
    kMonoRed = 128,
    kMonoGreen = 129,
    kMonoBlue = 130,
};

bool landsInImage(const CCamera& camera, bool delivering) {
    return delivering && camera.colorCoding == kMono8 && camera.interlaced == 0;
}

// Bytes of rawImage that the conversion of this coding reads; 0 for codings that are not
// converted from rawImage.
uint64_t convertedInputBytes(const CCamera& camera) {
    const uint64_t pixels = uint64_t{camera.width} * camera.height;
    switch (camera.colorCoding) {
    case kMono8: return camera.interlaced ? pixels : 0;
    case kYuv411: return pixels * 3 / 2;
    case kYuv422:
    case kMono16:
    case kSignedMono16:
    case kRaw16: return pixels * 2;
    case kRgb8: return pixels * 3;
    case kRaw8:
    case kMonoRed:
    case kMonoGreen:
    case kMonoBlue: return pixels;
    default: return 0;
    }
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
    case kMono8: return camera.interlaced ? FWT_InterlacedToProgressive(out, in, width, height) : 0;
    case kYuv411: return FWT_YUV411ToBGR(out, in, pixels);
    case kYuv422: return FWT_YUV422ToBGR(out, in, pixels);
    case kRgb8: return FWT_RGB8ToBGR(out, in, pixels);
    case kMono16:
    case kSignedMono16: return FWT_Y16ToY8(out, in, pixels);
    case kRaw8:
        return camera.interlaced
                   ? FWT_IRaw8CYGMToBGR_Bin(out, in, width, height, camera.bayerPattern)
                   : FWT_Raw8ToBGR(out, in, width, height, camera.bayerPattern);
    case kRaw16:
        return FWT_Raw16ToBGR(out, in, width, height, 1u | ((camera.bayerPattern + 1u) << 8));
    case kMonoRed:
    case kMonoGreen:
    case kMonoBlue: std::memcpy(out, in, pixels); return 0;
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
