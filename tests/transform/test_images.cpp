#include "transform/test_images.h"

#include <algorithm>
#include <cmath>
#include <random>

namespace fwt::test {
namespace {

uint8_t roundToByte(double value) {
    return static_cast<uint8_t>(std::clamp(std::lround(value), 0L, 255L));
}

struct Yuv {
    double y, u, v;
};
Yuv toYuv(const BgrImage& scene, std::size_t pixel) {
    double b = scene.pixels[3 * pixel], g = scene.pixels[3 * pixel + 1],
           r = scene.pixels[3 * pixel + 2];
    return {0.299 * r + 0.587 * g + 0.114 * b, -0.168736 * r - 0.331264 * g + 0.5 * b + 128,
            0.5 * r - 0.418688 * g - 0.081312 * b + 128};
}

// Groups of groupPixels: U, then the lumas, with V after lumaBeforeV of them.
std::vector<uint8_t> yuvGroups(const BgrImage& scene, std::size_t groupPixels,
                               std::size_t lumaBeforeV) {
    std::vector<uint8_t> coded;
    std::size_t count = scene.width * scene.height;
    for (std::size_t first = 0; first < count; first += groupPixels) {
        double u = 0, v = 0;
        std::vector<uint8_t> lumas;
        for (std::size_t i = 0; i < groupPixels; ++i) {
            Yuv yuv = toYuv(scene, first + i);
            u += yuv.u / static_cast<double>(groupPixels);
            v += yuv.v / static_cast<double>(groupPixels);
            lumas.push_back(roundToByte(yuv.y));
        }
        coded.push_back(roundToByte(u));
        for (std::size_t i = 0; i < groupPixels; ++i) {
            if (i == lumaBeforeV) coded.push_back(roundToByte(v));
            coded.push_back(lumas[i]);
        }
    }
    return coded;
}

}  // namespace

std::vector<uint8_t> randomBytes(std::size_t count, unsigned seed) {
    std::mt19937 generator(seed);
    std::uniform_int_distribution<int> byte(0, 255);
    std::vector<uint8_t> bytes(count);
    for (auto& value : bytes) value = static_cast<uint8_t>(byte(generator));
    return bytes;
}

BgrImage smoothScene(std::size_t width, std::size_t height) {
    BgrImage scene{width, height, std::vector<uint8_t>(3 * width * height)};
    for (std::size_t y = 0; y < height; ++y) {
        for (std::size_t x = 0; x < width; ++x) {
            double fx = static_cast<double>(x), fy = static_cast<double>(y);
            uint8_t* pixel = &scene.pixels[3 * (y * width + x)];
            pixel[0] = roundToByte(128 + 100 * std::sin(fx / 41 + fy / 29));
            pixel[1] = roundToByte(128 + 100 * std::cos(fx / 37 - fy / 43));
            pixel[2] = roundToByte(128 + 100 * std::sin(fy / 31 + 1.0));
        }
    }
    return scene;
}

BgrImage zonePlate(std::size_t width, std::size_t height) {
    BgrImage scene{width, height, std::vector<uint8_t>(3 * width * height)};
    double cx = static_cast<double>(width) / 2, cy = static_cast<double>(height) / 2;
    double radius = std::max(cx, cy);
    for (std::size_t y = 0; y < height; ++y) {
        for (std::size_t x = 0; x < width; ++x) {
            double dx = static_cast<double>(x) - cx, dy = static_cast<double>(y) - cy;
            // Phase pi r^2 / (4 R): r / (4 R) cycles per pixel, 0.25 at radius R, the
            // Nyquist frequency of the red and blue samples.
            double phase = 3.14159265358979 * (dx * dx + dy * dy) / (4 * radius);
            uint8_t grey = roundToByte(127.5 + 110 * std::cos(phase));
            std::fill_n(&scene.pixels[3 * (y * width + x)], 3, grey);
        }
    }
    return scene;
}

BgrImage cellScene(std::size_t width, std::size_t height) {
    BgrImage scene{width, height, std::vector<uint8_t>(3 * width * height)};
    std::vector<uint8_t> colours = randomBytes(3 * width * height, 7);
    for (std::size_t y = 0; y < height; ++y) {
        for (std::size_t x = 0; x < width; ++x) {
            std::size_t cell = (y / 2) * width + x / 2;
            for (int c = 0; c < 3; ++c) {
                scene.pixels[3 * (y * width + x) + static_cast<std::size_t>(c)] =
                    colours[3 * cell + static_cast<std::size_t>(c)];
            }
        }
    }
    return scene;
}

char bayerColour(uint32_t pattern, std::size_t x, std::size_t y) {
    static const char* const cells[4] = {"RGGB", "GBRG", "GRBG", "BGGR"};
    return cells[pattern][2 * (y % 2) + x % 2];
}

std::vector<uint8_t> bayerMosaic(const BgrImage& scene, uint32_t pattern) {
    std::vector<uint8_t> mosaic(scene.width * scene.height);
    for (std::size_t y = 0; y < scene.height; ++y) {
        for (std::size_t x = 0; x < scene.width; ++x) {
            char colour = bayerColour(pattern, x, y);
            int channel = colour == 'B' ? 0 : (colour == 'G' ? 1 : 2);
            mosaic[y * scene.width + x] = scene.at(x, y, channel);
        }
    }
    return mosaic;
}

std::vector<uint8_t> toBigEndian16(const std::vector<uint8_t>& samples, unsigned seed) {
    std::vector<uint8_t> noise = randomBytes(samples.size(), seed);
    std::vector<uint8_t> words;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        words.push_back(samples[i]);
        words.push_back(noise[i]);
    }
    return words;
}

