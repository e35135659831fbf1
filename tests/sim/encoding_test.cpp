// Every coding's encoding checked against the scene's ground truth with plain reference
// arithmetic, and the frame number read back from each decoded frame.
#include <cmath>
#include <cstdlib>
#include <set>

#include "fw_status.h"
#include "reference_decoder.h"
#include "sim_fixture.h"

namespace {

constexpr uint32_t width = 128;
constexpr uint32_t height = 96;

struct CodingCase {
    const char* what;
    uint32_t coding;
    uint32_t bayer;
    bool interlaced;

    friend void PrintTo(const CodingCase& c, std::ostream* out) { *out << c.what; }
};

SimCamera codingCamera(const CodingCase& c) {
    static const char* const patterns[] = {"RGGB", "GBRG", "GRBG", "BGGR"};
    return manualCamera(9, {c.coding})
        .withText("bayer", patterns[c.bayer])
        .with("interlaced", c.interlaced ? "true" : "false");
}

double luma(const uint8_t* bgr) { return 0.299 * bgr[2] + 0.587 * bgr[1] + 0.114 * bgr[0]; }
double chromaU(const uint8_t* bgr) {
    return -0.168736 * bgr[2] - 0.331264 * bgr[1] + 0.5 * bgr[0] + 128;
}
double chromaV(const uint8_t* bgr) {
    return 0.5 * bgr[2] - 0.418688 * bgr[1] - 0.081312 * bgr[0] + 128;
}

// Checks each native sample of a YUV frame against the ground truth; the chroma of a
// group is the average over its pixels.
void expectYuv(const std::vector<uint8_t>& frame, const std::vector<uint8_t>& truth,
               uint32_t groupPixels, const std::vector<int>& layout) {
    // layout: per byte of a group, -1 U, -2 V, or the pixel index of a Y.
    const size_t groupBytes = layout.size();
    int worst = 0;
    for (size_t group = 0; group < frame.size() / groupBytes; ++group) {
        const uint8_t* pixels = &truth[group * groupPixels * 3];
        double u = 0, v = 0;
        for (uint32_t p = 0; p < groupPixels; ++p) {
            u += chromaU(pixels + p * 3) / groupPixels;
            v += chromaV(pixels + p * 3) / groupPixels;
        }
        for (size_t b = 0; b < groupBytes; ++b) {
            const double expected = layout[b] == -1   ? u
                                    : layout[b] == -2 ? v
                                                      : luma(pixels + layout[b] * 3);
            const int difference = static_cast<int>(std::lround(
                std::abs(frame[group * groupBytes + b] - std::clamp(expected, 0.0, 255.0))));
            worst = std::max(worst, difference);
        }
    }
    EXPECT_LE(worst, 1);
}

void expectSamples(const CodingCase& c, const std::vector<uint8_t>& native,
                   const std::vector<uint8_t>& truth) {
    const uint32_t bytesPerSample = c.coding == FWC_CODING_RAW16 ? 2 : 1;
    const std::vector<uint8_t> frame =
        c.interlaced
            ? progressiveRows(native, static_cast<uint32_t>(native.size() / height), height)
            : native;
    double worst = 0;
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x) {
            const uint8_t* pixel = &truth[(y * width + x) * 3];
            const size_t at = (y * width + x) * bytesPerSample;
            double expected = 0;
            if (c.coding == FWC_CODING_RAW8 && c.interlaced) {
                // C Y / G M, shifted like a Bayer cell: the letter at the same place of
                // the Bayer pattern tells which (R: C, G on the R row: Y, G: G, B: M).
                const char colour = bayerColour(c.bayer, x, y);
                const bool redRow =
                    bayerColour(c.bayer, 0, y) == 'R' || bayerColour(c.bayer, 1, y) == 'R';
                expected = colour == 'R'   ? (pixel[1] + pixel[0]) / 2.0
                           : colour == 'B' ? (pixel[2] + pixel[0]) / 2.0
                           : redRow        ? (pixel[2] + pixel[1]) / 2.0
                                           : pixel[1];
            } else if (c.coding >= FWC_CODING_MONO_RED) {
                expected = pixel[FWC_CODING_MONO_BLUE - c.coding];
            } else {
                const char colour = bayerColour(c.bayer, x, y);
                expected = pixel[colour == 'B' ? 0 : colour == 'G' ? 1 : 2];
                if (bytesPerSample == 2) {
                    EXPECT_EQ(frame[at + 1], frame[at]) << "the 8-bit value fills the top bits";
                }
            }
            worst = std::max(worst, std::abs(frame[at] - expected));
        }
    }
    EXPECT_LE(worst, 0.5) << c.what << ": halved sums round half up";
}

