// The fixed name tables: constant texts selected by the driver's numeric codes.
#include "camera/name_tables.h"

#include <array>

#include "fwcontrol.h"

namespace lvc {
namespace {

constexpr uint32_t kFixedFormats = 3;
constexpr uint32_t kFixedModes = 8;

constexpr const char* kUnknown = "Unknown";
constexpr const char* kUnknownUpper = "UNKNOWN";

constexpr std::array<std::array<const char*, kFixedModes>, kFixedFormats> kResolutions{{
    {"160 X 120", "320 X 240", "640 X 480", "640 X 480", "640 X 480", "640 X 480", "640 X 480",
     kUnknown},
    {"800 X 600", "800 X 600", "800 X 600", "1024 X 768", "1024 X 768", "1024 X 768", "800 X 600",
     "1024 X 768"},
    {"1280 X 960", "1280 X 960", "1280 X 960", "1600 X 1200", "1600 X 1200", "1600 X 1200",
     "1280 X 960", "1600 X 1200"},
}};

constexpr std::array<std::array<const char*, kFixedModes>, kFixedFormats> kFixedColors{{
    {"YUV444", "YUV422", "YUV411", "YUV422", "RGB", "Mono8", "Mono16", kUnknown},
    {"YUV422", "RGB", "Mono8", "YUV422", "RGB", "Mono8", "Mono16", "Mono16"},
    {"YUV(4:2:2)", "RGB", "Mono8", "YUV422", "RGB", "Mono8", "Mono16", "Mono16"},
}};

constexpr std::array<const char*, 8> kFrameRates{"1.875", "3.75", "7.5", "15",
                                                 "30",    "60",   "120", "240"};

constexpr std::array<const char*, 11> kBaseCodings{"Mono8",  "YUV411", "YUV422", "YUV444",
                                                   "RGB8",   "MONO16", "RGB16",  "SMONO16",
                                                   "SRGB16", "RAW8",   "RAW16"};

// Codings 128..141; null where an id has no name.
constexpr std::array<const char*, 14> kExtendedCodings{
    "MONOR",  "MONOG", "MONOB", nullptr, "MONO12", "RGB12", "SMONO12",
    "SRGB12", "RAW12", nullptr, nullptr, nullptr,  nullptr, "RGBA8"};

// Features 256..266.
constexpr std::array<const char*, 11> kBasicFeatures{
    "BRIGHTNESS",      "AUTOEXPOSURE", "SHARPNESS",   "WHITEBALANCE_UB",
    "WHITEBALANCE_VR", "HUE",          "SATURATION",  "GAMMA",
    "SHUTTER",         "GAIN",         "TRIGGERDELAY"};

// Features 512..553; null where an id has no name.
constexpr std::array<const char*, 42> kAdvancedFeatures{"TIMEBASE",
                                                        "EXPOSUREOFFSET",
                                                        "EXTENDEDSHUTTER",
                                                        "LUT",
                                                        "LUT_BITSPERVAL",
                                                        "LUT_MAXSIZE",
                                                        "SHADING",
                                                        nullptr,
                                                        "FRAMECOUNTER",
                                                        "COLORCORRECTION",
                                                        "SOFTRESET",
                                                        "XMIRRORIMAGE",
                                                        "TRIGGERDELAYADV",
                                                        nullptr,
                                                        "DSNUCORRECTION",
                                                        "BLEMISHCORRECTION",
                                                        "DELAYEDINTEGRATIONENABLE",
                                                        "AUTOSHUTTER_LOW",
                                                        "AUTOSHUTTER_HIGH",
                                                        "AUTOGAIN_LOW",
                                                        "AUTOGAIN_HIGH",
                                                        "AUTOFUNCTIONAOI_XUNITS",
                                                        "AUTOFUNCTIONAOI_YUNITS",
                                                        "AUTOFUNCTIONAOI_LEFT",
                                                        "AUTOFUNCTIONAOI_TOP",
                                                        "AUTOFUNCTIONAOI_WIDTH",
                                                        "AUTOFUNCTIONAOI_HEIGHT",
                                                        "HIGHSNR",
                                                        "USERPROFILE",
                                                        "HDR_KNEEPOINTCOUNT",
                                                        "HDR_KNEEPOINT1",
                                                        "HDR_KNEEPOINT2",
                                                        "HDR_KNEEPOINT3",
                                                        "WHITEBALANCE_GR",
                                                        "WHITEBALANCE_MG",
                                                        "WHITEBALANCE_CY",
                                                        "WHITEBALANCE_YE",
                                                        "REDUCEDSMEAR",
                                                        "PARAMUPDATETIMING",
                                                        "SIS",
                                                        "SIS_SERIES_A",
                                                        "SIS_SERIES_B"};

// Driver and bus settings 1024..1035.
constexpr std::array<const char*, 12> kDriverSettings{
    "STARTIMMEDIATELY", "PHYSPEED",  "FRAMEBUFFERCOUNT", "USEIRMFORBW",
    "FRAMEMEMORYSIZE",  "IRMFREEBW", "USEIRMFORCHN",     "CAMACCEPTDELAY",
    "ISOCHANNEL",       "CYCLETIME", "BURSTCOUNT",       "DO_BUSTRIGGER"};

// The entry of table for code - first, or null outside the table.
template <std::size_t N>
const char* entryAt(const std::array<const char*, N>& table, uint32_t first, uint32_t code) {
    return (code >= first && code - first < N) ? table[code - first] : nullptr;
}

const char* fixedFormatEntry(
    const std::array<std::array<const char*, kFixedModes>, kFixedFormats>& table, uint32_t format,
    uint32_t mode) {
    return (format < kFixedFormats && mode < kFixedModes) ? table[format][mode] : kUnknown;
}

// The feature's name, or null for an id without one.
const char* namedFeature(uint32_t featureId) {
    switch (featureId) {
    case 768: return "LOGGING";
    case 769: return "LIST_ALL_CAMERAS";
    case 810: return "CAMERABUSY";
    default: break;
    }
    if (const char* name = entryAt(kBasicFeatures, 256, featureId)) return name;
    if (const char* name = entryAt(kAdvancedFeatures, 512, featureId)) return name;
    return entryAt(kDriverSettings, 1024, featureId);
}

}  // namespace

const char* resolutionName(uint32_t format, uint32_t mode) {
    return fixedFormatEntry(kResolutions, format, mode);
}

const char* fixedColorName(uint32_t format, uint32_t mode) {
    return fixedFormatEntry(kFixedColors, format, mode);
}

const char* frameRateName(uint32_t rate) {
    const char* name = entryAt(kFrameRates, 0, rate);
    return name ? name : kUnknownUpper;
}

const char* colorCodingName(uint32_t coding) {
    const char* name = entryAt(kBaseCodings, 0, coding);
    if (!name) name = entryAt(kExtendedCodings, FWC_CODING_MONO_RED, coding);
    return name ? name : "UNDEFINED";
}

const char* featureName(uint32_t featureId) {
    const char* name = namedFeature(featureId);
    return name ? name : kUnknownUpper;
}

bool isNamedFeature(uint32_t featureId) { return namedFeature(featureId) != nullptr; }

}  // namespace lvc
