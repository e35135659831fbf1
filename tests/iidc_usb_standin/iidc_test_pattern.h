// The picture the virtual IIDC cameras send, shared by the stand-in (which renders it) and
// the tests (which check what libdc1394 hands back against it). Every sample is a function
// of its position and colour channel, so a misplaced byte, row or channel shows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace iidc_standin {

// IIDC colour coding ids, in the order of the COLOR_CODING_INQ bits.
enum ColorCoding : uint32_t {
    kMono8 = 0,
    kYuv411 = 1,
    kYuv422 = 2,
    kYuv444 = 3,
    kRgb8 = 4,
    kMono16 = 5,
    kRgb16 = 6,
    kSignedMono16 = 7,
    kSignedRgb16 = 8,
    kRaw8 = 9,
    kRaw16 = 10,
    kColorCodingCount = 11,
};

inline uint32_t bitsPerPixel(uint32_t coding) {
    static constexpr uint32_t kBits[kColorCodingCount] = {8, 12, 16, 24, 24, 16, 48, 16, 48, 8, 16};
    return coding < kColorCodingCount ? kBits[coding] : 0;
}

inline size_t imageBytes(uint32_t width, uint32_t height, uint32_t coding) {
    return size_t{width} * height * bitsPerPixel(coding) / 8;
}

// A 16-bit sample of channel 0..2 at (x, y).
inline uint16_t patternSample(uint32_t x, uint32_t y, uint32_t channel) {
    return static_cast<uint16_t>((x + 3 * channel) * 61 + y * 17 + channel * 0x4000);
}

inline uint8_t low8(uint32_t x, uint32_t y, uint32_t channel) {
    return static_cast<uint8_t>(patternSample(x, y, channel));
}

inline void putBigEndian16(uint8_t* out, uint16_t value) {
    out[0] = static_cast<uint8_t>(value >> 8);
    out[1] = static_cast<uint8_t>(value);
}

// Interleaved samples of one row in the camera's byte order (big-endian words, IIDC's
// U Y V orders for the YUV codings).
inline void renderRow(uint8_t* out, uint32_t y, uint32_t width, uint32_t coding) {
    for (uint32_t x = 0; x < width; ++x) {
        switch (coding) {
        case kMono8:
        case kRaw8: *out++ = low8(x, y, 0); break;
        case kMono16:
        case kSignedMono16:
        case kRaw16:
            putBigEndian16(out, patternSample(x, y, 0));
            out += 2;
            break;
        case kRgb8:
            for (uint32_t c = 0; c < 3; ++c) *out++ = low8(x, y, c);
            break;
        case kRgb16:
        case kSignedRgb16:
            for (uint32_t c = 0; c < 3; ++c, out += 2) putBigEndian16(out, patternSample(x, y, c));
            break;
        case kYuv444:
            *out++ = low8(x, y, 1);
            *out++ = low8(x, y, 0);
            *out++ = low8(x, y, 2);
            break;
        case kYuv422:
            if (x % 2 == 0) *out++ = low8(x, y, 1);
            if (x % 2 == 1) *out++ = low8(x - 1, y, 2);
            *out++ = low8(x, y, 0);
            break;
        case kYuv411:
            if (x % 4 == 0) *out++ = low8(x, y, 1);
            if (x % 4 == 2) *out++ = low8(x - 2, y, 2);
            *out++ = low8(x, y, 0);
            break;
        default: break;
        }
    }
}

// The whole image; its first four bytes are then overwritten, per frame, by the frame's
// sequence number (big-endian), so tests can tell frames apart and see gaps.
inline std::vector<uint8_t> renderImage(uint32_t width, uint32_t height, uint32_t coding) {
    std::vector<uint8_t> image(imageBytes(width, height, coding));
    const size_t rowBytes = height ? image.size() / height : 0;
    for (uint32_t y = 0; y < height; ++y) renderRow(image.data() + y * rowBytes, y, width, coding);
    return image;
}

inline uint32_t frameSequence(const uint8_t* image) {
    return uint32_t{image[0]} << 24 | uint32_t{image[1]} << 16 | uint32_t{image[2]} << 8 | image[3];
}

constexpr size_t kSequenceBytes = 4;

}  // namespace iidc_standin
