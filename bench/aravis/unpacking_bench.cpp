// Unpacking a 1920 × 1200 frame of 12-bit pixels into the library's big-endian 16-bit
// words: the bus's unpacking beside a plain per-pixel loop over the bit stream.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "frame_conversion.h"
#include "fwcontrol.h"

namespace {

constexpr uint32_t kWidth = 1920;
constexpr uint32_t kHeight = 1200;
constexpr size_t kPixels = size_t{kWidth} * kHeight;

std::vector<uint8_t> packedFrame(size_t bytes) {
    std::vector<uint8_t> frame(bytes);
    uint32_t state = 12345;
    for (uint8_t& byte : frame)
        byte = static_cast<uint8_t>((state = state * 1103515245u + 12345u) >> 16);
    return frame;
}

void storeWord(uint8_t* out, uint32_t sample) {
    out[0] = static_cast<uint8_t>(sample >> 4);
    out[1] = static_cast<uint8_t>(sample << 4);
}

void report(benchmark::State& state) {
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * kPixels));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kPixels * 2));
}

void libraryUnpacking(benchmark::State& state, fwaravis::PixelLayout layout) {
    const fwaravis::PixelFormatMapping mapping{FWC_CODING_MONO16, fwaravis::kNoBayerPattern, layout,
                                               12};
    const auto in = packedFrame(fwaravis::cameraFrameBytes(mapping, kWidth, kHeight));
    std::vector<uint8_t> out(kPixels * 2);
    for (auto _ : state) {
        fwaravis::convertFrame(mapping, in.data(), out.data(), kWidth, kHeight);
        benchmark::DoNotOptimize(out.data());
    }
    report(state);
}

void BM_Mono12p_Bus(benchmark::State& state) {
    libraryUnpacking(state, fwaravis::PixelLayout::PackedLsbFirst);
}

void BM_Mono12p_PlainLoop(benchmark::State& state) {
    const auto in = packedFrame(kPixels * 3 / 2 + 1);
    std::vector<uint8_t> out(kPixels * 2);
    for (auto _ : state) {
        for (size_t pixel = 0; pixel < kPixels; ++pixel) {
            const size_t bit = pixel * 12;
            const uint32_t pair = in[bit / 8] | (uint32_t{in[bit / 8 + 1]} << 8);
            storeWord(&out[pixel * 2], (pair >> (bit % 8)) & 0xFFF);
        }
        benchmark::DoNotOptimize(out.data());
    }
    report(state);
}

void BM_Bayer12Packed_Bus(benchmark::State& state) {
    libraryUnpacking(state, fwaravis::PixelLayout::PackedTwoInThree);
}

void BM_Bayer12Packed_PlainLoop(benchmark::State& state) {
    const auto in = packedFrame(kPixels * 3 / 2);
    std::vector<uint8_t> out(kPixels * 2);
    for (auto _ : state) {
        for (size_t pixel = 0; pixel < kPixels; ++pixel) {
            const uint8_t* group = &in[pixel / 2 * 3];
            const uint32_t low = pixel % 2 == 0 ? group[1] & 0x0F : group[1] >> 4;
            storeWord(&out[pixel * 2], (uint32_t{group[pixel % 2 == 0 ? 0 : 2]} << 4) | low);
        }
        benchmark::DoNotOptimize(out.data());
    }
    report(state);
}

BENCHMARK(BM_Mono12p_Bus)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Mono12p_PlainLoop)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Bayer12Packed_Bus)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Bayer12Packed_PlainLoop)->Unit(benchmark::kMillisecond);

}  // namespace
