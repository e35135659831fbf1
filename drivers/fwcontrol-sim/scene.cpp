#include "scene.h"

#include <algorithm>
#include <cstring>

#include "frame_code.h"

namespace fwc {
namespace {

struct Bgr {
    uint8_t b, g, r;
};

// White, yellow, cyan, green, magenta, red, blue, black.
constexpr Bgr kColourBars[8] = {{255, 255, 255}, {0, 255, 255}, {255, 255, 0}, {0, 255, 0},
                                {255, 0, 255},   {0, 0, 255},   {255, 0, 0},   {0, 0, 0}};
constexpr Bgr kSquareColour = {32, 128, 255};

uint8_t luma(const Bgr& colour) {
    return static_cast<uint8_t>(
        (7471u * colour.b + 38470u * colour.g + 19595u * colour.r + 32768u) >> 16);
}

// Position on a path that goes 0 → span → 0, one step per frame.
uint32_t bounce(uint32_t step, uint32_t span) {
    if (span == 0) return 0;
    const uint32_t phase = step % (2 * span);
    return phase <= span ? phase : 2 * span - phase;
}

}  // namespace

void SceneTemplate::render(uint32_t sensorWidth, uint32_t sensorHeight) {
    width_ = sensorWidth;
    height_ = sensorHeight;
    bgr_.assign(static_cast<size_t>(width_) * height_ * 3, 0);
    grey_.assign(static_cast<size_t>(width_) * height_, 0);
    const uint32_t barsEnd = height_ * 2 / 3;
    for (uint32_t y = 0; y < height_; ++y) {
        for (uint32_t x = 0; x < width_; ++x) {
            Bgr colour;
            if (y < barsEnd) {
                colour = kColourBars[x * 8 / width_];
            } else {
                const auto level = static_cast<uint8_t>(width_ > 1 ? x * 255 / (width_ - 1) : 0);
                colour = {level, level, level};
            }
            const size_t pixel = static_cast<size_t>(y) * width_ + x;
            bgr_[pixel * 3] = colour.b;
            bgr_[pixel * 3 + 1] = colour.g;
            bgr_[pixel * 3 + 2] = colour.r;
            grey_[pixel] = luma(colour);
        }
    }
}

void SceneTemplate::compose(uint32_t frameNumber, const FrameWindow& window, uint32_t channels,
                            const PixelTables& tables, uint8_t* out) const {
    const std::vector<uint8_t>& source = channels == 1 ? grey_ : bgr_;
    const size_t rowBytes = static_cast<size_t>(window.width) * channels;
    for (uint32_t y = 0; y < window.height; ++y) {
        const size_t start =
            ((static_cast<size_t>(window.top) + y) * width_ + window.left) * channels;
        std::memcpy(out + y * rowBytes, source.data() + start, rowBytes);
    }
    // The square moves across the whole sensor; the window shows what falls into it.
    const uint32_t side = std::max<uint32_t>(4, std::min(width_, height_) / 6);
    const uint32_t squareLeft = bounce(frameNumber * 3, width_ > side ? width_ - side : 0);
    const uint32_t squareTop = bounce(frameNumber * 2, height_ > side ? height_ - side : 0);
    const uint32_t fromX = std::max(squareLeft, window.left);
    const uint32_t toX = std::min(squareLeft + side, window.left + window.width);
    const uint32_t fromY = std::max(squareTop, window.top);
    const uint32_t toY = std::min(squareTop + side, window.top + window.height);
    const uint8_t squareGrey = luma(kSquareColour);
    for (uint32_t y = fromY; y < toY; ++y) {
        uint8_t* line = out + (y - window.top) * rowBytes;
        for (uint32_t x = fromX; x < toX; ++x) {
            uint8_t* pixel = line + static_cast<size_t>(x - window.left) * channels;
            if (channels == 1) {
                pixel[0] = squareGrey;
            } else {
                pixel[0] = kSquareColour.b;
                pixel[1] = kSquareColour.g;
                pixel[2] = kSquareColour.r;
            }
        }
    }
    const size_t pixels = static_cast<size_t>(window.width) * window.height;
    if (channels == 1) {
        const auto& grey = tables.channel[tableGrey];
        for (size_t i = 0; i < pixels; ++i) out[i] = grey[out[i]];
    } else {
        for (size_t i = 0; i < pixels * 3; i += 3) {
            out[i] = tables.channel[tableBlue][out[i]];
            out[i + 1] = tables.channel[tableGreen][out[i + 1]];
            out[i + 2] = tables.channel[tableRed][out[i + 2]];
        }
    }
    drawFrameCode(out, window.width, window.height, channels, frameNumber);
}

}  // namespace fwc
