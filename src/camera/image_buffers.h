// The two image buffers of a camera: the native frame and the output image.
#pragma once

#include <cstdint>

namespace lvc {

struct CCamera;

// Bytes of the native frame: bytes per raw pixel (Mono8: (bitDepth + 7) / 8, every other
// coding 3) times the pixel count, raised to bitDepth bits per pixel where the coding's
// native pixel is wider than that (RGB16, RGB12, RGBA8, ...). 0 when it exceeds 32 bits.
uint32_t rawImageBytes(const CCamera& camera);
// Bytes of the output image: PixelSize / 8 per pixel. 0 when it exceeds 32 bits.
uint32_t outputImageBytes(const CCamera& camera);
// Reallocates each buffer whose size changed; an unchanged size keeps buffer and contents.
void sizeImageBuffers(CCamera& camera);
void freeImageBuffers(CCamera& camera);

}  // namespace lvc
