#include "frame_code.h"

#include <algorithm>

namespace fwc {
namespace {

constexpr uint32_t kCellCount = kFrameCodeBits + 2;

struct CodeLayout {
    uint32_t cellWidth = 0;
    uint32_t bandHeight = 0;
    bool fits() const { return cellWidth >= 2 && bandHeight >= 8; }
};

CodeLayout layoutFor(uint32_t width, uint32_t height) {
    CodeLayout layout;
    layout.cellWidth = std::min<uint32_t>(16, (width / kCellCount) & ~1u);
    layout.bandHeight = std::min<uint32_t>(16, height & ~1u);
    return layout;
}

bool cellIsWhite(uint32_t cell, uint32_t frameNumber) {
    if (cell < 2) return cell == 0;
    const uint32_t bit = kFrameCodeBits - 1 - (cell - 2);
    return ((frameNumber >> bit) & 1u) != 0;
}

}  // namespace

void drawFrameCode(uint8_t* image, uint32_t width, uint32_t height, uint32_t channels,
                   uint32_t frameNumber) {
    const CodeLayout layout = layoutFor(width, height);
    if (!layout.fits()) return;
    for (uint32_t row = 0; row < layout.bandHeight; ++row) {
        uint8_t* line = image + static_cast<size_t>(row) * width * channels;
        for (uint32_t cell = 0; cell < kCellCount; ++cell) {
            const uint8_t level = cellIsWhite(cell, frameNumber) ? 255 : 0;
            std::fill_n(line + static_cast<size_t>(cell) * layout.cellWidth * channels,
                        layout.cellWidth * channels, level);
        }
    }
}

bool readFrameCode(const uint8_t* image, uint32_t width, uint32_t height, uint32_t channels,
                   uint32_t& frameNumber) {
    const CodeLayout layout = layoutFor(width, height);
    if (image == nullptr || (channels != 1 && channels != 3) || !layout.fits()) return false;
    // Rows 2..5 of a 16-row band stay inside the band in either field of a
    // field-sequential frame; the middle half of each cell keeps off its edges.
    const uint32_t firstRow = layout.bandHeight / 8;
    const uint32_t lastRow = layout.bandHeight * 3 / 8;
    uint32_t number = 0;
    for (uint32_t cell = 0; cell < kCellCount; ++cell) {
        const uint32_t firstColumn = cell * layout.cellWidth + layout.cellWidth / 4;
        const uint32_t lastColumn = cell * layout.cellWidth + (layout.cellWidth * 3 + 3) / 4 - 1;
        uint64_t sum = 0;
        uint32_t samples = 0;
        for (uint32_t row = firstRow; row <= lastRow; ++row) {
            for (uint32_t column = firstColumn; column <= lastColumn; ++column) {
                for (uint32_t channel = 0; channel < channels; ++channel) {
                    sum += image[(static_cast<size_t>(row) * width + column) * channels + channel];
                    ++samples;
                }
            }
        }
        const bool white = sum >= 128u * samples;
        if (cell < 2) {
            if (white != (cell == 0)) return false;
        } else {
            number = (number << 1) | (white ? 1u : 0u);
        }
    }
    frameNumber = number;
    return true;
}

}  // namespace fwc
