#include "conversion_benchmarks.h"

#include <benchmark/benchmark.h>
#include <dc1394/conversions.h>

#include <cstring>
#include <functional>
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>
#include <string>

#include "bench_inputs.h"
#include "fwtransform.h"
#include "opencv_bayer_codes.h"

namespace fwt::bench {
namespace {

// Buffers an implementation may use besides its output, allocated before timing.
struct Scratch {
    std::vector<uint8_t> mosaic8;
    std::vector<uint8_t> outputSized;
};

using Run = std::function<int32_t(const BenchInputs&, uint8_t* out, Scratch&)>;

struct Candidate {
    const char* conversion;
    const char* implementation;
    std::size_t outputBytesPerPixel;
    Run run;
};

cv::Mat view(const std::vector<uint8_t>& bytes, const BenchInputs& in, int type) {
    return cv::Mat(static_cast<int>(in.height), static_cast<int>(in.width), type,
                   const_cast<uint8_t*>(bytes.data()));
}
cv::Mat view(uint8_t* bytes, const BenchInputs& in, int type) {
    return cv::Mat(static_cast<int>(in.height), static_cast<int>(in.width), type, bytes);
}
uint8_t* writable(const std::vector<uint8_t>& bytes) { return const_cast<uint8_t*>(bytes.data()); }

// The output written by memcpy: the physical limit of any conversion of this size.
Run copyOfOutput(std::size_t bytesPerPixel) {
    return [bytesPerPixel](const BenchInputs& in, uint8_t* out, Scratch& scratch) {
        std::memcpy(out, scratch.outputSized.data(), bytesPerPixel * in.pixels());
        return 0;
    };
}

Run dc1394Bayer(dc1394bayer_method_t method) {
    return [method](const BenchInputs& in, uint8_t* out, Scratch&) {
        return dc1394_bayer_decoding_8bit(in.bayer8.data(), out, in.width, in.height,
                                          DC1394_COLOR_FILTER_RGGB, method);
    };
}

Run dc1394ToRgb(const std::vector<uint8_t> BenchInputs::*source, dc1394color_coding_t coding) {
    return [source, coding](const BenchInputs& in, uint8_t* out, Scratch&) {
        return dc1394_convert_to_RGB8(writable(in.*source), out, in.width, in.height,
                                      DC1394_BYTE_ORDER_UYVY, coding, 8);
    };
}

const Candidate candidates[] = {
    {"bayer8_to_bgr", "fwtransform", 3,
     [](const BenchInputs& in, uint8_t* out, Scratch&) {
         return FWT_Raw8ToBGR(out, in.bayer8.data(), in.width, in.height, FWT_BAYER_RGGB);
     }},
    {"bayer8_to_bgr", "opencv_bilinear", 3,
     [](const BenchInputs& in, uint8_t* out, Scratch&) {
         cv::Mat target = view(out, in, CV_8UC3);
         cv::cvtColor(view(in.bayer8, in, CV_8UC1), target, opencvRggbToBgr);
         return 0;
     }},
    {"bayer8_to_bgr", "opencv_edge_aware", 3,
     [](const BenchInputs& in, uint8_t* out, Scratch&) {
         cv::Mat target = view(out, in, CV_8UC3);
         cv::cvtColor(view(in.bayer8, in, CV_8UC1), target, opencvRggbToBgrEdgeAware);
         return 0;
     }},
    {"bayer8_to_bgr", "dc1394_bilinear", 3, dc1394Bayer(DC1394_BAYER_METHOD_BILINEAR)},
    {"bayer8_to_bgr", "dc1394_hqlinear", 3, dc1394Bayer(DC1394_BAYER_METHOD_HQLINEAR)},
    {"bayer8_to_bgr", "memcpy", 3, copyOfOutput(3)},

    {"bayer16_to_bgr", "fwtransform", 3,
     [](const BenchInputs& in, uint8_t* out, Scratch&) {
         return FWT_Raw16ToBGR(out, in.bayer16.data(), in.width, in.height,
                               FWT_RAW16_MSB8 | FWT_RAW16_PATTERN(FWT_BAYER_RGGB));
     }},
    {"bayer16_to_bgr", "opencv_convertto_bilinear", 3,
     [](const BenchInputs& in, uint8_t* out, Scratch& scratch) {
         cv::Mat mosaic = view(scratch.mosaic8.data(), in, CV_8UC1);
         view(in.bayer16Native, in, CV_16UC1).convertTo(mosaic, CV_8U, 1.0 / 256);
         cv::Mat target = view(out, in, CV_8UC3);
         cv::cvtColor(mosaic, target, opencvRggbToBgr);
         return 0;
     }},
    {"bayer16_to_bgr", "memcpy", 3, copyOfOutput(3)},

    {"yuv422_to_bgr", "fwtransform", 3,
     [](const BenchInputs& in, uint8_t* out, Scratch&) {
         return FWT_YUV422ToBGR(out, in.yuv422.data(), static_cast<uint32_t>(in.pixels()));
     }},
    {"yuv422_to_bgr", "opencv", 3,
     [](const BenchInputs& in, uint8_t* out, Scratch&) {
         cv::Mat target = view(out, in, CV_8UC3);
         cv::cvtColor(view(in.yuv422, in, CV_8UC2), target, cv::COLOR_YUV2BGR_UYVY);
         return 0;
     }},
    {"yuv422_to_bgr", "dc1394", 3, dc1394ToRgb(&BenchInputs::yuv422, DC1394_COLOR_CODING_YUV422)},
    {"yuv422_to_bgr", "memcpy", 3, copyOfOutput(3)},

    {"yuv411_to_bgr", "fwtransform", 3,
     [](const BenchInputs& in, uint8_t* out, Scratch&) {
         return FWT_YUV411ToBGR(out, in.yuv411.data(), static_cast<uint32_t>(in.pixels()));
     }},
    {"yuv411_to_bgr", "dc1394", 3, dc1394ToRgb(&BenchInputs::yuv411, DC1394_COLOR_CODING_YUV411)},
    {"yuv411_to_bgr", "memcpy", 3, copyOfOutput(3)},

    {"rgb8_to_bgr", "fwtransform", 3,
     [](const BenchInputs& in, uint8_t* out, Scratch&) {
         return FWT_RGB8ToBGR(out, in.rgb8.data(), static_cast<uint32_t>(in.pixels()));
     }},
    {"rgb8_to_bgr", "opencv", 3,
     [](const BenchInputs& in, uint8_t* out, Scratch&) {
         cv::Mat target = view(out, in, CV_8UC3);
         cv::cvtColor(view(in.rgb8, in, CV_8UC3), target, cv::COLOR_RGB2BGR);
         return 0;
     }},
    {"rgb8_to_bgr", "memcpy", 3, copyOfOutput(3)},

    {"y16_to_y8", "fwtransform", 1,
     [](const BenchInputs& in, uint8_t* out, Scratch&) {
         return FWT_Y16ToY8(out, in.grey16.data(), static_cast<uint32_t>(in.pixels()));
     }},
    {"y16_to_y8", "opencv_convertto", 1,
     [](const BenchInputs& in, uint8_t* out, Scratch&) {
         cv::Mat target = view(out, in, CV_8UC1);
         view(in.grey16Native, in, CV_16UC1).convertTo(target, CV_8U, 1.0 / 256);
         return 0;
     }},
    {"y16_to_y8", "dc1394", 1,
     [](const BenchInputs& in, uint8_t* out, Scratch&) {
         return dc1394_convert_to_MONO8(writable(in.grey16), out, in.width, in.height,
                                        DC1394_BYTE_ORDER_UYVY, DC1394_COLOR_CODING_MONO16, 16);
     }},
    {"y16_to_y8", "memcpy", 1, copyOfOutput(1)},

    {"cygm_bin_to_bgr", "fwtransform", 3,
     [](const BenchInputs& in, uint8_t* out, Scratch&) {
         return FWT_IRaw8CYGMToBGR_Bin(out, in.cygmFields.data(), in.width, in.height,
                                       FWT_BAYER_RGGB);
     }},
    {"cygm_bin_to_bgr", "memcpy", 3, copyOfOutput(3)},

    {"deinterlace", "fwtransform", 1,
     [](const BenchInputs& in, uint8_t* out, Scratch&) {
         return FWT_InterlacedToProgressive(out, in.greyFields.data(), in.width, in.height);
     }},
    {"deinterlace", "memcpy", 1, copyOfOutput(1)},
};

void runCandidate(benchmark::State& state, const Candidate& candidate, uint32_t width,
                  uint32_t height) {
    const BenchInputs& inputs = benchInputs(width, height);
    std::size_t outputBytes = candidate.outputBytesPerPixel * inputs.pixels();
    std::vector<uint8_t> out(outputBytes);
    Scratch scratch{std::vector<uint8_t>(inputs.pixels()), std::vector<uint8_t>(outputBytes, 1)};
    for (auto _ : state) {
        if (candidate.run(inputs, out.data(), scratch) != 0) {
            state.SkipWithError("conversion failed");
            break;
        }
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * inputs.pixels()));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * outputBytes));
}

}  // namespace

void registerConversionBenchmarks() {
    const std::pair<uint32_t, uint32_t> sizes[] = {{640, 480}, {1600, 1200}};
    for (auto [width, height] : sizes) {
        for (const Candidate& candidate : candidates) {
            std::string name = std::string(candidate.conversion) + "/" + candidate.implementation +
                               "/" + std::to_string(width) + "x" + std::to_string(height);
            benchmark::RegisterBenchmark(name.c_str(), runCandidate, candidate, width, height)
                ->Unit(benchmark::kMicrosecond);
        }
    }
}

}  // namespace fwt::bench
