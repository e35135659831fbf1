// Camera calls: opening, refusals, formats and Format 7 rounding, features, registers,
// LUT, trigger, error texts and injected failures.
#include <cmath>
#include <set>

#include "fw_status.h"
#include "sim_fixture.h"

namespace {

const SimCamera unitCamera =
    SimCamera(7)
        .vendor("Test")
        .model("Units")
        .timing("manual")
        .with("maxFrameRate", "100000")
        .fixedFormat(0, 5, {2, 4})
        .fixedFormat(1, 2, {3})
        .format7({.maxWidth = 640,
                  .maxHeight = 480,
                  .codings = {0, 1, 2, 10},
                  .unitWidth = 8,
                  .unitHeight = 4,
                  .unitLeft = 4,
                  .unitTop = 2})
        .format7({.mode = 2, .maxWidth = 100, .maxHeight = 50, .codings = {4}})
        .with("current", R"({"format": 0, "mode": 5, "rate": 4})")
        .with("features", R"([{"id": 265, "min": 10, "max": 500, "value": 100, "statuses": [1, 3]},
                              {"id": 256, "min": 0, "max": 255, "value": 128, "statuses": [0, 1, 2]}])")
        .with("lut", R"({"count": 1, "maxValue": 255, "elements": 256})")
        .with("trigger", R"({"mode": 1, "active": false, "polarity": 1})")
        .with("registers", R"({"0x100": 5, "512": 6})");

TEST_F(SimBusTest, OpenIsExclusiveAndClosedCamerasRefuseCalls) {
    const uint32_t id = startWithCamera(unitCamera);
    EXPECT_EQ(FWC_OpenCamera(id, FWC_OPEN_DEFAULT), FWC_ERR_CAMERA_ALREADY_OPEN);
    EXPECT_EQ(FWC_OpenCamera(99, FWC_OPEN_DEFAULT), FWC_ERR_UNKNOWN_CAMERA);
    ASSERT_EQ(FWC_CloseCamera(id), 0);
    EXPECT_EQ(FWC_CloseCamera(id), FWC_ERR_CAMERA_NOT_OPEN);
    uint32_t value = 0;
    EXPECT_EQ(FWC_GetFeatureValue(id, 265, &value), FWC_ERR_CAMERA_NOT_OPEN);
    EXPECT_EQ(FWC_GrabStart(id, FWC_GRAB_CONTINUOUS), FWC_ERR_CAMERA_NOT_OPEN);
    ASSERT_EQ(FWC_OpenCamera(id, FWC_OPEN_DEFAULT), 0);
    EXPECT_EQ(FWC_GetFeatureValue(id, 265, nullptr), FWC_ERR_NULL_POINTER);
    EXPECT_EQ(FWC_GetCurrentImageFormat(id, nullptr, &value, &value, &value), FWC_ERR_NULL_POINTER);
    EXPECT_EQ(FWC_GetCameraInfo(id, 26, &value), FWC_ERR_INFO_ITEM);
    EXPECT_EQ(FWC_GetNativeImage(id, &value, sizeof value, 0), FWC_ERR_NO_FRAME);
}

TEST_F(SimBusTest, CallsBeforeInitAreRefused) {
    uint32_t count = FWC_MAX_CAMERAS;
    uint32_t ids[FWC_MAX_CAMERAS];
    EXPECT_EQ(FWC_GetCameras(&count, ids), FWC_ERR_NOT_INITIALIZED);
    EXPECT_EQ(FWC_OpenCamera(1, FWC_OPEN_DEFAULT), FWC_ERR_NOT_INITIALIZED);
    EXPECT_EQ(FWC_Release(), FWC_ERR_NOT_INITIALIZED);
    uint32_t version = 0;
    EXPECT_EQ(FWC_GetVersion(&version), 0);
    EXPECT_NE(version, 0u);
}

