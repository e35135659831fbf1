#include "bench_inputs.h"

#include <cmath>
#include <cstring>
#include <map>
#include <memory>
#include <utility>

namespace fwt::bench {
namespace {

std::vector<uint8_t> nativeOrder(const std::vector<uint8_t>& bigEndian) {
    std::vector<uint8_t> native(bigEndian.size());
    for (std::size_t i = 0; i + 1 < bigEndian.size(); i += 2) {
        uint16_t word = static_cast<uint16_t>(bigEndian[i] << 8 | bigEndian[i + 1]);
        std::memcpy(&native[i], &word, 2);
    }
    return native;
}

std::unique_ptr<BenchInputs> makeInputs(uint32_t width, uint32_t height) {
    auto inputs = std::make_unique<BenchInputs>();
    inputs->width = width;
    inputs->height = height;
    test::BgrImage scene = shapesScene(width, height);
    inputs->bayer8 = test::bayerMosaic(scene, 0);
    inputs->bayer16 = test::toBigEndian16(inputs->bayer8, 1);
    inputs->bayer16Native = nativeOrder(inputs->bayer16);
    inputs->yuv411 = test::yuv411(scene);
    inputs->yuv422 = test::yuv422(scene);
    inputs->rgb8 = test::rgb8(scene);
    std::vector<uint8_t> grey(inputs->pixels());
    for (std::size_t i = 0; i < grey.size(); ++i) grey[i] = scene.pixels[3 * i + 1];
    inputs->grey16 = test::toBigEndian16(grey, 2);
    inputs->grey16Native = nativeOrder(inputs->grey16);
    inputs->cygmFields = test::toFields(test::cygmMosaic(scene, 0), width, height);
    inputs->greyFields = test::toFields(grey, width, height);
    return inputs;
}

}  // namespace

const BenchInputs& benchInputs(uint32_t width, uint32_t height) {
    static std::map<std::pair<uint32_t, uint32_t>, std::unique_ptr<BenchInputs>> made;
    auto& inputs = made[{width, height}];
    if (!inputs) inputs = makeInputs(width, height);
    return *inputs;
}

test::BgrImage shapesScene(std::size_t width, std::size_t height) {
    test::BgrImage scene{width, height, std::vector<uint8_t>(3 * width * height)};
    double w = static_cast<double>(width), h = static_cast<double>(height);
    for (std::size_t y = 0; y < height; ++y) {
        for (std::size_t x = 0; x < width; ++x) {
            double fx = static_cast<double>(x) / w, fy = static_cast<double>(y) / h;
            uint8_t bgr[3] = {static_cast<uint8_t>(40 + 150 * fx), 90,
                              static_cast<uint8_t>(60 + 120 * fy)};
            if (std::hypot(fx - 0.3, fy - 0.4) < 0.2) {
                bgr[0] = 30, bgr[1] = 200, bgr[2] = 220;
            } else if (std::hypot(fx - 0.7, fy - 0.6) < 0.15) {
                bgr[0] = 230, bgr[1] = 60, bgr[2] = 40;
            } else if (static_cast<int>(fx * 24) % 2 == 0 && fy > 0.85) {
                bgr[0] = 250, bgr[1] = 250, bgr[2] = 250;
            }
            std::memcpy(&scene.pixels[3 * (y * width + x)], bgr, 3);
        }
    }
    return scene;
}

}  // namespace fwt::bench
