// The frame number as a block code along the top rows of a frame: a white and a black
// marker cell, then 24 bits, most significant first, each a black or white cell. The
// cells are big (up to 16 x 16 pixels), so the code survives every coding, Bayer and
// CYGM demosaicing and field-sequential transfer.
#pragma once

#include <cstdint>

namespace fwc {

constexpr uint32_t kFrameCodeBits = 24;

// Draws the code into an 8-bit image of 1 (grey) or 3 (BGR) channels. Images narrower
// than 52 pixels or lower than 8 rows carry no code.
void drawFrameCode(uint8_t* image, uint32_t width, uint32_t height, uint32_t channels,
                   uint32_t frameNumber);
// Reads it back; false when the image carries no readable code.
bool readFrameCode(const uint8_t* image, uint32_t width, uint32_t height, uint32_t channels,
                   uint32_t& frameNumber);

}  // namespace fwc
