// The IIDC bus's features beyond IIDC's 256-266, through the FWC_ calls on virtual USB IIDC
// cameras: memory channels behind USERPROFILE, the driver settings libdc1394 honours over
// USB (FRAMEBUFFERCOUNT) and the ones it cannot (PHYSPEED, ISOCHANNEL), the trigger's input
// source, and a capture setup the camera's host refuses.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "dc1394_bus_fixture.h"
#include "fw_status.h"
#include "fwcontrol.h"
#include "iidc_test_pattern.h"
#include "iidc_usb/standin_control.h"
#include "support/temp_directory.h"

namespace lvc::test {
namespace {

constexpr uint32_t kUserProfile = 540;
constexpr uint32_t kPhySpeed = 1025;
constexpr uint32_t kFrameBufferCount = 1026;
constexpr uint32_t kIsoChannel = 1032;
constexpr uint32_t kBrightness = 256;

std::string errorText(int32_t status) {
    char text[FWC_ERROR_TEXT_SIZE] = {};
    EXPECT_EQ(FWC_GetErrorInfo(status, text, sizeof text), FW_STATUS_OK);
    return text;
}

uint32_t valueOf(uint32_t camera, uint32_t feature) {
    uint32_t value = 0;
    EXPECT_EQ(FWC_GetFeatureValue(camera, feature, &value), FW_STATUS_OK) << feature;
    return value;
}

struct FixedFormat {
    uint32_t format, mode, rate;
    bool operator==(const FixedFormat&) const = default;
};

FixedFormat currentFixedFormat(uint32_t camera) {
    FixedFormat current{};
    EXPECT_EQ(FWC_GetCurrentFixedFormat(camera, &current.format, &current.mode, &current.rate),
              FW_STATUS_OK);
    return current;
}

TEST_F(Dc1394Bus, DescribesTheDriverFeaturesItHonoursOverUsb) {
    openFirst();
    struct Described {
        uint32_t id;
        int32_t present;
        uint32_t min, max, value;
    };
    // USB cameras send no isochronous packets: no bus speed, no channel.
    for (const Described& c : {Described{kUserProfile, FW_STATUS_OK, 0, 2, 0},
                               Described{kFrameBufferCount, FW_STATUS_OK, 3, 64, 8},
                               Described{kPhySpeed, FWC_ERR_FEATURE_NOT_PRESENT, 0, 0, 0},
                               Described{kIsoChannel, FWC_ERR_FEATURE_NOT_PRESENT, 0, 0, 0}}) {
        SCOPED_TRACE(c.id);
        ASSERT_EQ(FWC_HasFeature(camera_, c.id), c.present);
        uint32_t min = 0, max = 0, value = 0, status = 0;
        if (c.present != FW_STATUS_OK) {
            EXPECT_EQ(FWC_GetFeatureValue(camera_, c.id, &value), FWC_ERR_FEATURE_NOT_PRESENT);
            EXPECT_EQ(FWC_SetFeatureValue(camera_, c.id, 0), FWC_ERR_FEATURE_NOT_PRESENT);
            continue;
        }
        ASSERT_EQ(FWC_GetFeatureMin(camera_, c.id, &min), FW_STATUS_OK);
        ASSERT_EQ(FWC_GetFeatureMax(camera_, c.id, &max), FW_STATUS_OK);
        EXPECT_EQ(min, c.min);
        EXPECT_EQ(max, c.max);
        EXPECT_EQ(valueOf(camera_, c.id), c.value);
        ASSERT_EQ(FWC_GetFeatureStatus(camera_, c.id, &status), FW_STATUS_OK);
        EXPECT_EQ(status, static_cast<uint32_t>(FWC_STATUS_ON));
        EXPECT_EQ(FWC_SetFeatureStatus(camera_, c.id, FWC_STATUS_ON), FW_STATUS_OK);
        EXPECT_EQ(FWC_SetFeatureValue(camera_, c.id, c.max + 1), FWC_ERR_VALUE_OUT_OF_RANGE);
        if (c.min > 0) {
            EXPECT_EQ(FWC_SetFeatureValue(camera_, c.id, c.min - 1), FWC_ERR_VALUE_OUT_OF_RANGE);
        }
        struct StatusCase {
            uint32_t status;
            int32_t expected;
        };
        for (const StatusCase& s : {StatusCase{FWC_STATUS_OFF, FWC_ERR_FEATURE_STATUS_UNSUPPORTED},
                                    StatusCase{FWC_STATUS_AUTO, FWC_ERR_FEATURE_STATUS_UNSUPPORTED},
                                    StatusCase{FWC_STATUS_AUTO + 1, FWC_ERR_INVALID_ARGUMENT}})
            EXPECT_EQ(FWC_SetFeatureStatus(camera_, c.id, s.status), s.expected) << s.status;
    }
    EXPECT_EQ(FWC_HasFeatureStatus(camera_, kUserProfile, FWC_STATUS_ONE_PUSH), FW_STATUS_OK);
    EXPECT_EQ(FWC_HasFeatureStatus(camera_, kFrameBufferCount, FWC_STATUS_ONE_PUSH),
              FWC_ERR_FEATURE_STATUS_UNSUPPORTED);
}

// A channel keeps features and the video mode; loading one brings them back, and the
// factory channel 0 cannot be saved to.
TEST_F(Dc1394Bus, MemoryChannelsSaveAndLoadTheCamerasSettings) {
    openFirst();
    const FixedFormat factoryFormat = currentFixedFormat(camera_);
    const uint32_t factoryBrightness = valueOf(camera_, kBrightness);
    const int32_t refused = FWC_SetFeatureStatus(camera_, kUserProfile, FWC_STATUS_ONE_PUSH);
    EXPECT_EQ(refused, FWC_ERR_FEATURE_STATUS_UNSUPPORTED);
    EXPECT_NE(errorText(refused).find("factory"), std::string::npos) << errorText(refused);

    ASSERT_EQ(FWC_SetFeatureValue(camera_, kUserProfile, 1), FW_STATUS_OK);
    ASSERT_EQ(FWC_SetFeatureValue(camera_, kBrightness, 40), FW_STATUS_OK);
    ASSERT_EQ(FWC_PrepareFixedGrab(camera_, 0, 1, 3), FW_STATUS_OK);
    ASSERT_EQ(FWC_SetFeatureStatus(camera_, kUserProfile, FWC_STATUS_ONE_PUSH), FW_STATUS_OK);
    uint32_t status = 0;
    ASSERT_EQ(FWC_GetFeatureStatus(camera_, kUserProfile, &status), FW_STATUS_OK);
    EXPECT_EQ(status, static_cast<uint32_t>(FWC_STATUS_ON));

    struct Load {
        uint32_t channel, brightness;
        FixedFormat format;
    };
    for (const Load& c :
         {Load{2, factoryBrightness, factoryFormat}, Load{1, 40, FixedFormat{0, 1, 3}},
          Load{0, factoryBrightness, factoryFormat}}) {
        SCOPED_TRACE(c.channel);
        ASSERT_EQ(FWC_SetFeatureValue(camera_, kUserProfile, c.channel), FW_STATUS_OK);
        EXPECT_EQ(valueOf(camera_, kUserProfile), c.channel);
        EXPECT_EQ(valueOf(camera_, kBrightness), c.brightness);
        EXPECT_EQ(currentFixedFormat(camera_), c.format);
    }
    // The loaded mode is the one frames come in.
    ASSERT_EQ(FWC_SetFeatureValue(camera_, kUserProfile, 1), FW_STATUS_OK);
    EXPECT_EQ(grab(1).size(), iidc_standin::imageBytes(320, 240, FWC_CODING_YUV422));

    ASSERT_EQ(FWC_GrabStart(camera_, FWC_GRAB_CONTINUOUS), FW_STATUS_OK);
    EXPECT_EQ(FWC_SetFeatureValue(camera_, kUserProfile, 2), FWC_ERR_ACQUISITION_RUNNING);
    EXPECT_EQ(FWC_GrabStop(camera_, 1), FW_STATUS_OK);
}

// The settings file keeps the camera's IIDC features, not its memory channel or the
// driver's buffers.
TEST_F(Dc1394Bus, SettingsFilesLeaveMemoryChannelsAndDriverSettingsOut) {
    openFirst();
    ASSERT_EQ(FWC_SetFeatureValue(camera_, kFrameBufferCount, 3), FW_STATUS_OK);
    TempDirectory directory;
    const std::string path = (directory.path() / "camera.xml").string();
    ASSERT_EQ(FWC_SaveSettings(camera_, path.c_str()), FW_STATUS_OK);
    std::ostringstream saved;
    saved << std::ifstream(path).rdbuf();
    EXPECT_NE(saved.str().find("id=\"256\""), std::string::npos);
    EXPECT_EQ(saved.str().find("id=\"540\""), std::string::npos);
    EXPECT_EQ(saved.str().find("id=\"1026\""), std::string::npos);
    ASSERT_EQ(FWC_SetFeatureValue(camera_, kUserProfile, 2), FW_STATUS_OK);
    ASSERT_EQ(FWC_LoadSettings(camera_, path.c_str(), 0), FW_STATUS_OK);
    EXPECT_EQ(valueOf(camera_, kUserProfile), 2u);
    EXPECT_EQ(valueOf(camera_, kFrameBufferCount), 3u);
}

class Dc1394BusShortOfTransfers : public Dc1394Bus {
protected:
    std::string cameraLines() const override {
        return guidLines(1) + "camera 0 frame_interval_us 5000\ncamera 0 max_transfers 4\n";
    }
};

// FRAMEBUFFERCOUNT is the number of transfers the next capture setup queues: more than the
// host takes fails that start with the reason, and leaves the camera to start again.
TEST_F(Dc1394BusShortOfTransfers, FrameBufferCountSizesTheNextCaptureSetup) {
    openFirst();
    ASSERT_EQ(FWC_PrepareFixedGrab(camera_, 0, 1, 4), FW_STATUS_OK);
    ASSERT_EQ(FWC_SetFeatureValue(camera_, kFrameBufferCount, 4), FW_STATUS_OK);
    EXPECT_FALSE(grab(2).empty());

    ASSERT_EQ(FWC_SetFeatureValue(camera_, kFrameBufferCount, 5), FW_STATUS_OK);
    const int32_t refused = FWC_GrabStart(camera_, FWC_GRAB_CONTINUOUS);
    EXPECT_EQ(refused, FWC_ERR_RESOURCES);
    EXPECT_NE(errorText(refused).find("dc1394_capture_setup"), std::string::npos)
        << errorText(refused);
    EXPECT_EQ(FWC_GrabStop(camera_, 1), FW_STATUS_OK);

    // The newest frame stays in one buffer: two would leave the camera one to fill.
    EXPECT_EQ(FWC_SetFeatureValue(camera_, kFrameBufferCount, 2), FWC_ERR_VALUE_OUT_OF_RANGE);
    ASSERT_EQ(FWC_SetFeatureValue(camera_, kFrameBufferCount, 3), FW_STATUS_OK);
    EXPECT_EQ(valueOf(camera_, kFrameBufferCount), 3u);
    EXPECT_FALSE(grab(2).empty());
    uint32_t value = 0;
    EXPECT_EQ(FWC_GetFeatureValue(camera_, kBrightness, &value), FW_STATUS_OK);
}

// The FWC trigger waits for the camera's input line: activating it takes the camera off
// its software source.
TEST_F(Dc1394Bus, AnActiveTriggerListensToTheInputLine) {
    openFirst();
    constexpr uint32_t kTriggerMode = 0xF0F00830u;
    constexpr uint32_t kSourceBits = 7u << 21;
    uint32_t trigger = 0;
    ASSERT_EQ(FWC_GetRegister(camera_, kTriggerMode, &trigger), FW_STATUS_OK);
    ASSERT_EQ(FWC_SetRegister(camera_, kTriggerMode, trigger | kSourceBits), FW_STATUS_OK);

    struct TriggerCase {
        uint32_t mode, active, polarity, source;
    };
    // Inactive, the source stays as it is; active, source 0 (the camera's only line).
    for (const TriggerCase& c :
         {TriggerCase{1, 0, 0, 7}, TriggerCase{0, 1, 1, 0}, TriggerCase{14, 1, 0, 0}}) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << " active " << c.active);
        ASSERT_EQ(FWC_Trigger_Set(camera_, c.mode, c.active, c.polarity), FW_STATUS_OK);
        ASSERT_EQ(FWC_GetRegister(camera_, kTriggerMode, &trigger), FW_STATUS_OK);
        EXPECT_EQ((trigger & kSourceBits) >> 21, c.source);
        uint32_t mode = 99, active = 99, polarity = 99, pulses = 0;
        ASSERT_EQ(FWC_Trigger_Get(camera_, &mode, &active, &polarity, &pulses), FW_STATUS_OK);
        EXPECT_EQ(mode, c.mode);
        EXPECT_EQ(active, c.active);
        EXPECT_EQ(polarity, c.polarity);
    }
}

}  // namespace
}  // namespace lvc::test
