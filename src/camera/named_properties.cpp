// Camera features by name and camera registers by "0x" hexadecimal address.
#include "camera/named_properties.h"

#include "camera/ascii_text.h"
#include "camera/camera.h"
#include "camera/name_tables.h"
#include "diagnostics/diagnostics.h"
#include "fwcontrol.h"

namespace lvc {
namespace {

bool isRegisterName(const char* name) { return startsWithIgnoringCase(name, "0x"); }

int hexDigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The hexadecimal digits after "0x" up to the first other character; 0 without digits,
// 0xFFFFFFFF when the number does not fit 32 bits.
uint32_t registerAddress(const char* name) {
    uint64_t address = 0;
    for (const char* digit = name + 2; hexDigitValue(*digit) >= 0; ++digit) {
        address = address * 16 + static_cast<uint64_t>(hexDigitValue(*digit));
        if (address > UINT32_MAX) return UINT32_MAX;
    }
    return static_cast<uint32_t>(address);
}

// The id of the named feature, or 0 when the name is not in the feature table.
uint32_t featureIdByName(const char* name) {
    for (uint32_t id = kFirstFeatureId; id <= kLastFeatureId; ++id)
        if (isNamedFeature(id) && equalsIgnoringCase(name, featureName(id))) return id;
    return 0;
}

// The camera's feature of this name, or 0 when the name is unknown or the camera lacks it.
uint32_t cameraFeature(const CCamera& camera, const char* name) {
    const uint32_t id = featureIdByName(name);
    if (id == 0 || FWC_HasFeature(camera.cameraId, id) != 0) return 0;
    return id;
}

}  // namespace

bool getNamedProperty(const CCamera& camera, const char* name, uint32_t* value) {
    if (!name || !value) return false;
    if (isRegisterName(name)) {
        return checkResult(FWC_GetRegister(camera.cameraId, registerAddress(name), value),
                           "FWC_GetRegister") == 0;
    }
    const uint32_t id = cameraFeature(camera, name);
    return id != 0 && FWC_GetFeatureValue(camera.cameraId, id, value) == 0;
}

bool setNamedProperty(const CCamera& camera, const char* name, uint32_t value) {
    if (!name) return false;
    if (isRegisterName(name)) {
        return checkResult(FWC_SetRegister(camera.cameraId, registerAddress(name), value),
                           "FWC_SetRegister") == 0;
    }
    const uint32_t id = cameraFeature(camera, name);
    return id != 0 && FWC_SetFeatureValue(camera.cameraId, id, value) == 0;
}

}  // namespace lvc
