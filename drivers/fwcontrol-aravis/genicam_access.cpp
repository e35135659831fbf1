#include "genicam_access.h"

#include "fw_status.h"

namespace fwaravis {
namespace {

int32_t deviceErrorStatus(int code) {
    switch (code) {
    case ARV_DEVICE_ERROR_NOT_CONNECTED:
    case ARV_DEVICE_ERROR_TRANSFER_ERROR:
    case ARV_DEVICE_ERROR_TIMEOUT:
    case ARV_DEVICE_ERROR_NOT_FOUND: return FWC_ERR_CAMERA_UNPLUGGED;
    case ARV_DEVICE_ERROR_NOT_CONTROLLER:
    case ARV_DEVICE_ERROR_PROTOCOL_ERROR_ACCESS_DENIED:
    case ARV_DEVICE_ERROR_PROTOCOL_ERROR_BUSY: return FWC_ERR_CAMERA_BUSY;
    case ARV_DEVICE_ERROR_FEATURE_NOT_FOUND:
    case ARV_DEVICE_ERROR_WRONG_FEATURE: return FWC_ERR_FEATURE_NOT_PRESENT;
    case ARV_DEVICE_ERROR_PROTOCOL_ERROR_INVALID_ADDRESS:
    case ARV_DEVICE_ERROR_PROTOCOL_ERROR_BAD_ALIGNMENT: return FWC_ERR_REGISTER_ADDRESS;
    case ARV_DEVICE_ERROR_PROTOCOL_ERROR_WRITE_PROTECT:
    case ARV_DEVICE_ERROR_PROTOCOL_ERROR_INVALID_PARAMETER: return FWC_ERR_INVALID_ARGUMENT;
    default: return FWC_ERR_RESOURCES;
    }
}

int32_t genicamErrorStatus(int code) {
    switch (code) {
    case ARV_GC_ERROR_OUT_OF_RANGE: return FWC_ERR_VALUE_OUT_OF_RANGE;
    case ARV_GC_ERROR_NODE_NOT_FOUND:
    case ARV_GC_ERROR_PROPERTY_NOT_DEFINED:
    case ARV_GC_ERROR_ENUM_ENTRY_NOT_FOUND: return FWC_ERR_FEATURE_NOT_PRESENT;
    case ARV_GC_ERROR_NO_DEVICE_SET: return FWC_ERR_CAMERA_UNPLUGGED;
    default: return FWC_ERR_INVALID_ARGUMENT;
    }
}

}  // namespace

int32_t statusFromError(GError* error) {
    if (error == nullptr) return FW_STATUS_OK;
    int32_t status = FWC_ERR_RESOURCES;
    if (error->domain == ARV_DEVICE_ERROR)
        status = deviceErrorStatus(error->code);
    else if (error->domain == ARV_GC_ERROR)
        status = genicamErrorStatus(error->code);
    g_error_free(error);
    return status;
}

bool GenicamAccess::implemented(const char* feature) const {
    GError* error = nullptr;
    const gboolean available = arv_device_is_feature_available(device_, feature, &error);
    if (error != nullptr) g_error_free(error);
    return available != FALSE;
}

bool GenicamAccess::hasEntry(const char* enumeration, const char* entry) const {
    if (!implemented(enumeration)) return false;
    GError* error = nullptr;
    const gboolean available =
        arv_device_is_enumeration_entry_available(device_, enumeration, entry, &error);
    if (error != nullptr) g_error_free(error);
    return available != FALSE;
}

bool GenicamAccess::isFloat(const char* feature) const {
    return ARV_IS_GC_FLOAT(arv_device_get_feature(device_, feature));
}

bool GenicamAccess::isBoolean(const char* feature) const {
    return ARV_IS_GC_BOOLEAN(arv_device_get_feature(device_, feature));
}

int32_t GenicamAccess::integer(const char* feature, int64_t& value) const {
    GError* error = nullptr;
    value = arv_device_get_integer_feature_value(device_, feature, &error);
    return statusFromError(error);
}

int32_t GenicamAccess::setInteger(const char* feature, int64_t value) const {
    GError* error = nullptr;
    arv_device_set_integer_feature_value(device_, feature, value, &error);
    return statusFromError(error);
}

int32_t GenicamAccess::integerBounds(const char* feature, int64_t& min, int64_t& max) const {
    GError* error = nullptr;
    gint64 low = 0, high = 0;
    arv_device_get_integer_feature_bounds(device_, feature, &low, &high, &error);
    min = low;
    max = high;
    return statusFromError(error);
}

int32_t GenicamAccess::integerIncrement(const char* feature, int64_t& increment) const {
    GError* error = nullptr;
    increment = arv_device_get_integer_feature_increment(device_, feature, &error);
    if (increment < 1) increment = 1;
    return statusFromError(error);
}

int32_t GenicamAccess::floatValue(const char* feature, double& value) const {
    GError* error = nullptr;
    value = arv_device_get_float_feature_value(device_, feature, &error);
    return statusFromError(error);
}

int32_t GenicamAccess::setFloat(const char* feature, double value) const {
    GError* error = nullptr;
    arv_device_set_float_feature_value(device_, feature, value, &error);
    return statusFromError(error);
}

int32_t GenicamAccess::floatBounds(const char* feature, double& min, double& max) const {
    GError* error = nullptr;
    arv_device_get_float_feature_bounds(device_, feature, &min, &max, &error);
    return statusFromError(error);
}

int32_t GenicamAccess::boolean(const char* feature, bool& value) const {
    GError* error = nullptr;
    value = arv_device_get_boolean_feature_value(device_, feature, &error) != FALSE;
    return statusFromError(error);
}

int32_t GenicamAccess::setBoolean(const char* feature, bool value) const {
    GError* error = nullptr;
    arv_device_set_boolean_feature_value(device_, feature, value ? TRUE : FALSE, &error);
    return statusFromError(error);
}

int32_t GenicamAccess::string(const char* feature, std::string& value) const {
    GError* error = nullptr;
    const char* text = arv_device_get_string_feature_value(device_, feature, &error);
    value = text != nullptr ? text : "";
    return statusFromError(error);
}

int32_t GenicamAccess::setString(const char* feature, const char* value) const {
    GError* error = nullptr;
    arv_device_set_string_feature_value(device_, feature, value, &error);
    return statusFromError(error);
}

int32_t GenicamAccess::execute(const char* feature) const {
    GError* error = nullptr;
    arv_device_execute_command(device_, feature, &error);
    return statusFromError(error);
}

int32_t GenicamAccess::entries(const char* enumeration, std::vector<std::string>& names) const {
    GError* error = nullptr;
    guint count = 0;
    const char** values = arv_device_dup_available_enumeration_feature_values_as_strings(
        device_, enumeration, &count, &error);
    names.assign(values, values + (values != nullptr ? count : 0));
    g_free(values);
    return statusFromError(error);
}

}  // namespace fwaravis
