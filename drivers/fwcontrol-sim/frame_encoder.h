// Encodes a processed scene frame (8-bit grey or BGR) in a camera coding, with the
// layouts FwTransform decodes: IIDC byte orders, full-range BT.601 YUV, big-endian
// 16-bit samples (the 8-bit value in the most significant bits), Bayer mosaics, and for
// interlaced sensors field-sequential rows and the C Y / G M mosaic.
#pragma once

#include <cstdint>

namespace fwc {

struct EncoderSetup {
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t coding = 0;
    uint32_t bayerPattern = 0;
    bool interlaced = false;
};

// Channels of the scene frame a coding is made from: 1 for grey codings, else 3.
uint32_t sceneChannels(uint32_t coding);

// out holds frameBytes(coding, width, height). Allocates nothing.
void encodeFrame(const EncoderSetup& setup, const uint8_t* scene, uint8_t* out);

// The sensor value of a CYGM mosaic at a pixel (progressive row order), from the scene's
// blue, green and red. The cell is C Y / G M, shifted like a Bayer cell by the pattern
// code (1 by a row, 2 by a column, 3 by both); C = (G + B) / 2, Y = (R + G) / 2,
// M = (R + B) / 2 (halved sums stay in 8 bits; R = Y + M - C, B = C + M - Y).
uint8_t cygmValue(uint32_t row, uint32_t column, uint32_t bayerPattern, uint8_t blue, uint8_t green,
                  uint8_t red);

}  // namespace fwc