TEST_F(SimBusTest, FixedFormatsFollowTheTableAndRefuseWhatTheCameraLacks) {
    const uint32_t id = startWithCamera(unitCamera);
    uint32_t table[FWC_FIXED_FORMATS * FWC_FIXED_MODES * FWC_FIXED_RATES];
    ASSERT_EQ(FWC_GetSupportedFixedFormats(id, table), 0);
    std::set<uint32_t> supported;
    for (uint32_t i = 0; i < std::size(table); ++i) {
        if (table[i] != 0) {
            supported.insert(i);
        }
    }
    EXPECT_EQ(supported, (std::set<uint32_t>{5 * 8 + 2, 5 * 8 + 4, (8 + 2) * 8 + 3}));

    ASSERT_EQ(FWC_PrepareFixedGrab(id, 1, 2, 3), 0);
    uint32_t width = 0, height = 0, coding = 0, depth = 0, format = 0, mode = 0, rate = 0;
    ASSERT_EQ(FWC_GetCurrentImageFormat(id, &width, &height, &coding, &depth), 0);
    EXPECT_EQ(width, 800u);
    EXPECT_EQ(height, 600u);
    EXPECT_EQ(coding, uint32_t{FWC_CODING_MONO8});
    EXPECT_EQ(depth, 8u);
    ASSERT_EQ(FWC_GetCurrentFixedFormat(id, &format, &mode, &rate), 0);
    EXPECT_EQ(format * 100 + mode * 10 + rate, 123u);
    double fps = 0;
    ASSERT_EQ(FWS_GetFrameRate(id, &fps), 0);
    EXPECT_DOUBLE_EQ(fps, 15.0);

    EXPECT_EQ(FWC_PrepareFixedGrab(id, 1, 2, 4), FWC_ERR_FORMAT_UNSUPPORTED);
    EXPECT_EQ(FWC_PrepareFixedGrab(id, 0, 4, 2), FWC_ERR_FORMAT_UNSUPPORTED);
    EXPECT_EQ(FWC_PrepareFixedGrab(id, 3, 0, 0), FWC_ERR_FORMAT_UNSUPPORTED);
}

struct AoiCase {
    const char* what;
    uint32_t coding;
    uint32_t left, top, width, height, busLoad;
    uint32_t wantLeft, wantTop, wantWidth, wantHeight, wantBusLoad;

    friend void PrintTo(const AoiCase& c, std::ostream* out) { *out << c.what; }
};

class Format7Rounding : public SimBusTest, public ::testing::WithParamInterface<AoiCase> {};

TEST_P(Format7Rounding, AcceptsTheRoundedAreaAndRunsAtTheBusLoadRate) {
    const AoiCase& c = GetParam();
    const uint32_t id = startWithCamera(unitCamera);
    uint32_t mode = 0, coding = c.coding, width = c.width, height = c.height;
    uint32_t left = c.left, top = c.top, busLoad = c.busLoad;
    ASSERT_EQ(
        FWC_PrepareFreeGrab(id, &mode, &coding, &width, &height, nullptr, &left, &top, &busLoad),
        0);
    EXPECT_EQ(
        (std::vector<uint32_t>{left, top, width, height, busLoad}),
        (std::vector<uint32_t>{c.wantLeft, c.wantTop, c.wantWidth, c.wantHeight, c.wantBusLoad}))
        << c.what;
    uint32_t aoi[4];
    ASSERT_EQ(FWC_GetAOI(id, &aoi[0], &aoi[1], &aoi[2], &aoi[3]), 0);
    EXPECT_EQ((std::vector<uint32_t>(aoi, aoi + 4)),
              (std::vector<uint32_t>{c.wantLeft, c.wantTop, c.wantWidth, c.wantHeight}));
    uint32_t format = 0, currentMode = 9, rateOrCoding = 0, depth = 0;
    ASSERT_EQ(FWC_GetCurrentFixedFormat(id, &format, &currentMode, &rateOrCoding), 0);
    EXPECT_EQ(format, 7u);
    EXPECT_EQ(currentMode, 0u);
    EXPECT_EQ(rateOrCoding, c.coding);
    ASSERT_EQ(FWC_GetCurrentImageFormat(id, &width, &height, &coding, &depth), 0);
    const double bytes = double(c.wantWidth) * c.wantHeight * depth / 8;
    double fps = 0;
    ASSERT_EQ(FWS_GetFrameRate(id, &fps), 0);
    const double formula = c.wantBusLoad / 1000.0 * 4096 * 8000 / bytes;
    EXPECT_NEAR(fps, std::min(formula, 100000.0), 1e-6) << "the formula, up to maxFrameRate";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Format7Rounding,
    ::testing::Values(
        AoiCase{"already on the units", FWC_CODING_MONO8, 8, 4, 320, 240, 500, 8, 4, 320, 240, 500},
        AoiCase{"sizes and positions round down", FWC_CODING_MONO8, 7, 5, 327, 243, 1000, 4, 4, 320,
                240, 1000},
        AoiCase{"too large is the sensor", FWC_CODING_MONO8, 0, 0, 9999, 9999, 1000, 0, 0, 640, 480,
                1000},
        AoiCase{"zero size is one unit", FWC_CODING_MONO8, 0, 0, 0, 0, 1000, 0, 0, 8, 4, 1000},
        AoiCase{"position pulled in to fit", FWC_CODING_MONO8, 600, 470, 64, 32, 1000, 576, 448, 64,
                32, 1000},
        AoiCase{"bus load bounded", FWC_CODING_MONO8, 0, 0, 64, 64, 5000, 0, 0, 64, 64, 1000},
        AoiCase{"bus load 0 is 1", FWC_CODING_MONO8, 0, 0, 64, 64, 0, 0, 0, 64, 64, 1},
        AoiCase{"YUV411 width a multiple of 8 and 4", FWC_CODING_YUV411, 0, 0, 20, 8, 1000, 0, 0,
                16, 8, 1000},
        AoiCase{"RAW16 bus load rate", FWC_CODING_RAW16, 0, 0, 640, 480, 250, 0, 0, 640, 480, 250}),
    caseName<AoiCase>);

