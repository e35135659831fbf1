// Colour codings, fixed-format geometry and frame rates of IIDC cameras, as the
// simulated bus encodes them. The codings and their bit depths are in fwcontrol.h.
#pragma once

#include <cstdint>

namespace fwc {

constexpr uint32_t kFormat7 = 7;

// Codings this library delivers: those FWC_CodingBitDepth knows.
bool isKnownCoding(uint32_t coding);
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

}  // namespace fwc
