// Each coding the GenICam bus offers that Aravis's fake draws, from the bus camera's
// newest frame through the plug-in's conversion to the host's rows, compared with the same
// frame drawn by a second Aravis fake of the same camera and converted by plain loops
// here. The fake's picture moves with the frame id: the reference is filled until its id
// is the one the frame counter gives for the grabbed frame.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "aravis_camera.h"
#include "fake_camera.h"
#include "feature_map.h"
#include "fw_status.h"
#include "fwtransform.h"
#include "recording_host.h"

namespace fwaravis {
namespace {

using namespace std::chrono_literals;

constexpr uint32_t kWidth = 64;
constexpr uint32_t kHeight = 48;
constexpr size_t kPixels = size_t{kWidth} * kHeight;

// The camera's frame as Aravis delivers it, in the pixel format the bus chose.
using CameraBytes = std::vector<uint8_t>;
using Reference = std::vector<uint8_t> (*)(const CameraBytes&);

// Grey from 8-bit samples: the byte itself.
std::vector<uint8_t> greyOf8(const CameraBytes& in) { return {in.begin(), in.begin() + kPixels}; }

// Grey from little-endian 16-bit samples: the high byte.
std::vector<uint8_t> greyOf16(const CameraBytes& in) {
    std::vector<uint8_t> grey(kPixels);
    for (size_t pixel = 0; pixel < kPixels; ++pixel) grey[pixel] = in[pixel * 2 + 1];
    return grey;
}

// BGR from RGB.
std::vector<uint8_t> bgrOfRgb(const CameraBytes& in) {
    std::vector<uint8_t> bgr(kPixels * 3);
    for (size_t pixel = 0; pixel < kPixels; ++pixel)
        for (size_t channel = 0; channel < 3; ++channel)
            bgr[pixel * 3 + channel] = in[pixel * 3 + 2 - channel];
    return bgr;
}

// The plug-in's conversion of the bus camera's frame to rows, as the frame path calls it.
std::vector<uint8_t> rowsOf(uint32_t coding, const std::vector<uint8_t>& frame,
                            uint32_t bayerPattern) {
    std::vector<uint8_t> rows(kPixels * 3);
    int32_t status = FW_STATUS_OK;
    switch (coding) {
    case FWC_CODING_MONO8: return {frame.begin(), frame.begin() + kPixels};
    case FWC_CODING_MONO16: status = FWT_Y16ToY8(rows.data(), frame.data(), kPixels); break;
    case FWC_CODING_RGB8: status = FWT_RGB8ToBGR(rows.data(), frame.data(), kPixels); break;
    case FWC_CODING_RAW8:
        status = FWT_Raw8ToBGR(rows.data(), frame.data(), kWidth, kHeight, bayerPattern);
        break;
    default: ADD_FAILURE() << "no conversion for coding " << coding;
    }
    EXPECT_EQ(status, FW_STATUS_OK);
    if (coding == FWC_CODING_MONO16) rows.resize(kPixels);
    return rows;
}

struct CodingCase {
    const char* genicamFile;  // null: Aravis's own fake camera
    uint32_t coding;
    const char* pixelFormat;  // the camera's first format of the coding, which the bus picks
    uint32_t bayerPattern;    // FWT_BAYER_*, for the Bayer codings
    Reference reference;      // rows for a grey or colour coding, the mosaic for Bayer ones
};

void PrintTo(const CodingCase& row, std::ostream* out) { *out << row.pixelFormat; }

// The fixture's other offered formats, Mono12p (Mono16), BayerGB12p (Raw16) and YUV422_8,
// are not drawn by Aravis 0.8's fake: its stream delivers no frame in them. Mono16 comes
// from Aravis's own fake camera, and a second Bayer phase, its first Bayer format.
constexpr const char* kFixture = "standard-colour-camera.xml";

const CodingCase kCodings[] = {
    {kFixture, FWC_CODING_MONO8, "Mono8", 0, greyOf8},
    {kFixture, FWC_CODING_RGB8, "RGB8", 0, bgrOfRgb},
    {kFixture, FWC_CODING_RAW8, "BayerGR8", FWT_BAYER_GRBG, greyOf8},
    {nullptr, FWC_CODING_RAW8, "BayerBG8", FWT_BAYER_BGGR, greyOf8},
    {nullptr, FWC_CODING_MONO16, "Mono16", 0, greyOf16},
};

class CodingRows : public ::testing::TestWithParam<CodingCase> {
protected:
    void SetUp() override {
        arv_disable_interface("GigEVision");
        arv_disable_interface("USB3Vision");
        arv_enable_interface("Fake");
        const char* genicamFile = GetParam().genicamFile;
        const std::string path = genicamFile != nullptr ? test::fixturePath(genicamFile) : "";
        arv_set_fake_camera_genicam_filename(genicamFile != nullptr ? path.c_str() : nullptr);
        camera_ = std::make_unique<AravisCamera>(
            DirectoryEntry{"Fake:1", "Fake_1", "Aravis", "Fake"}, 78, host_);
        ASSERT_EQ(camera_->open(::testing::UnitTest::GetInstance()->current_test_info()->name()),
                  FW_STATUS_OK);
    }

