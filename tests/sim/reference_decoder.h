// Plain decoders of the native codings, written independently of the simulator's
// encoder: they turn a frame into 8-bit grey or BGR with the simplest arithmetic
// (Bayer and CYGM: one colour per 2 x 2 cell).
#pragma once

#include <cstdint>
#include <vector>

struct DecodedImage {
    uint32_t channels = 0;  // 1 grey, 3 BGR
    std::vector<uint8_t> pixels;
};

// Rows of a field-sequential frame (even rows, then odd rows) back in sensor order.
std::vector<uint8_t> progressiveRows(const std::vector<uint8_t>& frame, uint32_t rowBytes,
                                     uint32_t height);

DecodedImage decodeFrame(const std::vector<uint8_t>& frame, uint32_t coding, uint32_t width,
                         uint32_t height, uint32_t bayerPattern, bool interlaced);

// The colour letter ('R', 'G', 'B') of a Bayer pattern code at a pixel.
char bayerColour(uint32_t pattern, uint32_t x, uint32_t y);
