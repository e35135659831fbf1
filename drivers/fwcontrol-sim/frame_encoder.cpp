#include "frame_encoder.h"

#include <algorithm>

#include "fwcontrol.h"
#include "pixel_format.h"

namespace fwc {
namespace {

// Channel (0 blue, 1 green, 2 red) at [pattern][row parity][column parity].
constexpr uint8_t kBayerChannel[4][2][2] = {
    {{2, 1}, {1, 0}},  // RGGB
    {{1, 0}, {2, 1}},  // GBRG
    {{1, 2}, {0, 1}},  // GRBG
    {{0, 1}, {1, 2}},  // BGGR
};

uint8_t clampByte(int32_t value) { return static_cast<uint8_t>(std::clamp(value, 0, 255)); }

uint8_t lumaOf(const uint8_t* bgr) {
    return static_cast<uint8_t>((7471 * bgr[0] + 38470 * bgr[1] + 19595 * bgr[2] + 32768) >> 16);
}
int32_t chromaU(const uint8_t* bgr) {
    return ((32768 * bgr[0] - 21709 * bgr[1] - 11059 * bgr[2] + 32768) >> 16) + 128;
}
int32_t chromaV(const uint8_t* bgr) {
    return ((-5329 * bgr[0] - 27439 * bgr[1] + 32768 * bgr[2] + 32768) >> 16) + 128;
}

// Average chroma of count pixels, rounded.
uint8_t averageU(const uint8_t* bgr, uint32_t count) {
    int32_t sum = 0;
    for (uint32_t i = 0; i < count; ++i) sum += chromaU(bgr + i * 3);
    return clampByte((sum + static_cast<int32_t>(count / 2)) / static_cast<int32_t>(count));
}
uint8_t averageV(const uint8_t* bgr, uint32_t count) {
    int32_t sum = 0;
    for (uint32_t i = 0; i < count; ++i) sum += chromaV(bgr + i * 3);
    return clampByte((sum + static_cast<int32_t>(count / 2)) / static_cast<int32_t>(count));
}

void putBig16(uint8_t* out, uint8_t value) {
    out[0] = value;
    out[1] = value;  // value * 257: the 8-bit value fills the most significant bits
}

void encodeRow(const EncoderSetup& setup, uint32_t row, const uint8_t* in, uint8_t* out) {
    const uint32_t width = setup.width;
    switch (setup.coding) {
    case FWC_CODING_MONO8: std::copy_n(in, width, out); break;
    case FWC_CODING_MONO16:
    case FWC_CODING_SMONO16:
        for (uint32_t x = 0; x < width; ++x) putBig16(out + x * 2, in[x]);
        break;
    case FWC_CODING_YUV411:
        for (uint32_t x = 0; x + 3 < width; x += 4) {
            const uint8_t* pixels = in + x * 3;
            uint8_t* group = out + x / 4 * 6;
            group[0] = averageU(pixels, 4);
            group[1] = lumaOf(pixels);
            group[2] = lumaOf(pixels + 3);
            group[3] = averageV(pixels, 4);
            group[4] = lumaOf(pixels + 6);
            group[5] = lumaOf(pixels + 9);
        }
        break;
    case FWC_CODING_YUV422:
        for (uint32_t x = 0; x + 1 < width; x += 2) {
            const uint8_t* pixels = in + x * 3;
            uint8_t* group = out + x * 2;
            group[0] = averageU(pixels, 2);
            group[1] = lumaOf(pixels);
            group[2] = averageV(pixels, 2);
            group[3] = lumaOf(pixels + 3);
        }
        break;
    case FWC_CODING_YUV444:
        for (uint32_t x = 0; x < width; ++x) {
            out[x * 3] = averageU(in + x * 3, 1);
            out[x * 3 + 1] = lumaOf(in + x * 3);
            out[x * 3 + 2] = averageV(in + x * 3, 1);
        }
        break;
    case FWC_CODING_RGB8:
        for (uint32_t x = 0; x < width; ++x) {
            out[x * 3] = in[x * 3 + 2];
            out[x * 3 + 1] = in[x * 3 + 1];
            out[x * 3 + 2] = in[x * 3];
        }
        break;
    case FWC_CODING_RGB16:
    case FWC_CODING_SRGB16:
        for (uint32_t x = 0; x < width; ++x) {
            putBig16(out + x * 6, in[x * 3 + 2]);
            putBig16(out + x * 6 + 2, in[x * 3 + 1]);
            putBig16(out + x * 6 + 4, in[x * 3]);
        }
        break;
    case FWC_CODING_RAW8:
        for (uint32_t x = 0; x < width; ++x) {
            const uint8_t* pixel = in + x * 3;
            out[x] = setup.interlaced
                         ? cygmValue(row, x, setup.bayerPattern, pixel[0], pixel[1], pixel[2])
                         : pixel[kBayerChannel[setup.bayerPattern & 3][row & 1][x & 1]];
        }
        break;
    case FWC_CODING_RAW16:
        for (uint32_t x = 0; x < width; ++x)
            putBig16(out + x * 2,
                     in[x * 3 + kBayerChannel[setup.bayerPattern & 3][row & 1][x & 1]]);
        break;
    case FWC_CODING_MONO_RED:
    case FWC_CODING_MONO_GREEN:
    case FWC_CODING_MONO_BLUE:
        for (uint32_t x = 0; x < width; ++x)
            out[x] = in[x * 3 + 2 - (setup.coding - FWC_CODING_MONO_RED)];
        break;
    default: break;
    }
}

}  // namespace

uint32_t sceneChannels(uint32_t coding) { return isGreyCoding(coding) ? 1 : 3; }

uint8_t cygmValue(uint32_t row, uint32_t column, uint32_t bayerPattern, uint8_t blue, uint8_t green,
                  uint8_t red) {
    static constexpr uint32_t kCygmShifts[4] = {0, 2, 1, 3};
    switch (((row & 1) * 2 + (column & 1)) ^ kCygmShifts[bayerPattern & 3]) {
    case 0: return static_cast<uint8_t>((green + blue + 1) / 2);  // cyan
    case 1: return static_cast<uint8_t>((red + green + 1) / 2);   // yellow
    case 2: return green;
    default: return static_cast<uint8_t>((red + blue + 1) / 2);  // magenta
    }
}

void encodeFrame(const EncoderSetup& setup, const uint8_t* scene, uint8_t* out) {
    const size_t inRow = static_cast<size_t>(setup.width) * sceneChannels(setup.coding);
    const size_t outRow = frameBytes(setup.coding, setup.width, 1);
    const uint32_t firstOddRow = (setup.height + 1) / 2;
    for (uint32_t y = 0; y < setup.height; ++y) {
        // Field-sequential: the even rows first, then the odd rows.
        const uint32_t target = !setup.interlaced ? y : (y % 2 == 0 ? y / 2 : firstOddRow + y / 2);
        encodeRow(setup, y, scene + y * inRow, out + target * outRow);
    }
}

}  // namespace fwc