    // One counted frame of the coding through the bus camera, and its frame id.
    std::vector<uint8_t> grabThroughTheBus(uint32_t coding, uint32_t& frameId) {
        fwc::FreeGrabRequest request{0, coding, {0, 0, kWidth, kHeight}, 1000};
        EXPECT_EQ(camera_->prepareFreeGrab(request), FW_STATUS_OK);
        std::vector<uint8_t> frame(size_t{kWidth} * kHeight * FWC_CodingBitDepth(coding) / 8);
        EXPECT_EQ(camera_->startAcquisition(1, false), FW_STATUS_OK);
        EXPECT_TRUE(host_.waitFor(FWC_NOTIFY_FRAME_COMPLETE, 1, 5s));
        EXPECT_EQ(camera_->copyNewestFrame(frame.data(), static_cast<uint32_t>(frame.size())),
                  FW_STATUS_OK);
        EXPECT_EQ(camera_->featureValue(kFrameCounter, frameId), FW_STATUS_OK);
        EXPECT_EQ(camera_->stopAcquisition(), FW_STATUS_OK);
        return frame;
    }

    test::RecordingHost host_;
    std::unique_ptr<AravisCamera> camera_;
};

// A second fake of the same camera in the pixel format, filled up to the frame id.
CameraBytes drawnByAravis(const CodingCase& row, uint32_t frameId) {
    const char* pixelFormat = row.pixelFormat;
    test::FakeCamera reference(row.genicamFile);
    EXPECT_NE(reference.device(), nullptr) << reference.error();
    if (reference.device() == nullptr) return {};
    GError* error = nullptr;
    arv_device_set_string_feature_value(reference.device(), "PixelFormat", pixelFormat, &error);
    if (error == nullptr)
        arv_device_set_integer_feature_value(reference.device(), "Width", kWidth, &error);
    if (error == nullptr)
        arv_device_set_integer_feature_value(reference.device(), "Height", kHeight, &error);
    EXPECT_EQ(error, nullptr) << error->message;
    if (error != nullptr) {
        g_error_free(error);
        return {};
    }
    ArvFakeCamera* fake = arv_fake_device_get_fake_camera(ARV_FAKE_DEVICE(reference.device()));
    ArvBuffer* buffer = arv_buffer_new(arv_fake_camera_get_payload(fake), nullptr);
    for (uint32_t filled = 0; filled <= frameId && arv_buffer_get_frame_id(buffer) != frameId;
         ++filled)
        arv_fake_camera_fill_buffer(fake, buffer, nullptr);
    EXPECT_EQ(arv_buffer_get_frame_id(buffer), frameId);
    size_t size = 0;
    const auto* data = static_cast<const uint8_t*>(arv_buffer_get_data(buffer, &size));
    CameraBytes bytes(data, data + size);
    g_object_unref(buffer);
    return bytes;
}

TEST_P(CodingRows, ReachesTheRowsAsTheFakeDrewIt) {
    const CodingCase& row = GetParam();
    uint32_t frameId = 0;
    const std::vector<uint8_t> frame = grabThroughTheBus(row.coding, frameId);
    const CameraBytes drawn = drawnByAravis(row, frameId);
    ASSERT_FALSE(drawn.empty());
    const std::vector<uint8_t> expected = row.reference(drawn);
    EXPECT_NE(std::count(expected.begin(), expected.end(), expected[0]),
              static_cast<ptrdiff_t>(expected.size()))
        << "the fake draws a picture in this format";
    if (row.coding == FWC_CODING_RAW8) {
        EXPECT_EQ(camera_->bayerPattern(), row.bayerPattern);
        EXPECT_EQ(frame, expected) << "the mosaic before the demosaic";
        rowsOf(row.coding, frame, camera_->bayerPattern());  // the demosaic takes it
    } else {
        EXPECT_EQ(rowsOf(row.coding, frame, 0), expected);
    }
}

INSTANTIATE_TEST_SUITE_P(OfferedCodings, CodingRows, ::testing::ValuesIn(kCodings),
                         [](const ::testing::TestParamInfo<CodingCase>& param) {
                             return std::string(param.param.pixelFormat);
                         });

}  // namespace
}  // namespace fwaravis
