// The bus description: the default bus, and refusal of bad files with a text that names
// the file, the place and the problem.
#include <cstdlib>
#include <set>
#include <string>

#include "fw_status.h"
#include "sim_fixture.h"

namespace {

TEST_F(SimBusTest, DefaultBusListsTheTypicalCamerasUnderDistinctNames) {
    const char* saved = std::getenv("FWCONTROL_SIM_BUS");
    ASSERT_TRUE(saved == nullptr || *saved == '\0');
    ASSERT_EQ(FWC_Init(), 0);
    uint32_t count = FWC_MAX_CAMERAS;
    uint32_t ids[FWC_MAX_CAMERAS];
    ASSERT_EQ(FWC_GetCameras(&count, ids), 0);
    ASSERT_EQ(count, 5u);
    std::set<std::string> names;
    std::set<uint32_t> codings;
    bool interlaced = false;
    for (uint32_t i = 0; i < count; ++i) {
        ASSERT_NE(ids[i], 0u);
        ASSERT_EQ(FWC_OpenCamera(ids[i], FWC_OPEN_DEFAULT), 0);
        char model[FWC_INFO_STRING_SIZE];
        char vendor[FWC_INFO_STRING_SIZE];
        uint32_t modelLength = sizeof model;
        uint32_t vendorLength = sizeof vendor;
        ASSERT_EQ(FWC_GetCameraInfoString(ids[i], 0, model, &modelLength), 0);
        ASSERT_EQ(FWC_GetCameraInfoString(ids[i], 1, vendor, &vendorLength), 0);
        names.insert(std::string(vendor) + " " + model + " - " + std::to_string(ids[i]));
        uint32_t width = 0, height = 0, coding = 0, depth = 0, flag = 0;
        ASSERT_EQ(FWC_GetCurrentImageFormat(ids[i], &width, &height, &coding, &depth), 0);
        EXPECT_GT(width * height, 0u);
        codings.insert(coding);
        ASSERT_EQ(FWC_GetCameraInfo(ids[i], FWC_INFO_INTERLACED, &flag), 0);
        interlaced = interlaced || flag != 0;
        EXPECT_EQ(FWC_CloseCamera(ids[i]), 0);
    }
    EXPECT_EQ(names.size(), 5u);
    EXPECT_TRUE(codings.count(FWC_CODING_RAW8) && codings.count(FWC_CODING_MONO8) &&
                codings.count(FWC_CODING_YUV422))
        << "RAW8, Mono8, YUV422";
    EXPECT_TRUE(interlaced);
    EXPECT_EQ(FWC_Release(), 0);
}

struct BadBus {
    const char* what;
    std::string json;
    const char* place;
    const char* problem;