// The native bits per pixel of every coding the bus delivers: the plug-in sizes and checks
// its frame buffers with the same figures.
TEST_F(SimBusTest, ReportsTheNativeBitDepthOfEachCoding) {
    const uint32_t id =
        startWithCamera(manualCamera(3, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 128, 129, 130}));
    const std::pair<uint32_t, uint32_t> depths[] = {
        {FWC_CODING_MONO8, 8},      {FWC_CODING_YUV411, 12},   {FWC_CODING_YUV422, 16},
        {FWC_CODING_YUV444, 24},    {FWC_CODING_RGB8, 24},     {FWC_CODING_MONO16, 16},
        {FWC_CODING_RGB16, 48},     {FWC_CODING_SMONO16, 16},  {FWC_CODING_SRGB16, 48},
        {FWC_CODING_RAW8, 8},       {FWC_CODING_RAW16, 16},    {FWC_CODING_MONO_RED, 8},
        {FWC_CODING_MONO_GREEN, 8}, {FWC_CODING_MONO_BLUE, 8},
    };
    for (const auto& [coding, depth] : depths) {
        uint32_t mode = 0, wanted = coding, width = 128, height = 96, left = 0, top = 0,
                 busLoad = 1000;
        ASSERT_EQ(FWC_PrepareFreeGrab(id, &mode, &wanted, &width, &height, nullptr, &left, &top,
                                      &busLoad),
                  0)
            << coding;
        uint32_t reportedWidth = 0, reportedHeight = 0, reportedCoding = 0, bitDepth = 0;
        ASSERT_EQ(FWC_GetCurrentImageFormat(id, &reportedWidth, &reportedHeight, &reportedCoding,
                                            &bitDepth),
                  0);
        EXPECT_EQ(reportedCoding, coding);
        EXPECT_EQ(bitDepth, depth) << "coding " << coding;
    }
}

TEST_F(SimBusTest, FreeGrabRefusesUnknownModesAndCodings) {
    const uint32_t id = startWithCamera(unitCamera);
    uint32_t mode = 1, coding = FWC_CODING_MONO8, width = 64, height = 64, left = 0, top = 0,
             busLoad = 100;
    EXPECT_EQ(
        FWC_PrepareFreeGrab(id, &mode, &coding, &width, &height, nullptr, &left, &top, &busLoad),
        FWC_ERR_NO_FREE_MODE);
    mode = 0;
    coding = FWC_CODING_RAW8;
    EXPECT_EQ(
        FWC_PrepareFreeGrab(id, &mode, &coding, &width, &height, nullptr, &left, &top, &busLoad),
        FWC_ERR_CODING_UNSUPPORTED);
    uint32_t position = 0, entries = 0, value = 0;
    std::vector<std::pair<uint32_t, uint32_t>> listed;
    while (FWC_EnumFreeModes(id, &position, &mode, &coding, &width, &height) == 0) {
        listed.emplace_back(mode, coding);
        ++entries;
    }
    EXPECT_EQ(listed, (std::vector<std::pair<uint32_t, uint32_t>>{
                          {0, 0}, {0, 1}, {0, 2}, {0, 10}, {2, 4}}));
    EXPECT_EQ(FWC_GetFreeModeInfo(id, 0, FWC_FREEMODE_UNIT_LEFT, &value), 0);
    EXPECT_EQ(value, 4u);
    EXPECT_EQ(FWC_GetFreeModeInfo(id, 2, FWC_FREEMODE_MAX_HEIGHT, &value), 0);
    EXPECT_EQ(value, 50u);
    EXPECT_EQ(FWC_GetFreeModeInfo(id, 0, 2, &value), FWC_ERR_INVALID_ARGUMENT);
    EXPECT_EQ(FWC_GetFreeModeInfo(id, 5, 0, &value), FWC_ERR_NO_FREE_MODE);
}

