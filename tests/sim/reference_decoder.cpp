#include "reference_decoder.h"

#include <algorithm>
#include <cmath>

#include "fwcontrol.h"

namespace {

uint8_t clampRound(double value) {
    return static_cast<uint8_t>(std::clamp(std::lround(value), 0L, 255L));
}

void putYuv(uint8_t* bgr, int y, int u, int v) {
    bgr[2] = clampRound(y + 1.402 * (v - 128));
    bgr[1] = clampRound(y - 0.344136 * (u - 128) - 0.714136 * (v - 128));
    bgr[0] = clampRound(y + 1.772 * (u - 128));
}

// Each 2 x 2 cell's colours, written to its four pixels.
void binCells(const uint8_t* samples, uint32_t width, uint32_t height, uint8_t* bgr,
              uint8_t (*cellColour)(const uint8_t* cell[2], uint32_t channel, uint32_t pattern),
              uint32_t pattern) {
    for (uint32_t y = 0; y + 1 < height; y += 2) {
        for (uint32_t x = 0; x + 1 < width; x += 2) {
            const uint8_t* cell[2] = {samples + y * width + x, samples + (y + 1) * width + x};
            for (uint32_t channel = 0; channel < 3; ++channel) {
                const uint8_t value = cellColour(cell, channel, pattern);
                for (uint32_t dy = 0; dy < 2; ++dy) {
                    for (uint32_t dx = 0; dx < 2; ++dx) {
                        bgr[((y + dy) * width + x + dx) * 3 + channel] = value;
                    }
                }
            }
        }
    }
}

uint8_t bayerCell(const uint8_t* cell[2], uint32_t channel, uint32_t pattern) {
    const char wanted = "BGR"[channel];
    int sum = 0;
    int count = 0;
    for (uint32_t dy = 0; dy < 2; ++dy) {
        for (uint32_t dx = 0; dx < 2; ++dx) {
            if (bayerColour(pattern, dx, dy) == wanted) {
                sum += cell[dy][dx];
                ++count;
            }
        }
    }
    return static_cast<uint8_t>((sum + count / 2) / count);
}

// Cells hold C = (G+B)/2, Ye = (R+G)/2 on the even row, G, M = (R+B)/2 on the odd row,
// the cell shifted by a row for pattern 1, a column for 2, both for 3.
uint8_t cygmCell(const uint8_t* cell[2], uint32_t channel, uint32_t pattern) {
    const uint32_t rowShift = pattern == 1 || pattern == 3 ? 1 : 0;
    const uint32_t columnShift = pattern == 2 || pattern == 3 ? 1 : 0;
    auto at = [&](uint32_t row, uint32_t column) {
        return static_cast<int>(cell[row ^ rowShift][column ^ columnShift]);
    };
    const int c = at(0, 0), ye = at(0, 1), g = at(1, 0), m = at(1, 1);
    switch (channel) {
    case 0: return clampRound(c + m - ye);
    case 1: return static_cast<uint8_t>(g);
    default: return clampRound(ye + m - c);
    }
}

}  // namespace

char bayerColour(uint32_t pattern, uint32_t x, uint32_t y) {
    static const char* const patterns[] = {"RGGB", "GBRG", "GRBG", "BGGR"};
    return patterns[pattern][(y % 2) * 2 + x % 2];
}

std::vector<uint8_t> progressiveRows(const std::vector<uint8_t>& frame, uint32_t rowBytes,
                                     uint32_t height) {
    std::vector<uint8_t> rows(frame.size());
    const uint32_t evenRows = (height + 1) / 2;
    for (uint32_t y = 0; y < height; ++y) {
        const uint32_t source = y % 2 == 0 ? y / 2 : evenRows + y / 2;
        std::copy_n(frame.begin() + source * rowBytes, rowBytes, rows.begin() + y * rowBytes);
    }
    return rows;
}

DecodedImage decodeFrame(const std::vector<uint8_t>& native, uint32_t coding, uint32_t width,
                         uint32_t height, uint32_t bayerPattern, bool interlaced) {
    const uint32_t pixels = width * height;
    const std::vector<uint8_t> frame =
        interlaced ? progressiveRows(native, static_cast<uint32_t>(native.size() / height), height)
                   : native;
    DecodedImage image;
    const bool grey = coding == FWC_CODING_MONO8 || coding == FWC_CODING_MONO16 ||
                      coding == FWC_CODING_SMONO16 || coding >= FWC_CODING_MONO_RED;
    image.channels = grey ? 1 : 3;
    image.pixels.assign(pixels * image.channels, 0);
    uint8_t* out = image.pixels.data();
    switch (coding) {
    case FWC_CODING_MONO8:
    case FWC_CODING_MONO_RED:
    case FWC_CODING_MONO_GREEN:
    case FWC_CODING_MONO_BLUE: std::copy_n(frame.begin(), pixels, out); break;
    case FWC_CODING_MONO16:
    case FWC_CODING_SMONO16:
        for (uint32_t i = 0; i < pixels; ++i) {
            out[i] = frame[i * 2];
        }
        break;
    case FWC_CODING_YUV411:
        for (uint32_t i = 0; i < pixels; ++i) {
            const uint8_t* group = &frame[i / 4 * 6];
            static const int lumaOffset[4] = {1, 2, 4, 5};
            putYuv(out + i * 3, group[lumaOffset[i % 4]], group[0], group[3]);
        }
        break;
    case FWC_CODING_YUV422:
        for (uint32_t i = 0; i < pixels; ++i) {
            const uint8_t* group = &frame[i / 2 * 4];
            putYuv(out + i * 3, group[i % 2 == 0 ? 1 : 3], group[0], group[2]);
        }
        break;
    case FWC_CODING_YUV444:
        for (uint32_t i = 0; i < pixels; ++i) {
            putYuv(out + i * 3, frame[i * 3 + 1], frame[i * 3], frame[i * 3 + 2]);
        }
        break;
    case FWC_CODING_RGB8:
        for (uint32_t i = 0; i < pixels; ++i) {
            out[i * 3] = frame[i * 3 + 2];
            out[i * 3 + 1] = frame[i * 3 + 1];
            out[i * 3 + 2] = frame[i * 3];
        }
        break;
    case FWC_CODING_RGB16:
    case FWC_CODING_SRGB16:
        for (uint32_t i = 0; i < pixels; ++i) {
            out[i * 3] = frame[i * 6 + 4];
            out[i * 3 + 1] = frame[i * 6 + 2];
            out[i * 3 + 2] = frame[i * 6];
        }
        break;
    case FWC_CODING_RAW8:
        binCells(frame.data(), width, height, out, interlaced ? cygmCell : bayerCell, bayerPattern);
        break;
    case FWC_CODING_RAW16: {
        std::vector<uint8_t> high(pixels);
        for (uint32_t i = 0; i < pixels; ++i) {
            high[i] = frame[i * 2];
        }
        binCells(high.data(), width, height, out, bayerCell, bayerPattern);
        break;
    }
    default: break;
    }
    return image;
}
