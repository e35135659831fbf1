// A frame as the camera sends it, made into the bytes of the library's coding: byte
// order, channel order and unpacking. Allocates nothing: the caller owns both buffers.
#pragma once

#include <cstddef>
#include <cstdint>

#include "pixel_format_map.h"

namespace fwaravis {

// Bytes the camera sends for a frame of this size (packed formats: one bit stream).
size_t cameraFrameBytes(const PixelFormatMapping& mapping, uint32_t width, uint32_t height);
// Bytes of the same frame in the mapping's coding.
size_t codingFrameBytes(uint32_t coding, uint32_t width, uint32_t height);

// in holds cameraFrameBytes, out codingFrameBytes; they do not overlap.
void convertFrame(const PixelFormatMapping& mapping, const uint8_t* in, uint8_t* out,
                  uint32_t width, uint32_t height);

}  // namespace fwaravis
