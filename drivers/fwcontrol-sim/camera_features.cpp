// Features, registers, the LUT and the trigger input of a camera.
#include <algorithm>

#include "fw_status.h"
#include "sim_camera.h"

namespace fwc {
namespace {

bool supports(const Feature& feature, uint32_t status) {
    return std::find(feature.statuses.begin(), feature.statuses.end(), status) !=
           feature.statuses.end();
}

}  // namespace

std::optional<Feature> SimCamera::describedFeature(uint32_t featureId) const {
    return copyOfFeature(description_.features, featureId);
}

template <typename Use>
int32_t SimCamera::withFeature(uint32_t featureId, Use use) {
    std::lock_guard lock(mutex_);
    Feature* found = findFeature(features_, featureId);
    if (found == nullptr) return FWC_ERR_FEATURE_NOT_PRESENT;
    return use(*found);
}

void SimCamera::rebuildTables() {
    tables_ = buildPixelTables(features_, description_.features, description_.lut, lut_);
}

int32_t SimCamera::featureValue(uint32_t featureId, uint32_t& value) {
    return withFeature(featureId, [&](const Feature& found) -> int32_t {
        value = found.value;
        return FW_STATUS_OK;
    });
}

int32_t SimCamera::setFeatureValue(uint32_t featureId, uint32_t value) {
    return withFeature(featureId, [&](Feature& found) -> int32_t {
        if (value < found.min || value > found.max) return FWC_ERR_VALUE_OUT_OF_RANGE;
        found.value = value;
        rebuildTables();
        return FW_STATUS_OK;
    });
}

int32_t SimCamera::featureStatus(uint32_t featureId, uint32_t& status) {
    return withFeature(featureId, [&](const Feature& found) -> int32_t {
        status = found.status;
        return FW_STATUS_OK;
    });
}

// One-push adjusts once, to the described value, and leaves the feature on (manual).
int32_t SimCamera::setFeatureStatus(uint32_t featureId, uint32_t status) {
    return withFeature(featureId, [&](Feature& found) -> int32_t {
        if (status > FWC_STATUS_AUTO) return FWC_ERR_INVALID_ARGUMENT;
        if (!supports(found, status)) return FWC_ERR_FEATURE_STATUS_UNSUPPORTED;
        const Feature* described = findFeature(description_.features, featureId);
        if (status == FWC_STATUS_ONE_PUSH && described != nullptr) {
            found.value = described->value;
            if (supports(found, FWC_STATUS_ON)) found.status = FWC_STATUS_ON;
        } else {
            found.status = status;
        }
        rebuildTables();
        return FW_STATUS_OK;
    });
}

int32_t SimCamera::registerValue(uint32_t address, uint32_t& value) {
    std::lock_guard lock(mutex_);
    const auto found = registers_.find(address);
    if (found == registers_.end()) return FWC_ERR_REGISTER_ADDRESS;
    value = found->second;
    return FW_STATUS_OK;
}

int32_t SimCamera::setRegister(uint32_t address, uint32_t value) {
    std::lock_guard lock(mutex_);
    const auto found = registers_.find(address);
    if (found == registers_.end()) return FWC_ERR_REGISTER_ADDRESS;
    found->second = value;
    return FW_STATUS_OK;
}

int32_t SimCamera::uploadLut(uint32_t lut, const uint8_t* values, uint32_t count) {
    std::lock_guard lock(mutex_);
    if (lut >= description_.lut.count) return FWC_ERR_NO_LUT;
    if (count != description_.lut.elements) return FWC_ERR_LUT_SIZE;
    lut_.values.assign(values, values + count);
    rebuildTables();
    return FW_STATUS_OK;
}

int32_t SimCamera::useLut(uint32_t lut, bool on) {
    std::lock_guard lock(mutex_);
    if (lut >= description_.lut.count) return FWC_ERR_NO_LUT;
    lut_.inUse = on;
    rebuildTables();
    return FW_STATUS_OK;
}

LutState SimCamera::lutState() {
    std::lock_guard lock(mutex_);
    return lut_;
}

int32_t SimCamera::trigger(TriggerInfo& trigger, uint32_t& pulses) {
    std::lock_guard lock(mutex_);
    if (!trigger_.present) return FWC_ERR_NO_TRIGGER;
    trigger = trigger_;
    pulses = triggerPulses_;
    return FW_STATUS_OK;
}

int32_t SimCamera::setTrigger(uint32_t mode, uint32_t active, uint32_t polarity) {
    std::lock_guard lock(mutex_);
    if (!trigger_.present) return FWC_ERR_NO_TRIGGER;
    if (mode > 15 || active > 1 || polarity > 1) return FWC_ERR_INVALID_ARGUMENT;
    trigger_.mode = mode;
    trigger_.active = active;
    trigger_.polarity = polarity;
    pendingPulses_ = 0;
    changed_.notify_all();
    return FW_STATUS_OK;
}

CameraSettings SimCamera::settings() {
    std::lock_guard lock(mutex_);
    return {format_, features_, trigger_, lut_};
}

int32_t SimCamera::applySettings(const CameraSettings& settings, std::string& problem) {
    std::unique_lock lock(mutex_);
    if (const int32_t running = settleAcquisition(lock)) return running;
    const int32_t formatStatus = validateFormat(settings.format);
    if (formatStatus != FW_STATUS_OK) {
        problem = "format not supported by this camera";
        return FWC_ERR_SETTINGS_FILE_MALFORMED;
    }
    for (const Feature& wanted : settings.features) {
        const Feature* present = findFeature(features_, wanted.id);
        if (present == nullptr || wanted.value < present->min || wanted.value > present->max ||
            !supports(*present, wanted.status)) {
            problem = "feature " + std::to_string(wanted.id) + " not applicable to this camera";
            return FWC_ERR_SETTINGS_FILE_MALFORMED;
        }
    }
    if (settings.trigger.present != trigger_.present) {
        problem = "trigger state does not match the camera's trigger input";
        return FWC_ERR_SETTINGS_FILE_MALFORMED;
    }
    if ((settings.lut.inUse || !settings.lut.values.empty()) && description_.lut.count == 0) {
        problem = "LUT given but the camera has none";
        return FWC_ERR_SETTINGS_FILE_MALFORMED;
    }
    if (!settings.lut.values.empty() && settings.lut.values.size() != description_.lut.elements) {
        problem = "LUT size does not match the camera's";
        return FWC_ERR_SETTINGS_FILE_MALFORMED;
    }
    format_ = settings.format;
    for (const Feature& wanted : settings.features) {
        if (Feature* present = findFeature(features_, wanted.id); present != nullptr) {
            present->value = wanted.value;
            present->status = wanted.status;
        }
    }
    trigger_ = settings.trigger;
    lut_ = settings.lut;
    rebuildTables();
    configure();
    return FW_STATUS_OK;
}

}  // namespace fwc
