#include "transform/reference_conversions.h"

#include <algorithm>
#include <cmath>

namespace fwt::test {
namespace {

using Weights = int[5][5];

// Sixteenths. Rows are dy = -2..2, columns dx = -2..2.
constexpr Weights greenAtRedBlue = {
    {0, 0, -2, 0, 0}, {0, 0, 4, 0, 0}, {-2, 4, 8, 4, -2}, {0, 0, 4, 0, 0}, {0, 0, -2, 0, 0}};
constexpr Weights fromRowNeighbours = {
    {0, 0, 1, 0, 0}, {0, -2, 0, -2, 0}, {-2, 8, 10, 8, -2}, {0, -2, 0, -2, 0}, {0, 0, 1, 0, 0}};
constexpr Weights fromColumnNeighbours = {
    {0, 0, -2, 0, 0}, {0, -2, 8, -2, 0}, {1, 0, 10, 0, 1}, {0, -2, 8, -2, 0}, {0, 0, -2, 0, 0}};
constexpr Weights fromDiagonal = {
    {0, 0, -3, 0, 0}, {0, 4, 0, 4, 0}, {-3, 0, 12, 0, -3}, {0, 4, 0, 4, 0}, {0, 0, -3, 0, 0}};

// Reflection about the edge pixels, repeated until inside.
long reflect(long index, long size) {
    if (size == 1) return 0;
    while (index < 0 || index >= size) index = index < 0 ? -index : 2 * (size - 1) - index;
    return index;
}

uint8_t toByte(double value) { return static_cast<uint8_t>(std::clamp(value, 0.0, 255.0)); }

int channelOf(char colour) { return colour == 'B' ? 0 : (colour == 'G' ? 1 : 2); }

}  // namespace

BgrImage referenceDemosaic(const std::vector<uint8_t>& mosaic, std::size_t width,
                           std::size_t height, uint32_t pattern) {
    BgrImage out{width, height, std::vector<uint8_t>(3 * width * height)};
    long w = static_cast<long>(width), h = static_cast<long>(height);
    for (long y = 0; y < h; ++y) {
        for (long x = 0; x < w; ++x) {
            auto sample = [&](long dy, long dx) {
                return mosaic[static_cast<std::size_t>(reflect(y + dy, h) * w +
                                                       reflect(x + dx, w))];
            };
            auto colourAt = [&](long dx) {
                return bayerColour(pattern, static_cast<std::size_t>(x + 2 + dx),
                                   static_cast<std::size_t>(y));
            };
            char own = colourAt(0);
            for (char wanted : {'B', 'G', 'R'}) {
                uint8_t value;
                if (wanted == own) {
                    value = sample(0, 0);
                } else {
                    const Weights* weights = &fromDiagonal;
                    if (wanted == 'G')
                        weights = &greenAtRedBlue;
                    else if (own == 'G') {
                        weights =
                            colourAt(1) == wanted ? &fromRowNeighbours : &fromColumnNeighbours;
                    }
                    int sum = 0;
                    for (long dy = -2; dy <= 2; ++dy) {
                        for (long dx = -2; dx <= 2; ++dx) {
                            sum += (*weights)[dy + 2][dx + 2] * sample(dy, dx);
                        }
                    }
                    value = toByte(std::floor((sum + 8) / 16.0));
                }
                out.pixels[3 * static_cast<std::size_t>(y * w + x) +
                           static_cast<std::size_t>(channelOf(wanted))] = value;
            }
        }
    }
    return out;
}

BgrImage bilinearDemosaic(const std::vector<uint8_t>& mosaic, std::size_t width, std::size_t height,
                          uint32_t pattern) {
    BgrImage out{width, height, std::vector<uint8_t>(3 * width * height)};
    long w = static_cast<long>(width), h = static_cast<long>(height);
    for (long y = 0; y < h; ++y) {
        for (long x = 0; x < w; ++x) {
            double sums[3] = {0, 0, 0};
            int counts[3] = {0, 0, 0};
            char own =
                bayerColour(pattern, static_cast<std::size_t>(x), static_cast<std::size_t>(y));
            for (long dy = -1; dy <= 1; ++dy) {
                for (long dx = -1; dx <= 1; ++dx) {
                    long sy = reflect(y + dy, h), sx = reflect(x + dx, w);
                    int channel =
                        channelOf(bayerColour(pattern, static_cast<std::size_t>(x + 2 + dx),
                                              static_cast<std::size_t>(y + 2 + dy)));
                    bool nearest = channel != 1 || dx == 0 || dy == 0;
                    if (channel == channelOf(own) && (dx != 0 || dy != 0)) continue;
                    if (!nearest) continue;
                    sums[channel] += mosaic[static_cast<std::size_t>(sy * w + sx)];
                    ++counts[channel];
                }
            }
            for (int c = 0; c < 3; ++c) {
                out.pixels[3 * static_cast<std::size_t>(y * w + x) + static_cast<std::size_t>(c)] =
                    static_cast<uint8_t>(std::lround(sums[c] / counts[c]));
            }
        }
    }
    return out;
}

std::vector<uint8_t> referenceYuvToBgr(const std::vector<uint8_t>& coded, std::size_t pixels,
                                       std::size_t groupPixels) {
    std::size_t groupBytes = groupPixels == 2 ? 4 : 6;
    std::size_t vIndex = groupPixels == 2 ? 2 : 3;
    std::vector<uint8_t> out(3 * pixels);
    for (std::size_t pixel = 0; pixel < pixels; ++pixel) {
        const uint8_t* group = &coded[pixel / groupPixels * groupBytes];
        std::size_t lumaIndex = 1 + pixel % groupPixels;
        if (lumaIndex >= vIndex) ++lumaIndex;
        double y = group[lumaIndex], u = group[0] - 128.0, v = group[vIndex] - 128.0;
        out[3 * pixel] = toByte(y + std::floor((116130 * u + 32768) / 65536));
        out[3 * pixel + 1] = toByte(y + std::floor((-22554 * u - 46802 * v + 32768) / 65536));
        out[3 * pixel + 2] = toByte(y + std::floor((91881 * v + 32768) / 65536));
    }
    return out;
}

std::vector<uint8_t> referenceCygmBinning(const std::vector<uint8_t>& progressive,
                                          std::size_t width, std::size_t height, uint32_t pattern) {
    std::vector<uint8_t> out(3 * width * height);
    for (std::size_t y = 0; y < height; ++y) {
        for (std::size_t x = 0; x < width; ++x) {
            double c = 0, ye = 0, g = 0, m = 0;
            for (std::size_t cy = y - y % 2; cy < y - y % 2 + 2; ++cy) {
                for (std::size_t cx = x - x % 2; cx < x - x % 2 + 2; ++cx) {
                    double sample = progressive[cy * width + cx];
                    switch (cygmLetter(pattern, cx, cy)) {
                    case 'C': c = sample; break;
                    case 'Y': ye = sample; break;
                    case 'G': g = sample; break;
                    default: m = sample; break;
                    }
                }
            }
            out[3 * (y * width + x)] = toByte(c + m - ye);
            out[3 * (y * width + x) + 1] = toByte(std::floor((g + ye + c - m) / 2 + 0.5));
            out[3 * (y * width + x) + 2] = toByte(ye + m - c);
        }
    }
    return out;
}

}  // namespace fwt::test