class Encoding : public SimBusTest, public ::testing::WithParamInterface<CodingCase> {};

TEST_P(Encoding, MatchesTheGroundTruthAndCarriesTheFrameNumber) {
    const CodingCase& c = GetParam();
    const uint32_t id = startWithCamera(codingCamera(c));
    uint32_t w = 0, h = 0, coding = 0, depth = 0;
    ASSERT_EQ(FWC_GetCurrentImageFormat(id, &w, &h, &coding, &depth), 0);
    ASSERT_EQ(w * 1000 + h, width * 1000 + height);
    ASSERT_EQ(coding, c.coding);
    ASSERT_EQ(FWC_GrabStart(id, FWC_GRAB_CONTINUOUS), 0);
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(FWS_Step(id), 0);
    }
    std::vector<uint8_t> native(width * height * depth / 8);
    EXPECT_EQ(FWC_GetNativeImage(id, native.data(), static_cast<uint32_t>(native.size() - 1), 0),
              FWC_ERR_BUFFER_TOO_SMALL);
    ASSERT_EQ(FWC_GetNativeImage(id, native.data(), static_cast<uint32_t>(native.size()), 0), 0);
    ASSERT_EQ(FWC_GrabStop(id, 1), 0);

    std::vector<uint8_t> truth(width * height * 3);
    uint32_t channels = 0;
    ASSERT_EQ(
        FWS_GetGroundTruth(id, 3, truth.data(), static_cast<uint32_t>(truth.size()), &channels), 0);
    const bool grey = c.coding == FWC_CODING_MONO8 || c.coding == FWC_CODING_MONO16 ||
                      c.coding == FWC_CODING_SMONO16;
    ASSERT_EQ(channels, grey ? 1u : 3u);
    truth.resize(width * height * channels);
    EXPECT_GT(std::set<uint8_t>(truth.begin(), truth.end()).size(), 8u)
        << "a scene, not a flat image";

    const std::vector<uint8_t> progressive =
        c.interlaced
            ? progressiveRows(native, static_cast<uint32_t>(native.size() / height), height)
            : native;
    switch (c.coding) {
    case FWC_CODING_YUV411: expectYuv(progressive, truth, 4, {-1, 0, 1, -2, 2, 3}); break;
    case FWC_CODING_YUV422: expectYuv(progressive, truth, 2, {-1, 0, -2, 1}); break;
    case FWC_CODING_YUV444: expectYuv(progressive, truth, 1, {-1, 0, -2}); break;
    case FWC_CODING_RAW8:
    case FWC_CODING_RAW16:
    case FWC_CODING_MONO_RED:
    case FWC_CODING_MONO_GREEN:
    case FWC_CODING_MONO_BLUE: expectSamples(c, native, truth); break;
    default: {
        const DecodedImage decoded =
            decodeFrame(native, c.coding, width, height, c.bayer, c.interlaced);
        EXPECT_EQ(decoded.pixels, truth);
    }
    }
    const DecodedImage decoded =
        decodeFrame(native, c.coding, width, height, c.bayer, c.interlaced);
    uint32_t frameNumber = 0;
    ASSERT_EQ(
        FWS_ReadFrameNumber(decoded.pixels.data(), width, height, decoded.channels, &frameNumber),
        0);
    EXPECT_EQ(frameNumber, 3u);
}

