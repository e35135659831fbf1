#include "camera_state_store.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "boot_identity.h"
#include "camera_claim.h"
#include "camera_settings_file.h"
#include "fw_status.h"
#include "xml_document.h"

namespace fwc {
namespace {

constexpr const char* kRootName = "cameraState";

std::string hexHash(const std::string& text) {
    char hash[17];
    std::snprintf(hash, sizeof hash, "%016llx",
                  static_cast<unsigned long long>(std::hash<std::string>{}(text)));
    return hash;
}

XmlElement registerElement(uint32_t address, uint32_t value) {
    XmlElement element;
    element.name = "register";
    element.attributes = {{"address", std::to_string(address)}, {"value", std::to_string(value)}};
    return element;
}

std::optional<uint32_t> number(const XmlElement& element, const char* key) {
    const std::string* text = element.attribute(key);
    if (text == nullptr || text->empty() || text->size() > 10 ||
        text->find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    const unsigned long long value = std::stoull(*text);
    if (value > 0xFFFFFFFFull) return std::nullopt;
    return static_cast<uint32_t>(value);
}

// The registers the element lists, of those the camera has; false when one is malformed.
bool readRegister(const XmlElement& element, const CameraDescription& description,
                  std::map<uint32_t, uint32_t>& registers) {
    const std::optional<uint32_t> address = number(element, "address");
    const std::optional<uint32_t> value = number(element, "value");
    if (!address || !value) return false;
    if (description.registers.count(*address) != 0) registers[*address] = *value;
    return true;
}

CameraSettings describedSettings(const CameraDescription& description) {
    return {description.current, description.features, description.trigger, LutState{}};
}

}  // namespace

CameraStateStore::CameraStateStore(const std::string& busKey, const std::string& descriptionText)
    : folder_(sharedBusFolder(busKey)), busIdentity_(hexHash(descriptionText)) {}

std::string CameraStateStore::path(uint32_t cameraId) const {
    return folder_ + "/camera-" + std::to_string(cameraId) + ".state";
}

std::optional<CameraState> CameraStateStore::kept(const CameraDescription& description) const {
    if (folder_.empty()) return std::nullopt;
    std::ifstream file(path(description.id), std::ios::binary);
    if (!file) return std::nullopt;
    std::stringstream text;
    text << file.rdbuf();
    XmlElement root;
    std::string problem;
    if (!parseXml(text.str(), root, problem) || root.name != kRootName) return std::nullopt;
    const std::string* boot = root.attribute("boot");
    const std::string* bus = root.attribute("bus");
    if (boot == nullptr || bus == nullptr || !sameBoot(*boot) || *bus != busIdentity_)
        return std::nullopt;
    CameraState state;
    state.registers = description.registers;
    bool settingsSeen = false;
    for (const XmlElement& child : root.children) {
        if (child.name == "register") {
            if (!readRegister(child, description, state.registers)) return std::nullopt;
        } else if (!settingsSeen &&
                   readSettingsElement(description, describedSettings(description), child,
                                       state.settings, problem) == FW_STATUS_OK) {
            settingsSeen = true;
        } else {
            return std::nullopt;
        }
    }
    if (!settingsSeen) return std::nullopt;
    return state;
}

void CameraStateStore::keep(const CameraDescription& description, const CameraState& state) const {
    if (folder_.empty()) return;
    XmlElement root;
    root.name = kRootName;
    root.attributes = {{"boot", bootIdentity()}, {"bus", busIdentity_}};
    root.children.push_back(settingsElement(description, state.settings));
    for (const auto& [address, value] : state.registers)
        root.children.push_back(registerElement(address, value));
    const std::string target = path(description.id);
    const std::string temporary = target + ".tmp";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        file << writeXml(root);
        if (!file) return;
    }
    std::error_code error;
    std::filesystem::rename(temporary, target, error);
    if (error) std::filesystem::remove(temporary, error);
}

void CameraStateStore::forget(uint32_t cameraId) const {
    if (folder_.empty()) return;
    std::error_code ignored;
    std::filesystem::remove(path(cameraId), ignored);
}

}  // namespace fwc
