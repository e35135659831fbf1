// Differences between a converted image and the scene it came from.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "transform/test_images.h"

namespace fwt::test {

// Largest per-channel difference over the pixels with x in [margin, width - margin) and
// y likewise; margin 0 is the whole image.
inline int maxDifference(const BgrImage& scene, const std::vector<uint8_t>& converted,
                         std::size_t margin = 0) {
    int largest = 0;
    for (std::size_t y = margin; y + margin < scene.height; ++y) {
        for (std::size_t x = margin; x + margin < scene.width; ++x) {
            for (std::size_t c = 0; c < 3; ++c) {
                std::size_t i = 3 * (y * scene.width + x) + c;
                largest = std::max(largest, std::abs(scene.pixels[i] - converted[i]));
            }
        }
    }
    return largest;
}

inline double psnr(const std::vector<uint8_t>& truth, const std::vector<uint8_t>& converted) {
    double squares = 0;
    for (std::size_t i = 0; i < truth.size(); ++i) {
        double difference = static_cast<double>(truth[i]) - converted[i];
        squares += difference * difference;
    }
    double mean = squares / static_cast<double>(truth.size());
    return 10 * std::log10(255.0 * 255.0 / mean);
}

}  // namespace fwt::test
