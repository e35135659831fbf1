#include "iidc_mapping.h"

namespace fwdc1394 {
namespace {

// The first video mode of formats 0, 1 and 2, and the number of modes each has.
constexpr uint32_t kFormatFirstMode[] = {DC1394_VIDEO_MODE_160x120_YUV444,
                                         DC1394_VIDEO_MODE_800x600_YUV422,
                                         DC1394_VIDEO_MODE_1280x960_YUV422};
constexpr uint32_t kFormatModeCount[] = {7, 8, 8};
constexpr uint32_t kFixedFormats = 3;
constexpr uint32_t kFormat7Modes = DC1394_VIDEO_MODE_FORMAT7_NUM;

}  // namespace

std::optional<FixedMode> fixedModeOf(dc1394video_mode_t videoMode) {
    const uint32_t value = videoMode;
    for (uint32_t format = 0; format < kFixedFormats; ++format) {
        const uint32_t first = kFormatFirstMode[format];
        if (value >= first && value < first + kFormatModeCount[format])
            return FixedMode{format, value - first};
    }
    return std::nullopt;
}

std::optional<dc1394video_mode_t> videoModeOf(uint32_t format, uint32_t mode) {
    if (format >= kFixedFormats || mode >= kFormatModeCount[format]) return std::nullopt;
    return static_cast<dc1394video_mode_t>(kFormatFirstMode[format] + mode);
}

std::optional<uint32_t> format7ModeOf(dc1394video_mode_t videoMode) {
    const uint32_t value = videoMode;
    if (value < DC1394_VIDEO_MODE_FORMAT7_MIN || value > DC1394_VIDEO_MODE_FORMAT7_MAX)
        return std::nullopt;
    return value - DC1394_VIDEO_MODE_FORMAT7_MIN;
}

dc1394video_mode_t format7VideoMode(uint32_t mode) {
    return static_cast<dc1394video_mode_t>(DC1394_VIDEO_MODE_FORMAT7_MIN + mode % kFormat7Modes);
}

uint32_t rateCodeOf(dc1394framerate_t rate) {
    return static_cast<uint32_t>(rate - DC1394_FRAMERATE_MIN);
}

dc1394framerate_t framerateOf(uint32_t rateCode) {
    return static_cast<dc1394framerate_t>(DC1394_FRAMERATE_MIN + rateCode);
}

std::optional<uint32_t> codingOf(dc1394color_coding_t coding) {
    const uint32_t value = coding;
    if (value < DC1394_COLOR_CODING_MIN || value > DC1394_COLOR_CODING_MAX) return std::nullopt;
    return value - DC1394_COLOR_CODING_MIN;
}

dc1394color_coding_t colorCodingOf(uint32_t coding) {
    return static_cast<dc1394color_coding_t>(DC1394_COLOR_CODING_MIN + coding);
}

uint32_t bayerPatternOf(dc1394color_filter_t filter) {
    const uint32_t value = filter;
    if (value < DC1394_COLOR_FILTER_MIN || value > DC1394_COLOR_FILTER_MAX) return 0;
    return value - DC1394_COLOR_FILTER_MIN;
}

std::optional<dc1394feature_t> dc1394FeatureOf(uint32_t featureId) {
    if (featureId < kFirstFeature || featureId > kLastFeature) return std::nullopt;
    // IIDC's IRIS, FOCUS, TEMPERATURE and TRIGGER lie between GAIN and TRIGGER_DELAY.
    if (featureId == kLastFeature) return DC1394_FEATURE_TRIGGER_DELAY;
    // Both white balance ids share one IIDC feature; the ones after it shift by one.
    const uint32_t offset = featureId - kFirstFeature - (featureId > kWhiteBalanceBlue ? 1 : 0);
    return static_cast<dc1394feature_t>(DC1394_FEATURE_MIN + offset);
}

std::optional<dc1394trigger_mode_t> triggerModeOf(uint32_t mode) {
    if (mode <= 5) return static_cast<dc1394trigger_mode_t>(DC1394_TRIGGER_MODE_0 + mode);
    if (mode == 14) return DC1394_TRIGGER_MODE_14;
    if (mode == 15) return DC1394_TRIGGER_MODE_15;
    return std::nullopt;
}

uint32_t fwcTriggerModeOf(dc1394trigger_mode_t mode) {
    if (mode == DC1394_TRIGGER_MODE_14) return 14;
    if (mode == DC1394_TRIGGER_MODE_15) return 15;
    return static_cast<uint32_t>(mode - DC1394_TRIGGER_MODE_0);
}

}  // namespace fwdc1394
