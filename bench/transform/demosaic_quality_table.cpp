#include "demosaic_quality_table.h"

#include <dc1394/conversions.h>

#include <cstdio>
#include <functional>
#include <opencv2/imgproc.hpp>

#include "bench_inputs.h"
#include "fwtransform.h"
#include "opencv_bayer_codes.h"
#include "transform/image_comparison.h"
#include "transform/test_images.h"

namespace fwt::bench {
namespace {

constexpr int sceneWidth = 640;
constexpr int sceneHeight = 480;
// Pixels left out at each edge for the inside figure: edges are where methods differ most.
constexpr std::size_t edge = 4;

using Demosaic = std::function<std::vector<uint8_t>(const std::vector<uint8_t>& mosaic)>;

struct Method {
    const char* name;
    Demosaic run;
};

std::vector<uint8_t> withOpenCv(const std::vector<uint8_t>& mosaic, int code) {
    cv::Mat source(sceneHeight, sceneWidth, CV_8UC1, const_cast<uint8_t*>(mosaic.data()));
    cv::Mat bgr;
    cv::cvtColor(source, bgr, code);
    return {bgr.data, bgr.data + bgr.total() * 3};
}

std::vector<uint8_t> withDc1394(const std::vector<uint8_t>& mosaic, dc1394bayer_method_t method) {
    std::vector<uint8_t> rgb(3 * mosaic.size());
    dc1394_bayer_decoding_8bit(mosaic.data(), rgb.data(), sceneWidth, sceneHeight,
                               DC1394_COLOR_FILTER_RGGB, method);
    for (std::size_t i = 0; i < rgb.size(); i += 3) std::swap(rgb[i], rgb[i + 2]);
    return rgb;
}

const Method methods[] = {
    {"fwtransform",
     [](const std::vector<uint8_t>& mosaic) {
         std::vector<uint8_t> bgr(3 * mosaic.size());
         FWT_Raw8ToBGR(bgr.data(), mosaic.data(), sceneWidth, sceneHeight, FWT_BAYER_RGGB);
         return bgr;
     }},
    {"OpenCV bilinear", [](const auto& mosaic) { return withOpenCv(mosaic, opencvRggbToBgr); }},
    {"OpenCV edge-aware",
     [](const auto& mosaic) { return withOpenCv(mosaic, opencvRggbToBgrEdgeAware); }},
    {"libdc1394 bilinear",
     [](const auto& mosaic) { return withDc1394(mosaic, DC1394_BAYER_METHOD_BILINEAR); }},
    {"libdc1394 HQ linear",
     [](const auto& mosaic) { return withDc1394(mosaic, DC1394_BAYER_METHOD_HQLINEAR); }},
};

// PSNR over the pixels at least `margin` from every edge.
double psnrInside(const test::BgrImage& scene, const std::vector<uint8_t>& converted,
                  std::size_t margin) {
    std::vector<uint8_t> truth, inside;
    for (std::size_t y = margin; y + margin < scene.height; ++y) {
        std::size_t begin = 3 * (y * scene.width + margin);
        std::size_t end = 3 * ((y + 1) * scene.width - margin);
        truth.insert(truth.end(), scene.pixels.begin() + static_cast<std::ptrdiff_t>(begin),
                     scene.pixels.begin() + static_cast<std::ptrdiff_t>(end));
        inside.insert(inside.end(), converted.begin() + static_cast<std::ptrdiff_t>(begin),
                      converted.begin() + static_cast<std::ptrdiff_t>(end));
    }
    return test::psnr(truth, inside);
}

}  // namespace

void printDemosaicQualityTable() {
    struct Scene {
        const char* name;
        test::BgrImage image;
    };
    const Scene scenes[] = {{"zone plate", test::zonePlate(sceneWidth, sceneHeight)},
                            {"shapes", shapesScene(sceneWidth, sceneHeight)}};
    std::printf("Demosaic PSNR (dB) against the scene, %dx%d RGGB; whole image / %zu px in\n\n",
                sceneWidth, sceneHeight, edge);
    std::printf("| Method | zone plate | shapes |\n|---|---|---|\n");
    for (const Method& method : methods) {
        std::printf("| %s |", method.name);
        for (const Scene& scene : scenes) {
            std::vector<uint8_t> converted = method.run(test::bayerMosaic(scene.image, 0));
            std::printf(" %.2f / %.2f |", test::psnr(scene.image.pixels, converted),
                        psnrInside(scene.image, converted, edge));
        }
        std::printf("\n");
    }
    std::printf("\n");
}

}  // namespace fwt::bench
