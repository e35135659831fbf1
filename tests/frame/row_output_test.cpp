// Rows as the host reads them: every supported coding compared with the scene the
// simulated camera rendered for that very frame, and the refused row and column spans.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "fwsim.h"
#include "frame/frame_host.h"
#include "support/sim_bus_json.h"

namespace lvc::test {
namespace {

constexpr uint32_t kCameraId = 41;
constexpr int32_t kPort = 2;

std::string oneCameraBus(uint32_t coding, const char* bayer, bool interlaced, uint32_t width,
                         uint32_t height) {
    return simBusJson(
        {SimCamera(kCameraId)
             .model("ROWS")
             .timing("manual")
             .withText("bayer", bayer)
             .with("interlaced", interlaced ? "true" : "false")
             .format7({.maxWidth = width, .maxHeight = height, .codings = {coding}})});
}

// One delivered frame, read row by row inside the CompleteCallback.
struct DeliveredFrame {
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t channels = 0;
    std::vector<uint8_t> pixels;
};

DeliveredFrame grabOneFrame(FrameHost& host) {
    DeliveredFrame frame;
    const auto size = host.open(kPort, host.indexOf("ROWS"));
    frame.width = size[0];
    frame.height = size[1];
    frame.channels = static_cast<uint32_t>(host.property(kPort, "PixelSize")) / 8;
    frame.pixels.assign(std::size_t{frame.width} * frame.height * frame.channels, 0);
    host.setAction([&](int32_t port) {
        const std::size_t rowBytes = std::size_t{frame.width} * frame.channels;
        for (uint32_t row = 0; row < frame.height; ++row)
            EXPECT_EQ(host.plugin().getCVLGrabRow(0, port, &frame.pixels[row * rowBytes], row, 0,
                                                  frame.width - 1),
                      1);
    });
    EXPECT_EQ(host.plugin().doCVLGrab(0, kPort), 1);
    EXPECT_EQ(FWS_Step(kCameraId), 0);
    EXPECT_TRUE(host.waitDeliveries(kPort, 1));
    host.setAction(nullptr);
    return frame;
}

// The scene of the frame's own number, reduced to the channel a single-channel coding of a
// colour scene carries (MONOR, MONOG, MONOB) where the output has one channel.
std::vector<uint8_t> groundTruthOf(const DeliveredFrame& frame, int colourChannel) {
    uint32_t frameNumber = 0;
    EXPECT_EQ(FWS_ReadFrameNumber(frame.pixels.data(), frame.width, frame.height, frame.channels,
                                  &frameNumber),
              0);
    std::vector<uint8_t> truth(std::size_t{frame.width} * frame.height * 3);
    uint32_t channels = 0;
    EXPECT_EQ(FWS_GetGroundTruth(kCameraId, frameNumber, truth.data(),
                                 static_cast<uint32_t>(truth.size()), &channels),
              0);
    truth.resize(std::size_t{frame.width} * frame.height * channels);
    if (channels == frame.channels) return truth;
    std::vector<uint8_t> single(std::size_t{frame.width} * frame.height);
    for (std::size_t pixel = 0; pixel < single.size(); ++pixel)
        single[pixel] = truth[pixel * 3 + colourChannel];
    return single;
}

double meanAbsoluteError(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
    double sum = 0;
    for (std::size_t index = 0; index < a.size(); ++index) sum += std::abs(a[index] - b[index]);
    return sum / static_cast<double>(a.size());
}

struct CodingCase {
    const char* name;
    uint32_t coding;
    const char* bayer;
    bool interlaced;
    uint32_t outputChannels;
    int colourChannel;     // for a one-channel coding of a colour scene: 0 blue, 1 green, 2 red
    double meanTolerance;  // 0: every byte exact
};

// Exact where the coding keeps every pixel's value (grey, RGB8, 16-bit grey reduced to its
// high byte, one colour plane, deinterlacing). Subsampled chroma and mosaics are
// interpolated: there the mean absolute difference per byte stays below the stated bound
// (measured: YUV about 0.16, Bayer about 4.2, CYGM binning about 0.7; a wrong Bayer phase
// or a swapped channel order gives tens).
const CodingCase kCodingCases[] = {
    {"Mono8", FWC_CODING_MONO8, "RGGB", false, 1, 0, 0},
    {"Mono8Interlaced", FWC_CODING_MONO8, "RGGB", true, 1, 0, 0},
    {"RGB8", FWC_CODING_RGB8, "RGGB", false, 3, 0, 0},
    {"MONO16", FWC_CODING_MONO16, "RGGB", false, 1, 0, 0},
    {"SMONO16", FWC_CODING_SMONO16, "RGGB", false, 1, 0, 0},
    {"MONOR", FWC_CODING_MONO_RED, "RGGB", false, 1, 2, 0},
    {"MONOG", FWC_CODING_MONO_GREEN, "RGGB", false, 1, 1, 0},
    {"MONOB", FWC_CODING_MONO_BLUE, "RGGB", false, 1, 0, 0},
    {"YUV411", FWC_CODING_YUV411, "RGGB", false, 3, 0, 1},
    {"YUV422", FWC_CODING_YUV422, "RGGB", false, 3, 0, 1},
    {"RAW8_RGGB", FWC_CODING_RAW8, "RGGB", false, 3, 0, 6},
    {"RAW8_GBRG", FWC_CODING_RAW8, "GBRG", false, 3, 0, 6},
    {"RAW8_GRBG", FWC_CODING_RAW8, "GRBG", false, 3, 0, 6},
    {"RAW8_BGGR", FWC_CODING_RAW8, "BGGR", false, 3, 0, 6},
    {"RAW16_RGGB", FWC_CODING_RAW16, "RGGB", false, 3, 0, 6},
    {"RAW16_BGGR", FWC_CODING_RAW16, "BGGR", false, 3, 0, 6},
    {"RAW8_CYGM_Interlaced", FWC_CODING_RAW8, "RGGB", true, 3, 0, 2},
};

void PrintTo(const CodingCase& coding, std::ostream* stream) { *stream << coding.name; }

class RowsOfEveryCoding : public ::testing::TestWithParam<CodingCase> {};

TEST_P(RowsOfEveryCoding, MatchTheScene) {
    const CodingCase& coding = GetParam();
    FrameHost host(oneCameraBus(coding.coding, coding.bayer, coding.interlaced, 128, 96));
    const DeliveredFrame frame = grabOneFrame(host);
    ASSERT_EQ(frame.channels, coding.outputChannels);
    const std::vector<uint8_t> truth = groundTruthOf(frame, coding.colourChannel);
    ASSERT_EQ(truth.size(), frame.pixels.size());
    if (coding.meanTolerance == 0) {
        EXPECT_EQ(frame.pixels, truth);
    } else {
        EXPECT_LE(meanAbsoluteError(frame.pixels, truth), coding.meanTolerance);
    }
}

INSTANTIATE_TEST_SUITE_P(Codings, RowsOfEveryCoding, ::testing::ValuesIn(kCodingCases),
                         [](const auto& test) { return std::string(test.param.name); });

struct SpanCase {
    const char* name;
    int32_t port;
    uint32_t row;
    uint32_t first;
    uint32_t last;
    bool nullDestination;
    int32_t result;
};

// A 64 x 48 RGB8 camera: 3 bytes per pixel.
const SpanCase kSpanCases[] = {
    {"LastRowWholeWidth", kPort, 47, 0, 63, false, 1},
    {"OneColumn", kPort, 0, 10, 10, false, 1},
    {"RowBelowTheImage", kPort, 48, 0, 63, false, 0},
    {"ColumnPastTheEnd", kPort, 0, 0, 64, false, 0},
    {"NegativeRow", kPort, 0xFFFFFFFFu, 0, 63, false, 0},
    {"NegativeLastColumn", kPort, 0, 0, 0xFFFFFFFFu, false, 0},
    {"FirstAfterLast", kPort, 0, 20, 19, false, 0},
    {"NullDestination", kPort, 0, 0, 63, true, 0},
    {"EmptyPort", kPort + 1, 0, 0, 63, false, 0},
    {"PortBelowRange", -1, 0, 0, 63, false, 0},
    {"PortAboveRange", 64, 0, 0, 63, false, 0},
};

void PrintTo(const SpanCase& span, std::ostream* stream) { *stream << span.name; }

class RowSpans : public ::testing::TestWithParam<SpanCase> {};

TEST_P(RowSpans, CopyExactlyTheSpanOrNothing) {
    const SpanCase& span = GetParam();
    FrameHost host(oneCameraBus(4, "RGGB", false, 64, 48));
    const DeliveredFrame frame = grabOneFrame(host);
    constexpr uint8_t kUntouched = 0xA5;
    std::vector<uint8_t> destination(64 * 3 + 16, kUntouched);
    const int32_t result = host.plugin().getCVLGrabRow(
        0, span.port, span.nullDestination ? nullptr : destination.data(), span.row, span.first,
        span.last);
    ASSERT_EQ(result, span.result);
    const std::size_t copied = result ? (span.last - span.first + 1) * 3 : 0;
    if (copied) {
        const uint8_t* expected = &frame.pixels[(span.row * 64 + span.first) * 3];
        EXPECT_TRUE(std::equal(destination.begin(), destination.begin() + copied, expected));
    }
    EXPECT_TRUE(std::all_of(destination.begin() + copied, destination.end(),
                            [](uint8_t byte) { return byte == kUntouched; }));
}

INSTANTIATE_TEST_SUITE_P(Spans, RowSpans, ::testing::ValuesIn(kSpanCases),
                         [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace lvc::test