TEST_F(SimBusTest, FeaturesKeepTheirRangeAndStatuses) {
    const uint32_t id = startWithCamera(unitCamera);
    EXPECT_EQ(FWC_HasFeature(id, 265), 0);
    EXPECT_EQ(FWC_HasFeature(id, 264), FWC_ERR_FEATURE_NOT_PRESENT);
    EXPECT_EQ(FWC_HasFeatureStatus(id, 265, FWC_STATUS_AUTO), 0);
    EXPECT_EQ(FWC_HasFeatureStatus(id, 265, FWC_STATUS_ONE_PUSH),
              FWC_ERR_FEATURE_STATUS_UNSUPPORTED);
    uint32_t min = 0, max = 0, value = 0, status = 0;
    ASSERT_EQ(FWC_GetFeatureMin(id, 265, &min), 0);
    ASSERT_EQ(FWC_GetFeatureMax(id, 265, &max), 0);
    EXPECT_EQ(min * 1000 + max, 10500u);
    EXPECT_EQ(FWC_SetFeatureValue(id, 265, 501), FWC_ERR_VALUE_OUT_OF_RANGE);
    EXPECT_EQ(FWC_SetFeatureValue(id, 265, 9), FWC_ERR_VALUE_OUT_OF_RANGE);
    ASSERT_EQ(FWC_SetFeatureValue(id, 265, 250), 0);
    ASSERT_EQ(FWC_GetFeatureValue(id, 265, &value), 0);
    EXPECT_EQ(value, 250u);
    EXPECT_EQ(FWC_SetFeatureStatus(id, 265, FWC_STATUS_ONE_PUSH),
              FWC_ERR_FEATURE_STATUS_UNSUPPORTED);
    ASSERT_EQ(FWC_SetFeatureStatus(id, 265, FWC_STATUS_AUTO), 0);
    ASSERT_EQ(FWC_GetFeatureStatus(id, 265, &status), 0);
    EXPECT_EQ(status, 3u);
    // One-push adjusts once, to the nominal value, and leaves the feature on.
    ASSERT_EQ(FWC_SetFeatureValue(id, 256, 10), 0);
    ASSERT_EQ(FWC_SetFeatureStatus(id, 256, FWC_STATUS_ONE_PUSH), 0);
    ASSERT_EQ(FWC_GetFeatureValue(id, 256, &value), 0);
    ASSERT_EQ(FWC_GetFeatureStatus(id, 256, &status), 0);
    EXPECT_EQ(value * 10 + status, 1281u);
    EXPECT_EQ(FWC_SetFeatureStatus(id, 256, 4), FWC_ERR_INVALID_ARGUMENT);
}

TEST_F(SimBusTest, RegistersLutAndTrigger) {
    const uint32_t id = startWithCamera(unitCamera);
    uint32_t value = 0;
    ASSERT_EQ(FWC_GetRegister(id, 0x100, &value), 0);
    EXPECT_EQ(value, 5u);
    ASSERT_EQ(FWC_SetRegister(id, 0x200, 77), 0);
    ASSERT_EQ(FWC_GetRegister(id, 512, &value), 0);
    EXPECT_EQ(value, 77u);
    EXPECT_EQ(FWC_SetRegister(id, 0x104, 1), FWC_ERR_REGISTER_ADDRESS);

    uint32_t count = 0, maxValue = 0, elements = 0;
    ASSERT_EQ(FWC_Lut_GetInfo(id, &count, &maxValue, &elements, nullptr), 0);
    EXPECT_EQ((std::vector<uint32_t>{count, maxValue, elements}),
              (std::vector<uint32_t>{1, 255, 256}));
    std::vector<uint8_t> lut(256);
    for (size_t i = 0; i < lut.size(); ++i) {
        lut[i] = static_cast<uint8_t>(255 - i);
    }
    EXPECT_EQ(FWC_Lut_Upload(id, 0, lut.data(), 255), FWC_ERR_LUT_SIZE);
    EXPECT_EQ(FWC_Lut_Upload(id, 1, lut.data(), 256), FWC_ERR_NO_LUT);
    ASSERT_EQ(FWC_Lut_Upload(id, 0, lut.data(), 256), 0);
    ASSERT_EQ(FWC_Lut_Use(id, 0, 1), 0);
    std::vector<uint8_t> held(256);
    uint32_t heldCount = 256, inUse = 0;
    ASSERT_EQ(FWS_GetLut(id, held.data(), &heldCount, &inUse), 0);
    EXPECT_EQ(held, lut);
    EXPECT_EQ(inUse, 1u);

    uint32_t mode = 9, active = 9, polarity = 9, pulses = 9;
    ASSERT_EQ(FWC_Trigger_Get(id, &mode, &active, &polarity, &pulses), 0);
    EXPECT_EQ((std::vector<uint32_t>{mode, active, polarity, pulses}),
              (std::vector<uint32_t>{1, 0, 1, 0}));
    ASSERT_EQ(FWC_Trigger_Set(id, 0, 1, 0), 0);
    ASSERT_EQ(FWS_Trigger(id), 0);
    ASSERT_EQ(FWC_Trigger_Get(id, &mode, &active, nullptr, &pulses), 0);
    EXPECT_EQ((std::vector<uint32_t>{mode, active, pulses}), (std::vector<uint32_t>{0, 1, 1}));
    EXPECT_EQ(FWC_Trigger_Set(id, 0, 2, 0), FWC_ERR_INVALID_ARGUMENT);
}

