// The IIDC bus module through the FWC_ calls, on virtual USB IIDC cameras that the real
// libdc1394 drives: listing with names and stable ids, fixed formats and Format 7 areas,
// frames of both, features, trigger, registers, lost frames, and a camera unplugged while
// it streams.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "dc1394_bus_fixture.h"
#include "fw_status.h"
#include "iidc_usb/standin_control.h"
#include "fwcontrol.h"
#include "iidc_test_pattern.h"
#include "support/allocation_counter.h"
#include "support/wait_until.h"

namespace lvc::test {
namespace {

// The picture the virtual camera sends, past the frame's sequence number.
void expectPattern(const std::vector<uint8_t>& frame, uint32_t width, uint32_t height,
                   uint32_t coding) {
    const std::vector<uint8_t> expected = iidc_standin::renderImage(width, height, coding);
    ASSERT_EQ(frame.size(), expected.size());
    EXPECT_TRUE(std::equal(frame.begin() + iidc_standin::kSequenceBytes, frame.end(),
                           expected.begin() + iidc_standin::kSequenceBytes));
    EXPECT_GT(iidc_standin::frameSequence(frame.data()), 0u);
}

std::string infoString(uint32_t camera, uint32_t which) {
    char text[FWC_INFO_STRING_SIZE] = {};
    uint32_t length = sizeof text;
    EXPECT_EQ(FWC_GetCameraInfoString(camera, which, text, &length), FW_STATUS_OK);
    return text;
}

TEST_F(Dc1394Bus, ListsCamerasByGuidWithNamesFromTheirRoms) {
    uint32_t ids[FWC_MAX_CAMERAS];
    uint32_t count = FWC_MAX_CAMERAS;
    ASSERT_EQ(FWC_GetCameras(&count, ids), FW_STATUS_OK);
    ASSERT_EQ(count, 2u);
    EXPECT_EQ(ids[0], idOf(0));
    EXPECT_EQ(ids[1], idOf(1));
    ASSERT_EQ(FWC_OpenCamera(ids[0], 0), FW_STATUS_OK);
    ASSERT_EQ(FWC_OpenCamera(ids[1], 0), FW_STATUS_OK);
    EXPECT_EQ(infoString(ids[0], 0), "TV-IIDC1");
    EXPECT_EQ(infoString(ids[0], 1), "Testvendor");
    EXPECT_EQ(infoString(ids[1], 0), "TV-Second");
    EXPECT_EQ(FWC_CloseCamera(ids[0]), FW_STATUS_OK);
    EXPECT_EQ(FWC_CloseCamera(ids[1]), FW_STATUS_OK);
}

TEST_F(Dc1394Bus, OffersEveryFixedModeWithItsRatesAndTheFormat7Modes) {
    openFirst();
    std::vector<uint32_t> table(FWC_FIXED_FORMATS * FWC_FIXED_MODES * FWC_FIXED_RATES);
    ASSERT_EQ(FWC_GetSupportedFixedFormats(camera_, table.data()), FW_STATUS_OK);
    const auto offered = [&](uint32_t format, uint32_t mode, uint32_t rate) {
        return table[(format * FWC_FIXED_MODES + mode) * FWC_FIXED_RATES + rate];
    };
    EXPECT_EQ(offered(0, 5, 4), 1u);  // 640 × 480 MONO8 at 30 fps
    EXPECT_EQ(offered(0, 0, 5), 1u);  // format 0 reaches 60 fps
    EXPECT_EQ(offered(0, 0, 6), 0u);
    EXPECT_EQ(offered(1, 7, 0), 1u);
    EXPECT_EQ(offered(2, 7, 3), 1u);
    EXPECT_EQ(offered(2, 7, 4), 0u);  // format 2 stops at 15 fps

    uint32_t caps[4] = {};
    ASSERT_EQ(FWC_GetCameraCapabilities(camera_, &caps[0], &caps[1], &caps[2], &caps[3]),
              FW_STATUS_OK);
    EXPECT_EQ(caps[0] & 0xFu, 0xBu);  // fixed, Format 7, trigger; no LUT

    struct ModeCase {
        uint32_t mode, maxWidth, maxHeight, unitWidth, unitHeight, unitLeft, unitTop;
    };
    // Mode 1 states no position unit: positions step by the size unit.
    for (const ModeCase& c :
         {ModeCase{0, 640, 480, 8, 2, 4, 2}, ModeCase{1, 1280, 960, 16, 4, 16, 4}}) {
        const uint32_t kinds[] = {FWC_FREEMODE_MAX_WIDTH,  FWC_FREEMODE_MAX_HEIGHT,
                                  FWC_FREEMODE_UNIT_WIDTH, FWC_FREEMODE_UNIT_HEIGHT,
                                  FWC_FREEMODE_UNIT_LEFT,  FWC_FREEMODE_UNIT_TOP};
        const uint32_t expected[] = {c.maxWidth,   c.maxHeight, c.unitWidth,
                                     c.unitHeight, c.unitLeft,  c.unitTop};
        for (size_t i = 0; i < 6; ++i) {
            uint32_t value = 0;
            EXPECT_EQ(FWC_GetFreeModeInfo(camera_, c.mode, kinds[i], &value), FW_STATUS_OK);
            EXPECT_EQ(value, expected[i]) << "mode " << c.mode << " kind " << kinds[i];
        }
    }
    std::vector<std::pair<uint32_t, uint32_t>> entries;
    for (uint32_t position = 0;; ++position) {
        uint32_t at = position, mode = 0, coding = 0, width = 0, height = 0;
        if (FWC_EnumFreeModes(camera_, &at, &mode, &coding, &width, &height) != FW_STATUS_OK) break;
        entries.emplace_back(mode, coding);
    }
    EXPECT_EQ(entries, (std::vector<std::pair<uint32_t, uint32_t>>{{0, 0},
                                                                   {0, 1},
                                                                   {0, 2},
                                                                   {0, 3},
                                                                   {0, 4},
                                                                   {0, 5},
                                                                   {1, 0},
                                                                   {1, 6},
                                                                   {1, 7},
                                                                   {1, 8},
                                                                   {1, 9},
                                                                   {1, 10}}));
}

TEST_F(Dc1394Bus, GrabsAFixedFormatsFrames) {
    openFirst();
    ASSERT_EQ(FWC_PrepareFixedGrab(camera_, 0, 5, 4), FW_STATUS_OK);
    uint32_t format = 0, mode = 0, rate = 0;
    ASSERT_EQ(FWC_GetCurrentFixedFormat(camera_, &format, &mode, &rate), FW_STATUS_OK);
    EXPECT_EQ(format, 0u);
    EXPECT_EQ(mode, 5u);
    EXPECT_EQ(rate, 4u);
    expectPattern(grab(3), 640, 480, FWC_CODING_MONO8);
    EXPECT_EQ(FWC_PrepareFixedGrab(camera_, 0, 5, 7), FWC_ERR_FORMAT_UNSUPPORTED);
}

// A frame fetch allocates nothing, the library's call and the bus's part of it alike.
TEST_F(Dc1394Bus, FetchingFramesAllocatesNothing) {
    if (!allocationsCounted()) GTEST_SKIP() << "the sanitizer's allocator counts nothing";
    openFirst();
    ASSERT_EQ(FWC_PrepareFixedGrab(camera_, 0, 5, 4), FW_STATUS_OK);
    ASSERT_EQ(FWC_GrabStart(camera_, FWC_GRAB_CONTINUOUS), FW_STATUS_OK);
    std::vector<uint8_t> frame(640 * 480);
    const auto fetch = [&] {
        return FWC_GetNativeImage(camera_, frame.data(), static_cast<uint32_t>(frame.size()), 0);
    };
    ASSERT_TRUE(waitUntil([&] { return fetch() == FW_STATUS_OK; }));

    const uint64_t before = threadAllocationCount();
    for (int fetched = 0; fetched < 50; ++fetched) ASSERT_EQ(fetch(), FW_STATUS_OK);
    EXPECT_EQ(threadAllocationCount() - before, 0u);
    EXPECT_EQ(FWC_GrabStop(camera_, 1), FW_STATUS_OK);
}

struct AreaCase {
    uint32_t mode, coding, left, top, width, height;
    uint32_t bayer;
};

TEST_F(Dc1394Bus, GrabsFormat7AreasInEachModesCodings) {
    openFirst();
    const AreaCase cases[] = {
        {0, FWC_CODING_MONO8, 16, 8, 320, 240, 0},
        {0, FWC_CODING_YUV422, 4, 2, 160, 120, 0},
        {1, FWC_CODING_RAW8, 32, 16, 256, 128, 3},
        {1, FWC_CODING_RGB16, 0, 0, 64, 32, 3},
    };
    for (const AreaCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << " coding " << c.coding);
        uint32_t mode = c.mode, coding = c.coding, width = c.width, height = c.height;
        uint32_t left = c.left, top = c.top, busLoad = 1000;
        ASSERT_EQ(FWC_PrepareFreeGrab(camera_, &mode, &coding, &width, &height, nullptr, &left,
                                      &top, &busLoad),
                  FW_STATUS_OK);
        EXPECT_EQ(width, c.width);
        EXPECT_EQ(height, c.height);
        EXPECT_EQ(left, c.left);
        EXPECT_EQ(top, c.top);
        uint32_t bayer = 99;
        EXPECT_EQ(FWC_GetCameraInfo(camera_, FWC_INFO_BAYER_PATTERN, &bayer), FW_STATUS_OK);
        EXPECT_EQ(bayer, c.bayer);
        expectPattern(grab(1), c.width, c.height, c.coding);
    }
}

TEST_F(Dc1394Bus, Format7AreasAreRoundedToTheModesUnits) {
    openFirst();
    uint32_t mode = 0, coding = FWC_CODING_MONO8, width = 333, height = 241;
    uint32_t left = 7, top = 3, busLoad = 500;
    ASSERT_EQ(FWC_PrepareFreeGrab(camera_, &mode, &coding, &width, &height, nullptr, &left, &top,
                                  &busLoad),
              FW_STATUS_OK);
    EXPECT_EQ(width, 328u);
    EXPECT_EQ(height, 240u);
    EXPECT_EQ(left, 4u);
    EXPECT_EQ(top, 2u);
    EXPECT_EQ(busLoad, 500u);
    coding = FWC_CODING_RAW8;  // mode 0 has no RAW8
    EXPECT_EQ(FWC_PrepareFreeGrab(camera_, &mode, &coding, &width, &height, nullptr, &left, &top,
                                  &busLoad),
              FWC_ERR_CODING_UNSUPPORTED);
    mode = 5;
    EXPECT_EQ(FWC_PrepareFreeGrab(camera_, &mode, &coding, &width, &height, nullptr, &left, &top,
                                  &busLoad),
              FWC_ERR_NO_FREE_MODE);
}

TEST_F(Dc1394Bus, FeaturesKeepValuesBoundsAndStatuses) {
    openFirst();
    struct FeatureCase {
        uint32_t id, min, max, value;
    };
    for (const FeatureCase& c : {FeatureCase{256, 0, 255, 128}, FeatureCase{264, 1, 4095, 800},
                                 FeatureCase{259, 0, 1023, 480}}) {
        SCOPED_TRACE(c.id);
        uint32_t min = 0, max = 0, value = 0;
        ASSERT_EQ(FWC_GetFeatureMin(camera_, c.id, &min), FW_STATUS_OK);
        ASSERT_EQ(FWC_GetFeatureMax(camera_, c.id, &max), FW_STATUS_OK);
        ASSERT_EQ(FWC_GetFeatureValue(camera_, c.id, &value), FW_STATUS_OK);
        EXPECT_EQ(min, c.min);
        EXPECT_EQ(max, c.max);
        EXPECT_EQ(value, c.value);
        EXPECT_EQ(FWC_SetFeatureValue(camera_, c.id, c.max + 1), FWC_ERR_VALUE_OUT_OF_RANGE);
    }
    // White balance's halves share one register and stay apart.
    ASSERT_EQ(FWC_SetFeatureValue(camera_, 259, 300), FW_STATUS_OK);
    ASSERT_EQ(FWC_SetFeatureValue(camera_, 260, 700), FW_STATUS_OK);
    uint32_t blue = 0, red = 0;
    ASSERT_EQ(FWC_GetFeatureValue(camera_, 259, &blue), FW_STATUS_OK);
    ASSERT_EQ(FWC_GetFeatureValue(camera_, 260, &red), FW_STATUS_OK);
    EXPECT_EQ(blue, 300u);
    EXPECT_EQ(red, 700u);

    // Exposure: off, on, one-push (done at once: reads on), auto. Brightness: on only.
    EXPECT_EQ(FWC_HasFeatureStatus(camera_, 257, FWC_STATUS_AUTO), FW_STATUS_OK);
    EXPECT_EQ(FWC_HasFeatureStatus(camera_, 256, FWC_STATUS_OFF),
              FWC_ERR_FEATURE_STATUS_UNSUPPORTED);
    EXPECT_EQ(FWC_SetFeatureStatus(camera_, 256, FWC_STATUS_AUTO),
              FWC_ERR_FEATURE_STATUS_UNSUPPORTED);
    for (const auto& [set, read] :
         {std::pair{FWC_STATUS_OFF, FWC_STATUS_OFF}, std::pair{FWC_STATUS_AUTO, FWC_STATUS_AUTO},
          std::pair{FWC_STATUS_ONE_PUSH, FWC_STATUS_ON}, std::pair{FWC_STATUS_ON, FWC_STATUS_ON}}) {
        ASSERT_EQ(FWC_SetFeatureStatus(camera_, 257, set), FW_STATUS_OK) << set;
        uint32_t status = 99;
        ASSERT_EQ(FWC_GetFeatureStatus(camera_, 257, &status), FW_STATUS_OK);
        EXPECT_EQ(status, static_cast<uint32_t>(read)) << set;
    }
    EXPECT_EQ(FWC_HasFeature(camera_, 267), FWC_ERR_FEATURE_NOT_PRESENT);
    uint32_t value = 0;
    EXPECT_EQ(FWC_GetFeatureValue(camera_, 300, &value), FWC_ERR_FEATURE_NOT_PRESENT);
}

TEST_F(Dc1394Bus, TriggerAndRegistersReachTheCamera) {
    openFirst();
    ASSERT_EQ(FWC_Trigger_Set(camera_, 14, 1, 1), FW_STATUS_OK);
    uint32_t mode = 0, active = 0, polarity = 0, pulses = 0;
    ASSERT_EQ(FWC_Trigger_Get(camera_, &mode, &active, &polarity, &pulses), FW_STATUS_OK);
    EXPECT_EQ(mode, 14u);
    EXPECT_EQ(active, 1u);
    EXPECT_EQ(polarity, 1u);
    EXPECT_EQ(FWC_Trigger_Set(camera_, 6, 1, 0), FWC_ERR_INVALID_ARGUMENT);

    // Brightness's control register, by its CSR address.
    ASSERT_EQ(FWC_SetRegister(camera_, 0xF0F00800u, 0x82000000u | 77u), FW_STATUS_OK);
    uint32_t value = 0;
    ASSERT_EQ(FWC_GetFeatureValue(camera_, 256, &value), FW_STATUS_OK);
    EXPECT_EQ(value, 77u);
    ASSERT_EQ(FWC_GetRegister(camera_, 0xF0F00800u, &value), FW_STATUS_OK);
    EXPECT_EQ(value & 0xFFFu, 77u);
    EXPECT_EQ(FWC_GetRegister(camera_, 0x100u, &value), FWC_ERR_REGISTER_ADDRESS);
    EXPECT_EQ(FWC_Lut_Use(camera_, 0, 1), FWC_ERR_NO_LUT);
}

// A software trigger through the trigger's registers: set the source to software, then
// each write of the software trigger register releases one frame, counted as a pulse.
TEST_F(Dc1394Bus, SoftwareTriggerReleasesCountedFrames) {
    openFirst();
    ASSERT_EQ(FWC_PrepareFixedGrab(camera_, 0, 1, 4), FW_STATUS_OK);
    ASSERT_EQ(FWC_Trigger_Set(camera_, 0, 1, 0), FW_STATUS_OK);
    constexpr uint32_t kTriggerMode = 0xF0F00830u, kSoftwareTrigger = 0xF0F0062Cu;
    constexpr uint32_t kSoftwareSource = 7u << 21;
    uint32_t trigger = 0;
    ASSERT_EQ(FWC_GetRegister(camera_, kTriggerMode, &trigger), FW_STATUS_OK);
    ASSERT_EQ(FWC_SetRegister(camera_, kTriggerMode, trigger | kSoftwareSource), FW_STATUS_OK);
    ASSERT_EQ(FWC_GrabStart(camera_, FWC_GRAB_CONTINUOUS), FW_STATUS_OK);
    std::vector<uint8_t> frame(iidc_standin::imageBytes(320, 240, FWC_CODING_YUV422));
    ASSERT_EQ(FWC_SetRegister(camera_, kSoftwareTrigger, 0x80000000u), FW_STATUS_OK);
    EXPECT_TRUE(waitUntil([&] {
        return FWC_GetNativeImage(camera_, frame.data(), static_cast<uint32_t>(frame.size()), 0) ==
               FW_STATUS_OK;
    }));
    uint32_t mode = 0, active = 0, polarity = 0, pulses = 0;
    ASSERT_EQ(FWC_Trigger_Get(camera_, &mode, &active, &polarity, &pulses), FW_STATUS_OK);
    EXPECT_EQ(active, 1u);
    EXPECT_GE(pulses, 1u);
    EXPECT_EQ(FWC_GrabStop(camera_, 1), FW_STATUS_OK);
}

class Dc1394BusLosses : public Dc1394Bus {
protected:
    std::string cameraLines() const override {
        return guidLines(1) +
               "camera 0 frame_interval_us 5000\ncamera 0 drop_every 4\n"
               "camera 0 short_every 7\n";
    }
};

TEST_F(Dc1394BusLosses, LostAndCorruptFramesAreReportedAsDrops) {
    openFirst();
    ASSERT_EQ(FWC_PrepareFixedGrab(camera_, 0, 1, 4), FW_STATUS_OK);
    std::atomic<int>& dropped = count(FWC_NOTIFY_FRAME_DROPPED);
    std::atomic<int>& completed = count(FWC_NOTIFY_FRAME_COMPLETE);
    ASSERT_EQ(FWC_GrabStart(camera_, FWC_GRAB_CONTINUOUS), FW_STATUS_OK);
    EXPECT_TRUE(waitUntil([&] { return dropped >= 1 && completed >= 1; }));
    EXPECT_EQ(FWC_GrabStop(camera_, 1), FW_STATUS_OK);
}

TEST_F(Dc1394Bus, UnpluggedWhileStreamingFailsItsCallsClosesCleanlyAndOpensAgain) {
    openFirst();
    ASSERT_EQ(FWC_PrepareFixedGrab(camera_, 0, 1, 4), FW_STATUS_OK);
    std::atomic<int>& errors = count(FWC_NOTIFY_ERROR);
    std::atomic<int>& completed = count(FWC_NOTIFY_FRAME_COMPLETE);
    ASSERT_EQ(FWC_GrabStart(camera_, FWC_GRAB_CONTINUOUS), FW_STATUS_OK);
    ASSERT_TRUE(waitUntil([&] { return completed >= 1; }));

    StandinControl::instance().update("camera 0 unplugged 1\n");
    ASSERT_TRUE(waitUntil([&] { return errors >= 1; }));
    uint32_t value = 0;
    EXPECT_EQ(FWC_GetFeatureValue(camera_, 256, &value), FWC_ERR_CAMERA_UNPLUGGED);
    EXPECT_EQ(FWC_GrabStart(camera_, 1), FWC_ERR_CAMERA_UNPLUGGED);
    FWC_GrabStop(camera_, 1);
    EXPECT_EQ(FWC_CloseCamera(camera_), FW_STATUS_OK);
    open_ = false;
    // The bus sees the change at its next enumeration.
    uint32_t ids[FWC_MAX_CAMERAS];
    uint32_t count = FWC_MAX_CAMERAS;
    EXPECT_TRUE(waitUntil([&] {
        count = FWC_MAX_CAMERAS;
        return FWC_GetCameras(&count, ids) == FW_STATUS_OK && count == 1;
    }));

    // Plugged in again: the same id opens and streams.
    StandinControl::instance().update("camera 0 unplugged 0\n");
    ASSERT_TRUE(waitUntil([&] {
        count = FWC_MAX_CAMERAS;
        return FWC_GetCameras(&count, ids) == FW_STATUS_OK && count == 2;
    }));
    openFirst();
    EXPECT_FALSE(grab(1).empty());
}

// Fetches the camera's newest frame in a loop on a thread of its own until destroyed,
// noting the sequence numbers of the frames it got.
class FetchLoop {
public:
    FetchLoop(uint32_t camera, size_t frameBytes)
        : thread_([this, camera, frameBytes] { run(camera, frameBytes); }) {}
    ~FetchLoop() {
        stopping_ = true;
        thread_.join();
    }
    FetchLoop(const FetchLoop&) = delete;
    FetchLoop& operator=(const FetchLoop&) = delete;

