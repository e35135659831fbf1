// The moving test scene: colour bars over a grey ramp, rendered once per sensor size,
// and per frame a moving square and the frame number's block code.
#pragma once

#include <cstdint>
#include <vector>

#include "pixel_tables.h"

namespace fwc {

struct FrameWindow {
    uint32_t left = 0;
    uint32_t top = 0;
    uint32_t width = 0;
    uint32_t height = 0;
};

class SceneTemplate {
public:
    // Renders the still part of the scene for a sensor of this size (allocates).
    void render(uint32_t sensorWidth, uint32_t sensorHeight);

    // Writes frame frameNumber, cut to window (inside the sensor), processed by tables,
    // into out: window.width * window.height * channels bytes, channels 1 (grey) or
    // 3 (BGR). Allocates nothing.
    void compose(uint32_t frameNumber, const FrameWindow& window, uint32_t channels,
                 const PixelTables& tables, uint8_t* out) const;

    uint32_t sensorWidth() const { return width_; }
    uint32_t sensorHeight() const { return height_; }

private:
    uint32_t width_ = 0;
    uint32_t height_ = 0;
    std::vector<uint8_t> bgr_;
    std::vector<uint8_t> grey_;
};

}  // namespace fwc
