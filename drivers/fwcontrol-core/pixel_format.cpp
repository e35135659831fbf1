#include "pixel_format.h"

#include "fwcontrol.h"

namespace fwc {

bool isKnownCoding(uint32_t coding) { return FWC_CodingBitDepth(coding) != 0; }

bool isGreyCoding(uint32_t coding) {
    return coding == FWC_CODING_MONO8 || coding == FWC_CODING_MONO16 ||
           coding == FWC_CODING_SMONO16;
}

uint64_t frameBytes(uint32_t coding, uint32_t width, uint32_t height) {
    return uint64_t{width} * height * FWC_CodingBitDepth(coding) / 8;
}

uint32_t codingPixelGroup(uint32_t coding) {
    if (coding == FWC_CODING_YUV411) return 4;
    return coding == FWC_CODING_YUV422 ? 2 : 1;
}

FixedGeometry fixedGeometry(uint32_t format, uint32_t mode) {
    struct Entry {
        uint32_t width, height, coding;
    };
    static constexpr Entry kFormat0Modes[] = {
        {160, 120, FWC_CODING_YUV444}, {320, 240, FWC_CODING_YUV422}, {640, 480, FWC_CODING_YUV411},
        {640, 480, FWC_CODING_YUV422}, {640, 480, FWC_CODING_RGB8},   {640, 480, FWC_CODING_MONO8},
        {640, 480, FWC_CODING_MONO16}};
    static constexpr Entry kFormat1Modes[] = {
        {800, 600, FWC_CODING_YUV422}, {800, 600, FWC_CODING_RGB8},
        {800, 600, FWC_CODING_MONO8},  {1024, 768, FWC_CODING_YUV422},
        {1024, 768, FWC_CODING_RGB8},  {1024, 768, FWC_CODING_MONO8},
        {800, 600, FWC_CODING_MONO16}, {1024, 768, FWC_CODING_MONO16}};
    static constexpr Entry kFormat2Modes[] = {
        {1280, 960, FWC_CODING_YUV422}, {1280, 960, FWC_CODING_RGB8},
        {1280, 960, FWC_CODING_MONO8},  {1600, 1200, FWC_CODING_YUV422},
        {1600, 1200, FWC_CODING_RGB8},  {1600, 1200, FWC_CODING_MONO8},
        {1280, 960, FWC_CODING_MONO16}, {1600, 1200, FWC_CODING_MONO16}};
    const Entry* table = nullptr;
    uint32_t modes = 0;
    switch (format) {
    case 0:
        table = kFormat0Modes;
        modes = 7;
        break;
    case 1:
        table = kFormat1Modes;
        modes = 8;
        break;
    case 2:
        table = kFormat2Modes;
        modes = 8;
        break;
    default: return {};
    }
    if (mode >= modes) return {};
    return {table[mode].width, table[mode].height, table[mode].coding, true};
}

double fixedFrameRate(uint32_t rateCode) { return 1.875 * static_cast<double>(1u << rateCode); }

double format7FrameRate(uint32_t busLoad, uint64_t bytesPerFrame) {
    if (bytesPerFrame == 0) return 0.0;
    return busLoad / 1000.0 * 4096.0 * 8000.0 / static_cast<double>(bytesPerFrame);
}

}  // namespace fwc
