#include "feature_control.h"

#include "fwcontrol.h"
#include "iidc_mapping.h"

namespace fwdc1394 {
namespace {

bool hasMode(const dc1394feature_info_t& info, dc1394feature_mode_t mode) {
    for (uint32_t index = 0; index < info.modes.num; ++index)
        if (info.modes.modes[index] == mode) return true;
    return false;
}

uint32_t statusOf(dc1394switch_t power, dc1394feature_mode_t mode) {
    if (power == DC1394_OFF) return FWC_STATUS_OFF;
    if (mode == DC1394_FEATURE_MODE_AUTO) return FWC_STATUS_AUTO;
    if (mode == DC1394_FEATURE_MODE_ONE_PUSH_AUTO) return FWC_STATUS_ONE_PUSH;
    return FWC_STATUS_ON;
}

}  // namespace

std::optional<fwc::Feature> inquireFeature(const dc1394featureset_t& features, uint32_t featureId) {
    const auto iidcFeature = dc1394FeatureOf(featureId);
    if (!iidcFeature) return std::nullopt;
    const dc1394feature_info_t& info = features.feature[*iidcFeature - DC1394_FEATURE_MIN];
    if (info.available != DC1394_TRUE) return std::nullopt;
    fwc::Feature feature;
    feature.id = featureId;
    feature.min = info.min;
    feature.max = info.max;
    feature.value = featureId == kWhiteBalanceBlue  ? info.BU_value
                    : featureId == kWhiteBalanceRed ? info.RV_value
                                                    : info.value;
    if (info.on_off_capable == DC1394_TRUE) feature.statuses.push_back(FWC_STATUS_OFF);
    if (hasMode(info, DC1394_FEATURE_MODE_MANUAL)) feature.statuses.push_back(FWC_STATUS_ON);
    if (hasMode(info, DC1394_FEATURE_MODE_ONE_PUSH_AUTO))
        feature.statuses.push_back(FWC_STATUS_ONE_PUSH);
    if (hasMode(info, DC1394_FEATURE_MODE_AUTO)) feature.statuses.push_back(FWC_STATUS_AUTO);
    feature.status = statusOf(info.is_on, info.current_mode);
    return feature;
}

dc1394error_t readFeatureValue(dc1394camera_t* camera, uint32_t featureId, uint32_t& value) {
    const auto iidcFeature = dc1394FeatureOf(featureId);
    if (!iidcFeature) return DC1394_INVALID_FEATURE;
    if (*iidcFeature != DC1394_FEATURE_WHITE_BALANCE)
        return dc1394_feature_get_value(camera, *iidcFeature, &value);
    uint32_t blue = 0, red = 0;
    const dc1394error_t error = dc1394_feature_whitebalance_get_value(camera, &blue, &red);
    value = featureId == kWhiteBalanceBlue ? blue : red;
    return error;
}

dc1394error_t writeFeatureValue(dc1394camera_t* camera, uint32_t featureId, uint32_t value) {
    const auto iidcFeature = dc1394FeatureOf(featureId);
    if (!iidcFeature) return DC1394_INVALID_FEATURE;
    if (*iidcFeature != DC1394_FEATURE_WHITE_BALANCE)
        return dc1394_feature_set_value(camera, *iidcFeature, value);
    // One register holds both halves: the other half is written back as it is.
    uint32_t blue = 0, red = 0;
    const dc1394error_t error = dc1394_feature_whitebalance_get_value(camera, &blue, &red);
    if (error != DC1394_SUCCESS) return error;
    (featureId == kWhiteBalanceBlue ? blue : red) = value;
    return dc1394_feature_whitebalance_set_value(camera, blue, red);
}

dc1394error_t readFeatureStatus(dc1394camera_t* camera, uint32_t featureId, uint32_t& status) {
    const auto iidcFeature = dc1394FeatureOf(featureId);
    if (!iidcFeature) return DC1394_INVALID_FEATURE;
    dc1394switch_t power = DC1394_ON;
    dc1394bool_t switchable = DC1394_FALSE;
    dc1394error_t error = dc1394_feature_is_switchable(camera, *iidcFeature, &switchable);
    if (error == DC1394_SUCCESS && switchable == DC1394_TRUE)
        error = dc1394_feature_get_power(camera, *iidcFeature, &power);
    dc1394feature_mode_t mode = DC1394_FEATURE_MODE_MANUAL;
    if (error == DC1394_SUCCESS) error = dc1394_feature_get_mode(camera, *iidcFeature, &mode);
    status = statusOf(power, mode);
    return error;
}

dc1394error_t writeFeatureStatus(dc1394camera_t* camera, uint32_t featureId, uint32_t status) {
    const auto iidcFeature = dc1394FeatureOf(featureId);
    if (!iidcFeature) return DC1394_INVALID_FEATURE;
    dc1394bool_t switchable = DC1394_FALSE;
    dc1394error_t error = dc1394_feature_is_switchable(camera, *iidcFeature, &switchable);
    if (error != DC1394_SUCCESS) return error;
    if (switchable == DC1394_TRUE) {
        error = dc1394_feature_set_power(camera, *iidcFeature,
                                         status == FWC_STATUS_OFF ? DC1394_OFF : DC1394_ON);
        if (error != DC1394_SUCCESS || status == FWC_STATUS_OFF) return error;
    }
    // libdc1394 sets the one-push bit without clearing auto: manual comes first.
    if (status == FWC_STATUS_AUTO)
        return dc1394_feature_set_mode(camera, *iidcFeature, DC1394_FEATURE_MODE_AUTO);
    error = dc1394_feature_set_mode(camera, *iidcFeature, DC1394_FEATURE_MODE_MANUAL);
    if (error != DC1394_SUCCESS || status == FWC_STATUS_ON) return error;
    return dc1394_feature_set_mode(camera, *iidcFeature, DC1394_FEATURE_MODE_ONE_PUSH_AUTO);
}

}  // namespace fwdc1394
