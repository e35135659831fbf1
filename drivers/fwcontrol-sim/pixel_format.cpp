#include "pixel_format.h"

namespace fwsim {

bool isKnownCoding(uint32_t coding) {
    return coding <= codingRaw16 || (coding >= codingMonoR && coding <= codingMonoB);
}

uint32_t codingBitDepth(uint32_t coding) {
    switch (coding) {
    case codingYuv411: return 12;
    case codingYuv422: return 16;
    case codingYuv444:
    case codingRgb8: return 24;
    case codingMono16:
    case codingSmono16:
    case codingRaw16: return 16;
    case codingRgb16:
    case codingSrgb16: return 48;
    default: return 8;
    }
}

bool isGreyCoding(uint32_t coding) {
    return coding == codingMono8 || coding == codingMono16 || coding == codingSmono16;
}

uint64_t frameBytes(uint32_t coding, uint32_t width, uint32_t height) {
    return uint64_t{width} * height * codingBitDepth(coding) / 8;
}

uint32_t codingPixelGroup(uint32_t coding) {
    if (coding == codingYuv411) return 4;
    return coding == codingYuv422 ? 2 : 1;
}

FixedGeometry fixedGeometry(uint32_t format, uint32_t mode) {
    struct Entry {
        uint32_t width, height, coding;
    };
    static constexpr Entry format0[] = {{160, 120, codingYuv444}, {320, 240, codingYuv422},
                                        {640, 480, codingYuv411}, {640, 480, codingYuv422},
                                        {640, 480, codingRgb8},   {640, 480, codingMono8},
                                        {640, 480, codingMono16}};
    static constexpr Entry format1[] = {{800, 600, codingYuv422}, {800, 600, codingRgb8},
                                        {800, 600, codingMono8},  {1024, 768, codingYuv422},
                                        {1024, 768, codingRgb8},  {1024, 768, codingMono8},
                                        {800, 600, codingMono16}, {1024, 768, codingMono16}};
    static constexpr Entry format2[] = {{1280, 960, codingYuv422}, {1280, 960, codingRgb8},
                                        {1280, 960, codingMono8},  {1600, 1200, codingYuv422},
                                        {1600, 1200, codingRgb8},  {1600, 1200, codingMono8},
                                        {1280, 960, codingMono16}, {1600, 1200, codingMono16}};
    const Entry* table = nullptr;
    uint32_t modes = 0;
    switch (format) {
    case 0:
        table = format0;
        modes = 7;
        break;
    case 1:
        table = format1;
        modes = 8;
        break;
    case 2:
        table = format2;
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

}  // namespace fwsim
