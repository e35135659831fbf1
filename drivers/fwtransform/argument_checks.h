// Argument checks shared by the exported conversions; each returns 0 or an FWT_ status.
#pragma once

#include <cstdint>

namespace fwt {

int32_t checkImages(const void* out, const void* in);
// A stream of pixelCount pixels coded in groups of groupPixels; the larger side of the
// conversion takes bytesPerPixel bytes per pixel.
int32_t checkPixelCount(uint32_t pixelCount, uint32_t groupPixels, uint32_t bytesPerPixel);
// A width x height image of cells cellSize x cellSize pixels; the larger side takes
// bytesPerPixel bytes per pixel.
int32_t checkDimensions(uint32_t width, uint32_t height, uint32_t cellSize, uint32_t bytesPerPixel);
int32_t checkBayerPattern(uint32_t pattern);

}  // namespace fwt