std::vector<uint8_t> yuv422(const BgrImage& scene) { return yuvGroups(scene, 2, 1); }
std::vector<uint8_t> yuv411(const BgrImage& scene) { return yuvGroups(scene, 4, 2); }

std::vector<uint8_t> rgb8(const BgrImage& scene) {
    std::vector<uint8_t> coded(scene.pixels.size());
    for (std::size_t i = 0; i < coded.size(); i += 3) {
        coded[i] = scene.pixels[i + 2];
        coded[i + 1] = scene.pixels[i + 1];
        coded[i + 2] = scene.pixels[i];
    }
    return coded;
}

std::vector<uint8_t> toFields(const std::vector<uint8_t>& rows, std::size_t width,
                              std::size_t height) {
    std::vector<uint8_t> fields;
    for (std::size_t parity = 0; parity < 2; ++parity) {
        for (std::size_t y = parity; y < height; y += 2) {
            fields.insert(fields.end(), rows.begin() + static_cast<std::ptrdiff_t>(y * width),
                          rows.begin() + static_cast<std::ptrdiff_t>((y + 1) * width));
        }
    }
    return fields;
}

char cygmLetter(uint32_t pattern, std::size_t x, std::size_t y) {
    static const char* const cells[4] = {"CYGM", "GMCY", "YCMG", "MGYC"};
    return cells[pattern][2 * (y % 2) + x % 2];
}

std::vector<uint8_t> cygmMosaic(const BgrImage& scene, uint32_t pattern) {
    std::vector<uint8_t> mosaic(scene.width * scene.height);
    for (std::size_t y = 0; y < scene.height; ++y) {
        for (std::size_t x = 0; x < scene.width; ++x) {
            int b = scene.at(x, y, 0), g = scene.at(x, y, 1), r = scene.at(x, y, 2);
            int sample = 0;
            switch (cygmLetter(pattern, x, y)) {
            case 'C': sample = (g + b + 1) / 2; break;
            case 'Y': sample = (r + g + 1) / 2; break;
            case 'G': sample = g; break;
            default: sample = (r + b + 1) / 2; break;
            }
            mosaic[y * scene.width + x] = static_cast<uint8_t>(sample);
        }
    }
    return mosaic;
}

}  // namespace fwt::test
