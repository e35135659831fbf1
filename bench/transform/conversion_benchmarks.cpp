#include "conversion_benchmarks.h"

#include <benchmark/benchmark.h>
#include <dc1394/conversions.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>
#include <string>

#include "bench_inputs.h"
#include "fwtransform.h"
#include "kernels/kernel_set.h"
#include "kernels/processor_tier.h"
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
    std::string implementation;
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

// The kernels of one tier, called directly (the arguments are valid): every tier this
// processor runs is measured in the same run, whichever the library chose.
struct TierConversion {
    const char* conversion;
    std::size_t outputBytesPerPixel;
    void (*run)(const KernelSet& kernels, const BenchInputs& in, uint8_t* out);
};

const TierConversion tierConversions[] = {
    {"bayer8_to_bgr", 3,
     [](const KernelSet& kernels, const BenchInputs& in, uint8_t* out) {
         kernels.raw8ToBgr(out, in.bayer8.data(), in.width, in.height, FWT_BAYER_RGGB);
     }},
    {"bayer16_to_bgr", 3,
     [](const KernelSet& kernels, const BenchInputs& in, uint8_t* out) {
         kernels.raw16ToBgr(out, in.bayer16.data(), in.width, in.height, FWT_BAYER_RGGB);
     }},
    {"yuv422_to_bgr", 3,
     [](const KernelSet& kernels, const BenchInputs& in, uint8_t* out) {
         kernels.yuv422ToBgr(out, in.yuv422.data(), in.pixels() / 2);
     }},
    {"yuv411_to_bgr", 3,
     [](const KernelSet& kernels, const BenchInputs& in, uint8_t* out) {
         kernels.yuv411ToBgr(out, in.yuv411.data(), in.pixels() / 4);
     }},
    {"rgb8_to_bgr", 3,
     [](const KernelSet& kernels, const BenchInputs& in, uint8_t* out) {
         kernels.rgbToBgr(out, in.rgb8.data(), in.pixels());
     }},
    {"y16_to_y8", 1,
     [](const KernelSet& kernels, const BenchInputs& in, uint8_t* out) {
         kernels.grey16ToGrey8(out, in.grey16.data(), in.pixels());
     }},
    {"cygm_bin_to_bgr", 3,
     [](const KernelSet& kernels, const BenchInputs& in, uint8_t* out) {
         kernels.cygmToBgr(out, in.cygmFields.data(), in.width, in.height, FWT_BAYER_RGGB);
     }},
};

Candidate tierCandidate(const TierConversion& conversion, Tier tier) {
    const KernelSet* kernels = &kernelsOf(tier);
    auto run = conversion.run;
    return {conversion.conversion, std::string("fwtransform_") + tierName(tier),
            conversion.outputBytesPerPixel,
            [kernels, run](const BenchInputs& in, uint8_t* out, Scratch&) {
                run(*kernels, in, out);
                return 0;
            }};
}

// OpenCV reads OPENCV_CPU_DISABLE once, when it is loaded. When it was told to leave out
// AVX and wider that this processor has, this run compares the SSE4.1 tier with OpenCV so
// limited: its OpenCV rows are named opencv_sse41_*, and only they and that tier run.
bool opencvLimitedToSse41() {
    return processorTier() >= Tier::avx2 && !cv::checkHardwareSupport(CV_CPU_AVX);
}

std::vector<Candidate> candidatesToRun() {
    bool limited = opencvLimitedToSse41();
    std::vector<Candidate> chosen;
    for (const Candidate& candidate : candidates) {
        bool opencv = candidate.implementation.rfind("opencv", 0) == 0;
        if (limited && opencv) {
            Candidate renamed = candidate;
            renamed.implementation.insert(6, "_sse41");
            chosen.push_back(renamed);
        } else if (!limited) {
            chosen.push_back(candidate);
        }
        if (candidate.implementation != "fwtransform") continue;
        for (const TierConversion& conversion : tierConversions) {
            if (std::string(conversion.conversion) != candidate.conversion) continue;
            for (Tier tier : kAllTiers)
                if (tier <= processorTier() && (!limited || tier == Tier::sse41))
                    chosen.push_back(tierCandidate(conversion, tier));
        }
    }
    return chosen;
}

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
    std::printf("FwTransform tier: %s. OpenCV dispatch: %s\n\n", FWT_GetActiveTier(),
                opencvLimitedToSse41() ? "SSE4.1 (OPENCV_CPU_DISABLE)" : "all it has");
    const std::pair<uint32_t, uint32_t> sizes[] = {{640, 480}, {1600, 1200}};
    static const std::vector<Candidate> chosen = candidatesToRun();
    for (auto [width, height] : sizes) {
        for (const Candidate& candidate : chosen) {
            std::string name = std::string(candidate.conversion) + "/" + candidate.implementation +
                               "/" + std::to_string(width) + "x" + std::to_string(height);
            benchmark::RegisterBenchmark(name.c_str(), runCandidate, candidate, width, height)
                ->Unit(benchmark::kMicrosecond);
        }
    }
}

}  // namespace fwt::bench
