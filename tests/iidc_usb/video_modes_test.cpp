// Fixed formats 0-2 and Format 7 of a virtual camera as libdc1394 reports and captures
// them: modes, rates, areas, colour codings and each coding's frame bytes.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "dc1394_fixture.h"
#include "iidc_test_pattern.h"

namespace lvc::test {
namespace {

class VideoModesTest : public Dc1394Test {
protected:
    // Fast frames whatever the mode, so that every mode can be grabbed.
    std::string cameraLines() const override {
        return "cameras 1\ncamera 0 frame_interval_us 2000\n";
    }

    // Grabs one frame and checks its geometry and every byte after the sequence number.
    void expectOneFrame(dc1394camera_t* camera, uint32_t width, uint32_t height,
                        dc1394color_coding_t coding) {
        startCapture(camera, 2);
        const DequeueResult result = waitForFrame(camera);
        ASSERT_EQ(result.error, DC1394_SUCCESS);
        ASSERT_NE(result.frame, nullptr);
        const dc1394video_frame_t& frame = *result.frame;
        EXPECT_EQ(frame.size[0], width);
        EXPECT_EQ(frame.size[1], height);
        EXPECT_EQ(frame.color_coding, coding);
        const uint32_t iidcCoding = coding - DC1394_COLOR_CODING_MONO8;
        const std::vector<uint8_t> expected = iidc_standin::renderImage(width, height, iidcCoding);
        ASSERT_EQ(frame.image_bytes, expected.size());
        const size_t skip = iidc_standin::kSequenceBytes;
        EXPECT_EQ(std::memcmp(frame.image + skip, expected.data() + skip, expected.size() - skip),
                  0);
        EXPECT_EQ(dc1394_capture_enqueue(camera, result.frame), DC1394_SUCCESS);
        stopCapture(camera);
    }
};

struct FixedMode {
    dc1394video_mode_t mode;
    uint32_t width, height;
    dc1394color_coding_t coding;
    dc1394framerate_t slowest, fastest;
};

constexpr dc1394framerate_t k1_875 = DC1394_FRAMERATE_1_875, k3_75 = DC1394_FRAMERATE_3_75,
                            k15 = DC1394_FRAMERATE_15, k30 = DC1394_FRAMERATE_30,
                            k60 = DC1394_FRAMERATE_60;
constexpr dc1394color_coding_t kMono8 = DC1394_COLOR_CODING_MONO8,
                               kMono16 = DC1394_COLOR_CODING_MONO16,
                               kYuv411 = DC1394_COLOR_CODING_YUV411,
                               kYuv422 = DC1394_COLOR_CODING_YUV422,
                               kYuv444 = DC1394_COLOR_CODING_YUV444,
                               kRgb8 = DC1394_COLOR_CODING_RGB8;

// The camera offers every mode of formats 0-2; its rates differ by format.
const FixedMode kFixedModes[] = {
    {DC1394_VIDEO_MODE_160x120_YUV444, 160, 120, kYuv444, k3_75, k60},
    {DC1394_VIDEO_MODE_320x240_YUV422, 320, 240, kYuv422, k3_75, k60},
    {DC1394_VIDEO_MODE_640x480_YUV411, 640, 480, kYuv411, k3_75, k60},
    {DC1394_VIDEO_MODE_640x480_YUV422, 640, 480, kYuv422, k3_75, k60},
    {DC1394_VIDEO_MODE_640x480_RGB8, 640, 480, kRgb8, k3_75, k60},
    {DC1394_VIDEO_MODE_640x480_MONO8, 640, 480, kMono8, k3_75, k60},
    {DC1394_VIDEO_MODE_640x480_MONO16, 640, 480, kMono16, k3_75, k60},
    {DC1394_VIDEO_MODE_800x600_YUV422, 800, 600, kYuv422, k1_875, k30},
    {DC1394_VIDEO_MODE_800x600_RGB8, 800, 600, kRgb8, k1_875, k30},
    {DC1394_VIDEO_MODE_800x600_MONO8, 800, 600, kMono8, k1_875, k30},
    {DC1394_VIDEO_MODE_1024x768_YUV422, 1024, 768, kYuv422, k1_875, k30},
    {DC1394_VIDEO_MODE_1024x768_RGB8, 1024, 768, kRgb8, k1_875, k30},
    {DC1394_VIDEO_MODE_1024x768_MONO8, 1024, 768, kMono8, k1_875, k30},
    {DC1394_VIDEO_MODE_800x600_MONO16, 800, 600, kMono16, k1_875, k30},
    {DC1394_VIDEO_MODE_1024x768_MONO16, 1024, 768, kMono16, k1_875, k30},
    {DC1394_VIDEO_MODE_1280x960_YUV422, 1280, 960, kYuv422, k1_875, k15},
    {DC1394_VIDEO_MODE_1280x960_RGB8, 1280, 960, kRgb8, k1_875, k15},
    {DC1394_VIDEO_MODE_1280x960_MONO8, 1280, 960, kMono8, k1_875, k15},
    {DC1394_VIDEO_MODE_1600x1200_YUV422, 1600, 1200, kYuv422, k1_875, k15},
    {DC1394_VIDEO_MODE_1600x1200_RGB8, 1600, 1200, kRgb8, k1_875, k15},
    {DC1394_VIDEO_MODE_1600x1200_MONO8, 1600, 1200, kMono8, k1_875, k15},
    {DC1394_VIDEO_MODE_1280x960_MONO16, 1280, 960, kMono16, k1_875, k15},
    {DC1394_VIDEO_MODE_1600x1200_MONO16, 1600, 1200, kMono16, k1_875, k15},
};

TEST_F(VideoModesTest, ListsEveryFixedModeThenTheFormat7Modes) {
    dc1394camera_t* camera = openCamera();
    ASSERT_NE(camera, nullptr);
    dc1394video_modes_t modes;
    ASSERT_EQ(dc1394_video_get_supported_modes(camera, &modes), DC1394_SUCCESS);
    std::vector<dc1394video_mode_t> expected;
    for (const FixedMode& m : kFixedModes) expected.push_back(m.mode);
    expected.push_back(DC1394_VIDEO_MODE_FORMAT7_0);
    expected.push_back(DC1394_VIDEO_MODE_FORMAT7_1);
    EXPECT_EQ(std::vector<dc1394video_mode_t>(modes.modes, modes.modes + modes.num), expected);
}

TEST_F(VideoModesTest, EachFixedModeHasItsRatesSizeAndCoding) {
    dc1394camera_t* camera = openCamera();
    ASSERT_NE(camera, nullptr);
    for (const FixedMode& m : kFixedModes) {
        SCOPED_TRACE(testing::Message() << "mode " << m.mode);
        dc1394framerates_t rates;
        ASSERT_EQ(dc1394_video_get_supported_framerates(camera, m.mode, &rates), DC1394_SUCCESS);
        ASSERT_EQ(rates.num, static_cast<uint32_t>(m.fastest - m.slowest + 1));
        for (uint32_t i = 0; i < rates.num; ++i)
            EXPECT_EQ(rates.framerates[i], m.slowest + static_cast<int>(i));
        uint32_t width = 0, height = 0;
        ASSERT_EQ(dc1394_get_image_size_from_video_mode(camera, m.mode, &width, &height),
                  DC1394_SUCCESS);
        EXPECT_EQ(width, m.width);
        EXPECT_EQ(height, m.height);
        dc1394color_coding_t coding;
        ASSERT_EQ(dc1394_get_color_coding_from_video_mode(camera, m.mode, &coding), DC1394_SUCCESS);
        EXPECT_EQ(coding, m.coding);
    }
}

TEST_F(VideoModesTest, ModeAndRateReadBack) {
    dc1394camera_t* camera = openCamera();
    ASSERT_NE(camera, nullptr);
    ASSERT_EQ(dc1394_video_set_mode(camera, DC1394_VIDEO_MODE_1024x768_RGB8), DC1394_SUCCESS);
    ASSERT_EQ(dc1394_video_set_framerate(camera, DC1394_FRAMERATE_7_5), DC1394_SUCCESS);
    dc1394video_mode_t mode;
    dc1394framerate_t rate;
    ASSERT_EQ(dc1394_video_get_mode(camera, &mode), DC1394_SUCCESS);
    ASSERT_EQ(dc1394_video_get_framerate(camera, &rate), DC1394_SUCCESS);
    EXPECT_EQ(mode, DC1394_VIDEO_MODE_1024x768_RGB8);
    EXPECT_EQ(rate, DC1394_FRAMERATE_7_5);
}

void PrintTo(const FixedMode& m, std::ostream* out) {
    *out << "mode " << m.mode << ' ' << m.width << 'x' << m.height;
}

// One test per mode, so that each large frame has a time limit of its own.
class FixedModeGrabTest : public VideoModesTest, public testing::WithParamInterface<FixedMode> {};

TEST_P(FixedModeGrabTest, GrabsItsPicture) {
    dc1394camera_t* camera = openCamera();
    ASSERT_NE(camera, nullptr);
    const FixedMode& m = GetParam();
    useFixedMode(camera, m.mode);
    expectOneFrame(camera, m.width, m.height, m.coding);
}

INSTANTIATE_TEST_SUITE_P(EveryFixedMode, FixedModeGrabTest, testing::ValuesIn(kFixedModes),
                         [](const testing::TestParamInfo<FixedMode>& param) {
                             return "Mode" + std::to_string(param.param.mode);
                         });

struct Format7Info {
    dc1394video_mode_t mode;
    uint32_t maxWidth, maxHeight, unitWidth, unitHeight, positionUnitWidth, positionUnitHeight;
    std::vector<dc1394color_coding_t> codings;
    dc1394color_filter_t filter;
};

TEST_F(VideoModesTest, Format7ModesReportTheirAreasCodingsAndFilter) {
    dc1394camera_t* camera = openCamera();
    ASSERT_NE(camera, nullptr);
    const Format7Info cases[] = {
        // Mode 1 leaves UNIT_POSITION_INQ at 0 (IIDC: "use the size units"); libdc1394
        // passes the 0 on, so its callers must fall back to the size units themselves.
        {DC1394_VIDEO_MODE_FORMAT7_0,
         640,
         480,
         8,
         2,
         4,
         2,
         {kMono8, kYuv411, kYuv422, kYuv444, kRgb8, kMono16},
         DC1394_COLOR_FILTER_RGGB},
        {DC1394_VIDEO_MODE_FORMAT7_1,
         1280,
         960,
         16,
         4,
         0,
         0,
         {kMono8, DC1394_COLOR_CODING_RGB16, DC1394_COLOR_CODING_MONO16S,
          DC1394_COLOR_CODING_RGB16S, DC1394_COLOR_CODING_RAW8, DC1394_COLOR_CODING_RAW16},
         DC1394_COLOR_FILTER_BGGR},
    };
    for (const Format7Info& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode);
        dc1394format7mode_t info;
        ASSERT_EQ(dc1394_format7_get_mode_info(camera, c.mode, &info), DC1394_SUCCESS);
        EXPECT_EQ(info.max_size_x, c.maxWidth);
        EXPECT_EQ(info.max_size_y, c.maxHeight);
        EXPECT_EQ(info.unit_size_x, c.unitWidth);
        EXPECT_EQ(info.unit_size_y, c.unitHeight);
        EXPECT_EQ(info.unit_pos_x, c.positionUnitWidth);
        EXPECT_EQ(info.unit_pos_y, c.positionUnitHeight);
        EXPECT_EQ(
            std::vector<dc1394color_coding_t>(info.color_codings.codings,
                                              info.color_codings.codings + info.color_codings.num),
            c.codings);
        dc1394color_filter_t filter;
        ASSERT_EQ(dc1394_format7_get_color_filter(camera, c.mode, &filter), DC1394_SUCCESS);
        EXPECT_EQ(filter, c.filter);
        uint32_t unitBytes = 0, maxBytes = 0;
        ASSERT_EQ(dc1394_format7_get_packet_parameters(camera, c.mode, &unitBytes, &maxBytes),
                  DC1394_SUCCESS);
        EXPECT_EQ(unitBytes, 8u);
        EXPECT_EQ(maxBytes, 8192u);
    }
}

TEST_F(VideoModesTest, Format7AreaAndPacketReadBack) {
    dc1394camera_t* camera = openCamera();
    ASSERT_NE(camera, nullptr);
    ASSERT_EQ(dc1394_video_set_mode(camera, DC1394_VIDEO_MODE_FORMAT7_0), DC1394_SUCCESS);
    ASSERT_EQ(
        dc1394_format7_set_roi(camera, DC1394_VIDEO_MODE_FORMAT7_0, kMono16, 4096, 16, 8, 320, 240),
        DC1394_SUCCESS);
    dc1394color_coding_t coding;
    uint32_t packet = 0, left = 0, top = 0, width = 0, height = 0;
    ASSERT_EQ(dc1394_format7_get_roi(camera, DC1394_VIDEO_MODE_FORMAT7_0, &coding, &packet, &left,
                                     &top, &width, &height),
              DC1394_SUCCESS);
    EXPECT_EQ(coding, kMono16);
    EXPECT_EQ(packet, 4096u);
    EXPECT_EQ(left, 16u);
    EXPECT_EQ(top, 8u);
    EXPECT_EQ(width, 320u);
    EXPECT_EQ(height, 240u);
    uint64_t totalBytes = 0;
    ASSERT_EQ(dc1394_format7_get_total_bytes(camera, DC1394_VIDEO_MODE_FORMAT7_0, &totalBytes),
              DC1394_SUCCESS);
    EXPECT_EQ(totalBytes, 320u * 240u * 2u);
}

struct CodingCase {
    dc1394video_mode_t mode;
    dc1394color_coding_t coding;
    uint32_t left, top, width, height;
};

TEST_F(VideoModesTest, EachFormat7CodingGrabsItsPicture) {
    dc1394camera_t* camera = openCamera();
    ASSERT_NE(camera, nullptr);
    constexpr auto kMode0 = DC1394_VIDEO_MODE_FORMAT7_0, kMode1 = DC1394_VIDEO_MODE_FORMAT7_1;
    const CodingCase cases[] = {
        {kMode0, kMono8, 8, 4, 320, 240},
        {kMode0, kYuv411, 0, 0, 640, 480},
        {kMode0, kYuv422, 4, 2, 200, 100},
        {kMode0, kYuv444, 0, 0, 64, 48},
        {kMode0, kRgb8, 0, 0, 640, 480},
        {kMode0, kMono16, 0, 0, 160, 120},
        {kMode1, kMono8, 0, 0, 1280, 960},
        {kMode1, DC1394_COLOR_CODING_RGB16, 16, 4, 320, 240},
        {kMode1, DC1394_COLOR_CODING_MONO16S, 0, 0, 320, 240},
        {kMode1, DC1394_COLOR_CODING_RGB16S, 0, 0, 160, 120},
        {kMode1, DC1394_COLOR_CODING_RAW8, 0, 0, 640, 480},
        {kMode1, DC1394_COLOR_CODING_RAW16, 32, 8, 640, 480},
    };
    for (const CodingCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << " coding " << c.coding);
        ASSERT_EQ(dc1394_video_set_mode(camera, c.mode), DC1394_SUCCESS);
        ASSERT_EQ(dc1394_format7_set_roi(camera, c.mode, c.coding, DC1394_USE_MAX_AVAIL, c.left,
                                         c.top, c.width, c.height),
                  DC1394_SUCCESS);
        expectOneFrame(camera, c.width, c.height, c.coding);
    }
}

}  // namespace
}  // namespace lvc::test
