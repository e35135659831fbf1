#include "camera/image_buffers.h"

#include <algorithm>
#include <new>

#include "camera/camera.h"

namespace lvc {
namespace {

uint32_t fitting32(uint64_t bytes) { return bytes > UINT32_MAX ? 0 : static_cast<uint32_t>(bytes); }

uint64_t pixelCount(const CCamera& camera) {
    return static_cast<uint64_t>(camera.width) * camera.height;
}

// Reallocates buffer to size bytes unless it has that size already; none for size 0.
// A failed allocation leaves no buffer and size 0.
void resizeBuffer(std::unique_ptr<uint8_t[]>& buffer, uint32_t& currentSize, uint32_t size) {
    if (size == currentSize) return;
    buffer.reset();
    if (size) buffer.reset(new (std::nothrow) uint8_t[size]);
    currentSize = buffer ? size : 0;
}

void freeBuffer(std::unique_ptr<uint8_t[]>& buffer, uint32_t& size) {
    buffer.reset();
    size = 0;
}

}  // namespace

uint32_t rawImageBytes(const CCamera& camera) {
    const uint64_t bytesPerPixel =
        camera.colorCoding == FWC_CODING_MONO8 ? (camera.bitDepth + 7ull) / 8 : 3;
    const uint64_t ruleBytes = bytesPerPixel * pixelCount(camera);
    const uint64_t nativeBytes =
        (static_cast<uint64_t>(camera.bitDepth) * pixelCount(camera) + 7) / 8;
    return fitting32(std::max(ruleBytes, nativeBytes));
}

uint32_t outputImageBytes(const CCamera& camera) {
    return fitting32(PixelSize(camera) / 8ull * pixelCount(camera));
}

void sizeImageBuffers(CCamera& camera) {
    resizeBuffer(camera.rawImage, camera.rawSize, rawImageBytes(camera));
    resizeBuffer(camera.image, camera.imageSize, outputImageBytes(camera));
}

void freeImageBuffers(CCamera& camera) {
    freeBuffer(camera.rawImage, camera.rawSize);
    freeBuffer(camera.image, camera.imageSize);
}

}  // namespace lvc
