// Listing virtual USB IIDC cameras through libdc1394, and what it reads from their ROMs.
#include <gtest/gtest.h>

#include "dc1394_fixture.h"

namespace lvc::test {
namespace {

using EnumerationTest = Dc1394Test;

TEST_F(EnumerationTest, FindsTheCameraByGuidWithUnitZero) {
    const auto ids = enumerate();
    ASSERT_EQ(ids.size(), 1u);
    EXPECT_EQ(ids[0].guid, 0x0012345600000001u);
    EXPECT_EQ(ids[0].unit, 0);
}

TEST_F(EnumerationTest, ReadsVendorModelAndVersionFromTheConfigurationRom) {
    dc1394camera_t* camera = openCamera();
    ASSERT_NE(camera, nullptr);
    EXPECT_STREQ(camera->vendor, "Testvendor");
    EXPECT_STREQ(camera->model, "TV-IIDC1");
    EXPECT_EQ(camera->guid, 0x0012345600000001u);
    EXPECT_EQ(camera->iidc_version, DC1394_IIDC_VERSION_1_31);
    EXPECT_EQ(camera->vendor_id, 0x001234u);  // the GUID's top 24 bits
    EXPECT_TRUE(camera->one_shot_capable);
    EXPECT_TRUE(camera->multi_shot_capable);
    EXPECT_EQ(camera->max_mem_channel, 2u);
}

// The USB platform names the node by the device address and the generation by the bus
// number: neither changes when nothing is replugged.
TEST_F(EnumerationTest, NodeIsTheUsbDeviceAddress) {
    dc1394camera_t* camera = openCamera();
    ASSERT_NE(camera, nullptr);
    uint32_t node = 0, generation = 0;
    ASSERT_EQ(dc1394_camera_get_node(camera, &node, &generation), DC1394_SUCCESS);
    EXPECT_EQ(node, 1u);
    EXPECT_EQ(generation, 1u);
}

TEST_F(EnumerationTest, RegistersReadThroughTheCsrAddress) {
    dc1394camera_t* camera = openCamera();
    ASSERT_NE(camera, nullptr);
    struct Case {
        const char* what;
        uint64_t address;  // offset from 0xFFFFF0000000
        uint32_t value;
    };
    const Case cases[] = {
        {"bus info block length", 0x400, 0x04040000},
        {"bus name \"1394\"", 0x404, 0x31333934},
        {"GUID high", 0x40C, 0x00123456},
        {"GUID low", 0x410, 0x00000001},
        {"V_FORMAT_INQ: formats 0, 1, 2, 7", 0xF00100, 0xE1000000},
        {"CUR_V_FORMAT 0", 0xF00608, 0},
        {"CUR_V_MODE 5", 0xF00604, 5u << 29},
    };
    for (const Case& c : cases) {
        uint32_t value = 0;
        EXPECT_EQ(dc1394_get_registers(camera, c.address, &value, 1), DC1394_SUCCESS) << c.what;
        EXPECT_EQ(value, c.value) << c.what;
    }
    uint32_t control = 0;
    ASSERT_EQ(dc1394_get_control_register(camera, 0x608, &control), DC1394_SUCCESS);
    EXPECT_EQ(control, 0u);
}

TEST_F(EnumerationTest, RegisterWritesReachTheCamera) {
    dc1394camera_t* camera = openCamera();
    ASSERT_NE(camera, nullptr);
    ASSERT_EQ(dc1394_set_control_register(camera, 0x604, 3u << 29), DC1394_SUCCESS);
    dc1394video_mode_t mode;
    ASSERT_EQ(dc1394_video_get_mode(camera, &mode), DC1394_SUCCESS);
    EXPECT_EQ(mode, DC1394_VIDEO_MODE_640x480_YUV422);
}

class TwoCamerasTest : public Dc1394Test {
protected:
    std::string cameraLines() const override {
        return "cameras 2\n"
               "camera 0 vendor Optica Nord\n"
               "camera 0 model ON-2 Mono\n"
               "camera 0 guid 00a0b0c000000042\n"
               "camera 1 guid 00a0b0c000000043\n";
    }
};

TEST_F(TwoCamerasTest, ListsBothWithTheirOwnNames) {
    const auto ids = enumerate();
    ASSERT_EQ(ids.size(), 2u);
    dc1394camera_t* first = openCamera(0);
    dc1394camera_t* second = openCamera(1);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(first->guid, 0x00a0b0c000000042u);
    EXPECT_STREQ(first->vendor, "Optica Nord");
    EXPECT_STREQ(first->model, "ON-2 Mono");
    EXPECT_EQ(second->guid, 0x00a0b0c000000043u);
    EXPECT_STREQ(second->vendor, "Testvendor");
    EXPECT_STREQ(second->model, "TV-IIDC2");
}

// libdc1394 has no exclusive open: the same camera opens twice in one process.
TEST_F(EnumerationTest, OpensTheSameCameraTwice) {
    dc1394camera_t* first = openCamera();
    dc1394camera_t* second = openCamera();
    ASSERT_NE(first, nullptr);
    EXPECT_NE(second, nullptr);
}

}  // namespace
}  // namespace lvc::test