TEST_F(SimBusTest, CameraWithoutLutOrTriggerSaysSo) {
    const uint32_t id = startWithCamera(manualCamera(3, {0}));
    uint32_t count = 9, maxValue = 0, elements = 0, value = 0;
    ASSERT_EQ(FWC_Lut_GetInfo(id, &count, &maxValue, &elements, &value), 0);
    EXPECT_EQ(count, 0u);
    EXPECT_EQ(FWC_Lut_Use(id, 0, 0), FWC_ERR_NO_LUT);
    EXPECT_EQ(FWC_Trigger_Get(id, nullptr, &value, nullptr, nullptr), FWC_ERR_NO_TRIGGER);
    EXPECT_EQ(FWS_Trigger(id), FWC_ERR_NO_TRIGGER);
}

TEST_F(SimBusTest, EveryStatusHasItsOwnText) {
    std::set<std::string> texts;
    std::vector<int32_t> statuses;
#define COLLECT(code, name, text) statuses.push_back(code);
    FWC_STATUS_LIST(COLLECT)
    FWT_STATUS_LIST(COLLECT)
#undef COLLECT
    for (const int32_t status : statuses) {
        const std::string text = errorText(status);
        EXPECT_FALSE(text.empty()) << status;
        texts.insert(text);
    }
    EXPECT_EQ(texts.size(), statuses.size());
    EXPECT_EQ(errorText(4711), "unknown status 4711");
    char small[8];
    ASSERT_EQ(FWC_GetErrorInfo(FWC_ERR_CAMERA_BUSY, small, sizeof small), 0);
    EXPECT_STREQ(small, "camera ");
    EXPECT_EQ(FWC_GetErrorInfo(1, nullptr, 10), FWC_ERR_NULL_POINTER);
}

TEST_F(SimBusTest, InjectedFailuresHitTheNamedCallCountTimes) {
    const uint32_t id = startWithCamera(unitCamera);
    uint32_t value = 0;
    ASSERT_EQ(FWS_FailCall("FWC_GetFeatureValue", FWC_ERR_INJECTED, 2), 0);
    EXPECT_EQ(FWC_GetFeatureValue(id, 265, &value), FWC_ERR_INJECTED);
    EXPECT_EQ(FWC_GetFeatureMin(id, 265, &value), 0) << "other calls are not affected";
    EXPECT_EQ(FWC_GetFeatureValue(id, 265, &value), FWC_ERR_INJECTED);
    EXPECT_EQ(FWC_GetFeatureValue(id, 265, &value), 0);
    EXPECT_EQ(FWS_FailCall("FWC_NoSuchCall", 1, 1), FWC_ERR_INVALID_ARGUMENT);
    EXPECT_EQ(FWS_FailCall("FWC_OpenCamera", 0, 1), FWC_ERR_INVALID_ARGUMENT);
    ASSERT_EQ(FWS_FailCall("FWC_CloseCamera", FWC_ERR_RESOURCES, 5), 0);
    ASSERT_EQ(FWS_Reset(), 0);
    EXPECT_EQ(FWC_OpenCamera(id, FWC_OPEN_DEFAULT), 0) << "reset closes cameras";
    EXPECT_EQ(FWC_CloseCamera(id), 0) << "reset clears injected failures";
}

}  // namespace
