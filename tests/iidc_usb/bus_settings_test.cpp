// The bus-level calls behind FwControl's driver settings (PHYSPEED, ISOCHANNEL, CYCLETIME,
// DO_BUSTRIGGER, a bus reset) as libdc1394's USB platform answers them.
#include <gtest/gtest.h>

#include "dc1394_fixture.h"

namespace lvc::test {
namespace {

using BusSettingsTest = Dc1394Test;

TEST_F(BusSettingsTest, IsoSpeedAndChannelReadBack) {
    dc1394camera_t* camera = openCamera();
    ASSERT_NE(camera, nullptr);
    ASSERT_EQ(dc1394_video_set_iso_speed(camera, DC1394_ISO_SPEED_200), DC1394_SUCCESS);
    ASSERT_EQ(dc1394_video_set_iso_channel(camera, 5), DC1394_SUCCESS);
    dc1394speed_t speed;
    uint32_t channel = 0;
    ASSERT_EQ(dc1394_video_get_iso_speed(camera, &speed), DC1394_SUCCESS);
    ASSERT_EQ(dc1394_video_get_iso_channel(camera, &channel), DC1394_SUCCESS);
    EXPECT_EQ(speed, DC1394_ISO_SPEED_200);
    EXPECT_EQ(channel, 5u);
}

// Over USB there is no cycle timer and no broadcast (so no bus trigger); a bus reset is a
// USB device reset.
TEST_F(BusSettingsTest, NoCycleTimerNoBroadcastButABusReset) {
    dc1394camera_t* camera = openCamera();
    ASSERT_NE(camera, nullptr);
    uint32_t cycleTime = 0;
    uint64_t localTime = 0;
    EXPECT_EQ(dc1394_read_cycle_timer(camera, &cycleTime, &localTime),
              DC1394_FUNCTION_NOT_SUPPORTED);
    EXPECT_EQ(dc1394_camera_set_broadcast(camera, DC1394_TRUE), DC1394_FUNCTION_NOT_SUPPORTED);
    EXPECT_EQ(dc1394_reset_bus(camera), DC1394_SUCCESS);
    dc1394video_mode_t mode;
    EXPECT_EQ(dc1394_video_get_mode(camera, &mode), DC1394_SUCCESS) << "usable after the reset";
}

}  // namespace
}  // namespace lvc::test
