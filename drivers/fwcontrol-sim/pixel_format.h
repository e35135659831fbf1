// Colour codings, fixed-format geometry and frame rates of IIDC cameras, as the
// simulated bus encodes them.
#pragma once

#include <cstdint>

namespace fwsim {

enum Coding : uint32_t {
    codingMono8 = 0,
    codingYuv411 = 1,
    codingYuv422 = 2,
    codingYuv444 = 3,
    codingRgb8 = 4,
    codingMono16 = 5,
    codingRgb16 = 6,
    codingSmono16 = 7,
    codingSrgb16 = 8,
    codingRaw8 = 9,
    codingRaw16 = 10,
    codingMonoR = 128,
    codingMonoG = 129,
    codingMonoB = 130
};

constexpr uint32_t format7 = 7;

bool isKnownCoding(uint32_t coding);
// Native bits per pixel (YUV411: 12).
uint32_t codingBitDepth(uint32_t coding);
// Grey codings carry one channel of the scene; the others three.
bool isGreyCoding(uint32_t coding);
uint64_t frameBytes(uint32_t coding, uint32_t width, uint32_t height);
// Pixels that share one coding unit along a row (YUV411: 4, YUV422: 2, else 1).
uint32_t codingPixelGroup(uint32_t coding);

struct FixedGeometry {
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t coding = 0;
    bool valid = false;
};
FixedGeometry fixedGeometry(uint32_t format, uint32_t mode);

// Rate code 0..7: 1.875 * 2^code frames per second.
double fixedFrameRate(uint32_t rateCode);
// A Format 7 mode on an S400 bus: busLoad / 1000 * 4096 * 8000 / bytes per frame.
double format7FrameRate(uint32_t busLoad, uint64_t bytesPerFrame);

}  // namespace fwsim
