// Images and codings for the conversion tests: scenes with a known ground truth, and the
// camera codings made from them the way a camera would.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace fwt::test {

// Three bytes per pixel, blue green red, rows packed.
struct BgrImage {
    std::size_t width = 0;
    std::size_t height = 0;
    std::vector<uint8_t> pixels;

    uint8_t at(std::size_t x, std::size_t y, int channel) const {
        return pixels[3 * (y * width + x) + static_cast<std::size_t>(channel)];
    }
};

std::vector<uint8_t> randomBytes(std::size_t count, unsigned seed);

// Slowly varying colours, values 28..228.
BgrImage smoothScene(std::size_t width, std::size_t height);
// Grey rings whose spatial frequency grows with the distance from the centre.
BgrImage zonePlate(std::size_t width, std::size_t height);
// One colour per 2 x 2 cell.
BgrImage cellScene(std::size_t width, std::size_t height);

// Colour letter ('R', 'G', 'B') of a Bayer pattern code at a pixel.
char bayerColour(uint32_t pattern, std::size_t x, std::size_t y);
std::vector<uint8_t> bayerMosaic(const BgrImage& scene, uint32_t pattern);
// Each 8-bit sample as the high byte of a big-endian 16-bit word, noise in the low byte.
std::vector<uint8_t> toBigEndian16(const std::vector<uint8_t>& samples, unsigned seed);
// Y, U, V per pixel by the inverse BT.601 full-range formula; chroma averaged per group.
std::vector<uint8_t> yuv422(const BgrImage& scene);
std::vector<uint8_t> yuv411(const BgrImage& scene);
std::vector<uint8_t> rgb8(const BgrImage& scene);
// Progressive rows to field-sequential order: even rows, then odd rows.
std::vector<uint8_t> toFields(const std::vector<uint8_t>& rows, std::size_t width,
                              std::size_t height);
// Letter ('C', 'Y', 'G', 'M') of the complementary mosaic at a progressive pixel.
char cygmLetter(uint32_t pattern, std::size_t x, std::size_t y);
// Progressive complementary mosaic of halved sums, rounded half up: C = (G + B) / 2,
// Y = (R + G) / 2, M = (R + B) / 2, and G.
std::vector<uint8_t> cygmMosaic(const BgrImage& scene, uint32_t pattern);

}  // namespace fwt::test