INSTANTIATE_TEST_SUITE_P(
    Codings, Encoding,
    ::testing::Values(CodingCase{"Mono8", FWC_CODING_MONO8, 0, false},
                      CodingCase{"YUV411", FWC_CODING_YUV411, 0, false},
                      CodingCase{"YUV422", FWC_CODING_YUV422, 0, false},
                      CodingCase{"YUV444", FWC_CODING_YUV444, 0, false},
                      CodingCase{"RGB8", FWC_CODING_RGB8, 0, false},
                      CodingCase{"MONO16", FWC_CODING_MONO16, 0, false},
                      CodingCase{"RGB16", FWC_CODING_RGB16, 0, false},
                      CodingCase{"SMONO16", FWC_CODING_SMONO16, 0, false},
                      CodingCase{"SRGB16", FWC_CODING_SRGB16, 0, false},
                      CodingCase{"RAW8 RGGB", FWC_CODING_RAW8, 0, false},
                      CodingCase{"RAW8 GBRG", FWC_CODING_RAW8, 1, false},
                      CodingCase{"RAW8 GRBG", FWC_CODING_RAW8, 2, false},
                      CodingCase{"RAW8 BGGR", FWC_CODING_RAW8, 3, false},
                      CodingCase{"RAW16 GRBG", FWC_CODING_RAW16, 2, false},
                      CodingCase{"RAW16 BGGR", FWC_CODING_RAW16, 3, false},
                      CodingCase{"MONOR", FWC_CODING_MONO_RED, 0, false},
                      CodingCase{"MONOB", FWC_CODING_MONO_BLUE, 0, false},
                      CodingCase{"interlaced Mono8", FWC_CODING_MONO8, 0, true},
                      CodingCase{"interlaced CYGM", FWC_CODING_RAW8, 0, true},
                      CodingCase{"interlaced CYGM shifted by a row", FWC_CODING_RAW8, 1, true},
                      CodingCase{"interlaced CYGM shifted by both", FWC_CODING_RAW8, 3, true},
                      CodingCase{"interlaced YUV422", FWC_CODING_YUV422, 0, true}),
    caseName<CodingCase>);

TEST_F(SimBusTest, FeaturesAndLutShapeTheFramesButNotTheFrameNumber) {
    const uint32_t id = startWithCamera(
        manualCamera(4, {0})
            .with("features", R"([{"id": 265, "min": 0, "max": 400, "value": 100}])")
            .with("lut", R"({"count": 1, "maxValue": 255, "elements": 256})"));
    std::vector<uint8_t> nominal(width * height), brighter(width * height),
        inverted(width * height);
    uint32_t channels = 0;
    ASSERT_EQ(FWS_GetGroundTruth(id, 5, nominal.data(), width * height, &channels), 0);
    ASSERT_EQ(FWC_SetFeatureValue(id, 265, 201), 0);
    ASSERT_EQ(FWS_GetGroundTruth(id, 5, brighter.data(), width * height, &channels), 0);
    std::vector<uint8_t> lut(256);
    for (int i = 0; i < 256; ++i) {
        lut[i] = static_cast<uint8_t>(255 - i);
    }
    ASSERT_EQ(FWC_SetFeatureValue(id, 265, 100), 0);
    ASSERT_EQ(FWC_Lut_Upload(id, 0, lut.data(), 256), 0);
    ASSERT_EQ(FWC_Lut_Use(id, 0, 1), 0);
    ASSERT_EQ(FWS_GetGroundTruth(id, 5, inverted.data(), width * height, &channels), 0);
    const uint32_t belowCode = 16 * width;
    for (uint32_t i = belowCode; i < width * height; ++i) {
        ASSERT_EQ(brighter[i], std::min(255, nominal[i] * 2)) << i;
        ASSERT_EQ(inverted[i], 255 - nominal[i]) << i;
    }
    uint32_t frameNumber = 0;
    ASSERT_EQ(FWS_ReadFrameNumber(inverted.data(), width, height, 1, &frameNumber), 0);
    EXPECT_EQ(frameNumber, 5u);
    EXPECT_EQ(FWS_ReadFrameNumber(inverted.data(), 40, height, 1, &frameNumber),
              FWC_ERR_NO_FRAME_CODE)
        << "too narrow for a code";
}

}  // namespace
