#include "camera_inquiry.h"

#include "driver_features.h"
#include "feature_control.h"
#include "fwcontrol.h"
#include "iidc_mapping.h"
#include "pixel_format.h"

namespace fwdc1394 {
namespace {

dc1394error_t inquireFixedFormat(dc1394camera_t* camera, dc1394video_mode_t videoMode,
                                 const FixedMode& fixed, fwc::CameraDescription& description) {
    dc1394framerates_t rates;
    const dc1394error_t error = dc1394_video_get_supported_framerates(camera, videoMode, &rates);
    if (error != DC1394_SUCCESS) return error;
    fwc::FixedFormat format{fixed.format, fixed.mode, {}};
    for (uint32_t index = 0; index < rates.num; ++index)
        format.rates.push_back(rateCodeOf(rates.framerates[index]));
    description.fixedFormats.push_back(format);
    return DC1394_SUCCESS;
}

dc1394error_t inquireFormat7Mode(dc1394camera_t* camera, dc1394video_mode_t videoMode,
                                 uint32_t modeNumber, Inquiry& inquiry) {
    // libdc1394 reads only a mode its caller marks present.
    dc1394format7mode_t info{};
    info.present = DC1394_TRUE;
    dc1394color_filter_t filter = DC1394_COLOR_FILTER_MIN;
    dc1394error_t error = dc1394_format7_get_mode_info(camera, videoMode, &info);
    if (error == DC1394_SUCCESS)
        error = dc1394_format7_get_color_filter(camera, videoMode, &filter);
    if (error != DC1394_SUCCESS) return error;
    fwc::Format7Mode mode;
    mode.mode = modeNumber;
    mode.maxWidth = info.max_size_x;
    mode.maxHeight = info.max_size_y;
    mode.unitWidth = info.unit_size_x;
    mode.unitHeight = info.unit_size_y;
    // A camera that states no position unit positions in steps of the size unit.
    mode.unitLeft = info.unit_pos_x != 0 ? info.unit_pos_x : info.unit_size_x;
    mode.unitTop = info.unit_pos_y != 0 ? info.unit_pos_y : info.unit_size_y;
    for (uint32_t index = 0; index < info.color_codings.num; ++index)
        if (const auto coding = codingOf(info.color_codings.codings[index]))
            mode.codings.push_back(*coding);
    inquiry.bayerByMode[modeNumber] = bayerPatternOf(filter);
    inquiry.description.format7.push_back(mode);
    return DC1394_SUCCESS;
}

dc1394error_t inquireFormats(dc1394camera_t* camera, Inquiry& inquiry) {
    dc1394video_modes_t modes;
    dc1394error_t error = dc1394_video_get_supported_modes(camera, &modes);
    for (uint32_t index = 0; error == DC1394_SUCCESS && index < modes.num; ++index) {
        const dc1394video_mode_t videoMode = modes.modes[index];
        if (const auto fixed = fixedModeOf(videoMode))
            error = inquireFixedFormat(camera, videoMode, *fixed, inquiry.description);
        else if (const auto format7 = format7ModeOf(videoMode))
            error = inquireFormat7Mode(camera, videoMode, *format7, inquiry);
    }
    return error;
}

dc1394error_t inquireTrigger(dc1394camera_t* camera, const dc1394featureset_t& features,
                             fwc::TriggerInfo& trigger) {
    const dc1394feature_info_t& info =
        features.feature[DC1394_FEATURE_TRIGGER - DC1394_FEATURE_MIN];
    trigger.present = info.available == DC1394_TRUE;
    if (!trigger.present) return DC1394_SUCCESS;
    trigger.mode = fwcTriggerModeOf(info.trigger_mode);
    trigger.active = info.is_on == DC1394_ON ? 1 : 0;
    // The feature set's polarity field holds the raw register bit: read it on its own.
    dc1394trigger_polarity_t polarity = DC1394_TRIGGER_ACTIVE_LOW;
    const dc1394error_t error = info.polarity_capable == DC1394_TRUE
                                    ? dc1394_external_trigger_get_polarity(camera, &polarity)
                                    : DC1394_SUCCESS;
    trigger.polarity = polarity == DC1394_TRIGGER_ACTIVE_HIGH ? 1 : 0;
    return error;
}

}  // namespace

dc1394error_t inquireCamera(dc1394camera_t* camera, Inquiry& inquiry) {
    fwc::CameraDescription& description = inquiry.description;
    description.fixedFormats.clear();
    description.format7.clear();
    description.features.clear();
    inquiry.bayerByMode.clear();
    dc1394error_t error = inquireFormats(camera, inquiry);
    dc1394featureset_t features{};
    if (error == DC1394_SUCCESS) error = dc1394_feature_get_all(camera, &features);
    if (error != DC1394_SUCCESS) return error;
    for (uint32_t id = kFirstFeature; id <= kLastFeature; ++id)
        if (const auto feature = inquireFeature(features, id))
            description.features.push_back(*feature);
    error = inquireDriverFeatures(camera, description.features);
    if (error != DC1394_SUCCESS) return error;
    // IIDC defines no look-up table; vendors put theirs in registers of their own.
    description.lut = fwc::LutInfo{0, 255, 256};
    error = inquireTrigger(camera, features, description.trigger);
    if (error == DC1394_SUCCESS) error = readCurrentFormat(camera, description.current);
    return error;
}

dc1394error_t readCurrentFormat(dc1394camera_t* camera, fwc::CurrentFormat& current) {
    dc1394video_mode_t videoMode = DC1394_VIDEO_MODE_MIN;
    dc1394error_t error = dc1394_video_get_mode(camera, &videoMode);
    if (error != DC1394_SUCCESS) return error;
    if (const auto fixed = fixedModeOf(videoMode)) {
        dc1394framerate_t rate = DC1394_FRAMERATE_MIN;
        error = dc1394_video_get_framerate(camera, &rate);
        const fwc::FixedGeometry geometry = fwc::fixedGeometry(fixed->format, fixed->mode);
        current = fwc::CurrentFormat{};
        current.format = fixed->format;
        current.mode = fixed->mode;
        current.rate = rateCodeOf(rate);
        current.coding = geometry.coding;
        current.width = geometry.width;
        current.height = geometry.height;
        return error;
    }
    const auto format7 = format7ModeOf(videoMode);
    if (!format7) return DC1394_INVALID_VIDEO_MODE;
    dc1394color_coding_t coding = DC1394_COLOR_CODING_MONO8;
    uint32_t packet = 0;
    error = dc1394_format7_get_roi(camera, videoMode, &coding, &packet, &current.left, &current.top,
                                   &current.width, &current.height);
    current.format = fwc::kFormat7;
    current.mode = *format7;
    current.coding = codingOf(coding).value_or(FWC_CODING_MONO8);
    current.rate = current.coding;
    return error;
}

}  // namespace fwdc1394
