// GenICam pixel formats as the camera library's colour codings: the coding a format
// delivers, its Bayer phase, and how the camera's bytes become the coding's bytes.
#pragma once

#include <cstdint>
#include <optional>

namespace fwaravis {

// Standard pixel format values that Aravis 0.8 has no name for.
constexpr uint32_t kPixelFormatMono10p = 0x010a0046u;
constexpr uint32_t kPixelFormatMono12p = 0x010c0047u;

// How a frame's bytes become the coding's bytes. Every layout that widens to 16 bits
// writes big-endian words with the camera's significant bits at the top, as the
// library's 16-bit codings are read by their high byte.
enum class PixelLayout {
    Copy,
    SwapRedBlue,        // BGR8 to RGB8
    YuyvToUyvy,         // YUV 4:2:2 in Y U Y V order to U Y V Y
    LittleEndianWords,  // 16-bit little-endian words, significant bits at the bottom
    PackedLsbFirst,     // Mono10p, Mono12p, Bayer??10p/12p: one bit stream, LSB first
    PackedTwoInThree,   // GigE Vision's Mono/Bayer 10 and 12 Packed: two pixels in 3 bytes
};

constexpr uint32_t kNoBayerPattern = 0xFFFFFFFFu;

struct PixelFormatMapping {
    uint32_t coding = 0;                      // FWC_CODING_
    uint32_t bayerPattern = kNoBayerPattern;  // FWC_INFO_BAYER_PATTERN value of a mosaic
    PixelLayout layout = PixelLayout::Copy;
    uint32_t significantBits = 8;  // bits per sample the camera sends
};

// Nothing for a format the library has no coding for: such formats are not offered.
std::optional<PixelFormatMapping> mapPixelFormat(uint32_t pixelFormat);

}  // namespace fwaravis