    int fetched() const { return fetched_; }
    int backwards() const { return backwards_; }
    uint32_t newest() const { return newest_; }

private:
    void run(uint32_t camera, size_t frameBytes) {
        std::vector<uint8_t> frame(frameBytes);
        while (!stopping_) {
            if (FWC_GetNativeImage(camera, frame.data(), static_cast<uint32_t>(frame.size()), 0) !=
                FW_STATUS_OK) {
                std::this_thread::yield();
                continue;
            }
            const uint32_t sequence = iidc_standin::frameSequence(frame.data());
            if (sequence < newest_) ++backwards_;
            newest_ = std::max<uint32_t>(newest_, sequence);
            ++fetched_;
        }
    }

    std::atomic<bool> stopping_{false};
    std::atomic<int> fetched_{0};
    std::atomic<int> backwards_{0};
    std::atomic<uint32_t> newest_{0};
    std::thread thread_;
};

// Frames faster than the capture thread wakes, some of them corrupt: it finds several at
// once, and frames go back to libdc1394 out of the order they came unless it keeps it.
class Dc1394BusFastFrames : public Dc1394Bus {
protected:
    std::string cameraLines() const override {
        return guidLines(1) + "camera 0 frame_interval_us 1000\ncamera 0 short_every 5\n";
    }
};

const size_t kQvgaYuv422Bytes = iidc_standin::imageBytes(320, 240, FWC_CODING_YUV422);

TEST_F(Dc1394BusFastFrames, FetchesWhileTheGrabStopsAndKeepsTheNewestFrameAfterIt) {
    openFirst();
    ASSERT_EQ(FWC_PrepareFixedGrab(camera_, 0, 1, 4), FW_STATUS_OK);
    ASSERT_EQ(FWC_GrabStart(camera_, FWC_GRAB_CONTINUOUS), FW_STATUS_OK);
    uint32_t newestFetched = 0;
    {
        const FetchLoop fetching(camera_, kQvgaYuv422Bytes);
        EXPECT_TRUE(waitUntil([&] { return fetching.newest() >= 100; }));
        EXPECT_EQ(FWC_GrabStop(camera_, 1), FW_STATUS_OK);
        EXPECT_GT(fetching.fetched(), 0);
        EXPECT_EQ(fetching.backwards(), 0) << "a fetched frame older than one fetched before";
        newestFetched = fetching.newest();
    }
    // The frame held at the stop, fetchable as often as asked, until the next start.
    std::vector<uint8_t> last(kQvgaYuv422Bytes), again(kQvgaYuv422Bytes);
    ASSERT_EQ(FWC_GetNativeImage(camera_, last.data(), static_cast<uint32_t>(last.size()), 0),
              FW_STATUS_OK);
    ASSERT_EQ(FWC_GetNativeImage(camera_, again.data(), static_cast<uint32_t>(again.size()), 0),
              FW_STATUS_OK);
    EXPECT_EQ(last, again);
    expectPattern(last, 320, 240, FWC_CODING_YUV422);
    EXPECT_GE(iidc_standin::frameSequence(last.data()), newestFetched);
    EXPECT_EQ(FWC_GetNativeImage(camera_, last.data(), static_cast<uint32_t>(last.size() - 1), 0),
              FWC_ERR_BUFFER_TOO_SMALL);
}

TEST_F(Dc1394BusFastFrames, FetchesWhileTheCameraLeavesTheBusAndCloses) {
    openFirst();
    ASSERT_EQ(FWC_PrepareFixedGrab(camera_, 0, 1, 4), FW_STATUS_OK);
    std::atomic<int>& errors = count(FWC_NOTIFY_ERROR);
    ASSERT_EQ(FWC_GrabStart(camera_, FWC_GRAB_CONTINUOUS), FW_STATUS_OK);
    const FetchLoop fetching(camera_, kQvgaYuv422Bytes);
    EXPECT_TRUE(waitUntil([&] { return fetching.fetched() >= 10; }));
    StandinControl::instance().update("camera 0 unplugged 1\n");
    EXPECT_TRUE(waitUntil([&] { return errors >= 1; }));
    FWC_GrabStop(camera_, 1);
    EXPECT_EQ(FWC_CloseCamera(camera_), FW_STATUS_OK);
    open_ = false;
    std::vector<uint8_t> frame(kQvgaYuv422Bytes);
    EXPECT_NE(FWC_GetNativeImage(camera_, frame.data(), static_cast<uint32_t>(frame.size()), 0),
              FW_STATUS_OK);
}

// Camera 1 keeps time for camera 0: both send a frame every millisecond.
class Dc1394BusTwoFastCameras : public Dc1394Bus {
protected:
    std::string cameraLines() const override {
        return guidLines(2) + "camera 0 frame_interval_us 1000\ncamera 1 frame_interval_us 1000\n";
    }
};

// After its counted frames the camera streams on, into buffers the bus gives straight back
// while it keeps the last counted frame: far more frames than it has buffers.
TEST_F(Dc1394BusTwoFastCameras, ACountedGrabKeepsItsLastFrameWhileTheCameraStreamsOn) {
    openFirst();
    const uint32_t clockCamera = idOf(1);
    ASSERT_EQ(FWC_OpenCamera(clockCamera, 0), FW_STATUS_OK);
    ASSERT_EQ(FWC_PrepareFixedGrab(camera_, 0, 1, 4), FW_STATUS_OK);
    ASSERT_EQ(FWC_SetFeatureValue(camera_, 1026, 3), FW_STATUS_OK);
    std::atomic<int> ticks{0};
    FWC_HANDLE handle = 0;
    FWC_NOTIFICATION notification = FWC_MakeNotification(clockCamera, countCall, &ticks);
    ASSERT_EQ(FWC_RegisterNotification(&handle, FWC_NOTIFY_FRAME_COMPLETE, &notification),
              FW_STATUS_OK);
    handles_.push_back(handle);

    std::vector<uint8_t> frame(kQvgaYuv422Bytes);
    const auto fetch = [&] {
        return FWC_GetNativeImage(camera_, frame.data(), static_cast<uint32_t>(frame.size()), 0);
    };
    ASSERT_EQ(FWC_MultiShotStart(camera_, 2), FW_STATUS_OK);
    ASSERT_TRUE(waitUntil([&] { return fetch() == FW_STATUS_OK; }));
    ASSERT_EQ(FWC_GrabStart(clockCamera, FWC_GRAB_CONTINUOUS), FW_STATUS_OK);
    EXPECT_TRUE(waitUntil([&] { return ticks >= 30; }));
    ASSERT_EQ(fetch(), FW_STATUS_OK);
    expectPattern(frame, 320, 240, FWC_CODING_YUV422);
    EXPECT_EQ(FWC_GrabStop(camera_, 1), FW_STATUS_OK);
    EXPECT_EQ(FWC_GrabStop(clockCamera, 1), FW_STATUS_OK);
    EXPECT_EQ(FWC_CloseCamera(clockCamera), FW_STATUS_OK);
}

TEST_F(Dc1394Bus, AFurtherMultiShotAddsItsFramesWhileAGrabRefusesToStart) {
    openFirst();
    ASSERT_EQ(FWC_PrepareFixedGrab(camera_, 0, 1, 4), FW_STATUS_OK);
    ASSERT_EQ(FWC_MultiShotStart(camera_, 1000), FW_STATUS_OK);
    EXPECT_EQ(FWC_MultiShotStart(camera_, 1000), FW_STATUS_OK);
    EXPECT_EQ(FWC_GrabStart(camera_, 1), FWC_ERR_ACQUISITION_RUNNING);
    uint32_t mode = 0, coding = FWC_CODING_MONO8, width = 64, height = 64;
    uint32_t left = 0, top = 0, busLoad = 1000;
    EXPECT_EQ(FWC_PrepareFreeGrab(camera_, &mode, &coding, &width, &height, nullptr, &left, &top,
                                  &busLoad),
              FWC_ERR_ACQUISITION_RUNNING);
    EXPECT_EQ(FWC_MultiShotStop(camera_), FW_STATUS_OK);
    EXPECT_EQ(FWC_GrabStart(camera_, 1), FW_STATUS_OK);
}

TEST_F(Dc1394Bus, ACameraOpensOnceUntilClosed) {
    openFirst();
    EXPECT_EQ(FWC_OpenCamera(camera_, 0), FWC_ERR_CAMERA_ALREADY_OPEN);
    ASSERT_EQ(FWC_CloseCamera(camera_), FW_STATUS_OK);
    open_ = false;
    openFirst();
}

}  // namespace
}  // namespace lvc::test