    friend void PrintTo(const BadBus& c, std::ostream* out) { *out << c.what; }
};

class RefusedBus : public SimBusTest, public ::testing::WithParamInterface<BadBus> {};

TEST_P(RefusedBus, InitFailsWithFilePlaceAndProblem) {
    const BadBus& bad = GetParam();
    const int32_t status = startBus(bad.json);
    ASSERT_EQ(status, FWC_ERR_BUS_DESCRIPTION) << bad.what;
    const std::string text = errorText(status);
    EXPECT_NE(text.find(busFile().string()), std::string::npos) << text;
    EXPECT_NE(text.find(bad.place), std::string::npos) << text;
    EXPECT_NE(text.find(bad.problem), std::string::npos) << text;
    uint32_t count = 0;
    EXPECT_EQ(FWC_GetCameras(&count, nullptr), FWC_ERR_NOT_INITIALIZED);
}

const std::string fixedCamera = R"("fixedFormats": [{"format": 0, "mode": 5, "rates": [3]}])";

INSTANTIATE_TEST_SUITE_P(
    Cases, RefusedBus,
    ::testing::Values(
        BadBus{"syntax error", "{\"cameras\": [ {\"id\": 1,, } ]}", "line 1, column",
               "syntax error"},
        BadBus{"no cameras array", "{}", "/cameras", "required array missing"},
        BadBus{"unknown key", "{\"cameras\": [{\"id\": 1, \"colour\": 1}]}", "/cameras/0/colour",
               "unknown key"},
        BadBus{"no format", "{\"cameras\": [{\"id\": 1}]}", "/cameras/0",
               "at least one fixed format"},
        BadBus{"id 0", ("{\"cameras\": [{\"id\": 0, " + fixedCamera + "}]}"), "/cameras/0/id",
               "between 1"},
        BadBus{
            "duplicate id",
            ("{\"cameras\": [{\"id\": 3, " + fixedCamera + "}, {\"id\": 3, " + fixedCamera + "}]}"),
            "/cameras/1/id", "used by another camera"},
        BadBus{"bad Bayer pattern", ("{\"cameras\": [{\"bayer\": \"RGBG\", " + fixedCamera + "}]}"),
               "/cameras/0/bayer", "RGGB"},
        BadBus{
            "rate out of range",
            "{\"cameras\": [{\"fixedFormats\": [{\"format\": 0, \"mode\": 5, \"rates\": [9]}]}]}",
            "/cameras/0/fixedFormats/0/rates/0", "between 0 and 7"},
        BadBus{"area beyond the sensor",
               "{\"cameras\": [{\"format7\": [{\"maxWidth\": 64, \"maxHeight\": 64, \"codings\": "
               "[0]}], \"current\": {\"format\": 7, \"aoi\": [32, 0, 64, 64]}}]}",
               "/cameras/0/current/aoi", "beyond the sensor"},
        BadBus{"unknown coding",
               "{\"cameras\": [{\"format7\": [{\"maxWidth\": 64, \"maxHeight\": 64, \"codings\": "
               "[77]}]}]}",
               "/cameras/0/format7/0/codings/0", "unknown colour coding"},
        BadBus{"feature value outside its range",
               ("{\"cameras\": [{" + fixedCamera +
                ", \"features\": [{\"id\": 265, \"min\": 10, \"max\": 20, \"value\": 30}]}]}"),
               "/cameras/0/features/0/value", "between 10 and 20"},
        BadBus{"timing", ("{\"cameras\": [{\"timing\": \"slow\", " + fixedCamera + "}]}"),
               "/cameras/0/timing", "realtime"}),
    caseName<BadBus>);

TEST_F(SimBusTest, MissingBusFileIsNamed) {
    const int32_t status = startBus("{}");
    ASSERT_EQ(status, FWC_ERR_BUS_DESCRIPTION);
    std::filesystem::remove(busFile());
    ASSERT_EQ(FWC_Init(), FWC_ERR_BUS_DESCRIPTION);
    EXPECT_NE(errorText(FWC_ERR_BUS_DESCRIPTION).find(busFile().string() + ": cannot be read"),
              std::string::npos);
}

TEST_F(SimBusTest, PluggedCameraJoinsAndLeavesTheBus) {
    ASSERT_EQ(startBus("{\"cameras\": []}"), 0);
    CallCounter nodeList;
    FWC_NOTIFICATION notification =
        FWC_MakeNotification(FWC_ALL_CAMERAS, CallCounter::callback, &nodeList);
    FWC_HANDLE handle = 0;
    ASSERT_EQ(FWC_RegisterNodeListChangedNotification(&handle, &notification), 0);

    const uint32_t id = FWS_Plug(manualCamera(42, {0}).json().c_str());
    ASSERT_EQ(id, 42u);
    EXPECT_TRUE(nodeList.waitForCalls(1));
    uint32_t count = FWC_MAX_CAMERAS;
    uint32_t ids[FWC_MAX_CAMERAS];
    ASSERT_EQ(FWC_GetCameras(&count, ids), 0);
    ASSERT_EQ(count, 1u);
    EXPECT_EQ(ids[0], 42u);
    EXPECT_EQ(FWS_Plug(manualCamera(42, {0}).json().c_str()), 0u) << "id already on the bus";
    EXPECT_EQ(FWS_Plug("{\"id\": 5}"), 0u) << "camera without formats";
    EXPECT_NE(errorText(FWC_ERR_BUS_DESCRIPTION).find("at least one fixed format"),
              std::string::npos);

    ASSERT_EQ(FWC_OpenCamera(42, FWC_OPEN_DEFAULT), 0);
    ASSERT_EQ(FWS_Unplug(42), 0);
    EXPECT_TRUE(nodeList.waitForCalls(2));
    count = FWC_MAX_CAMERAS;
    ASSERT_EQ(FWC_GetCameras(&count, ids), 0);
    EXPECT_EQ(count, 0u);
    EXPECT_EQ(FWC_OpenCamera(42, FWC_OPEN_DEFAULT), FWC_ERR_CAMERA_UNPLUGGED);
    EXPECT_EQ(FWC_GrabStart(42, FWC_GRAB_CONTINUOUS), FWC_ERR_CAMERA_UNPLUGGED);

    ASSERT_EQ(FWS_Reset(), 0);
    count = FWC_MAX_CAMERAS;
    ASSERT_EQ(FWC_GetCameras(&count, ids), 0);
    EXPECT_EQ(count, 0u) << "the described bus has no cameras";
    EXPECT_EQ(FWC_UnRegisterNotification(handle), 0);
}

}  // namespace
