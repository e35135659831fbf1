#include "camera_settings_file.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "fw_status.h"
#include "error_info.h"
#include "pixel_format.h"
#include "xml_document.h"

namespace fwc {
namespace {

constexpr const char* kRootName = "cameraSettings";

struct SettingsProblem : std::runtime_error {
    SettingsProblem(const XmlElement& element, const std::string& problem)
        : std::runtime_error("line " + std::to_string(element.line) + ": " + problem) {}
};

XmlElement element(const char* name,
                   std::initializer_list<std::pair<const char*, uint32_t>> attributes) {
    XmlElement result;
    result.name = name;
    for (const auto& [key, value] : attributes)
        result.attributes.emplace_back(key, std::to_string(value));
    return result;
}

std::string hexBytes(const std::vector<uint8_t>& values) {
    std::string text;
    char byte[4];
    for (size_t i = 0; i < values.size(); ++i) {
        std::snprintf(byte, sizeof byte, i % 16 == 15 ? "%02x\n" : "%02x ", values[i]);
        text += byte;
    }
    return text;
}

}  // namespace

XmlElement settingsElement(const CameraDescription& description, const CameraSettings& settings) {
    XmlElement root;
    root.name = kRootName;
    root.attributes = {
        {"version", "1"}, {"vendor", description.vendor}, {"model", description.model}};
    const CurrentFormat& format = settings.format;
    root.children.push_back(element("format", {{"format", format.format},
                                               {"mode", format.mode},
                                               {"rate", format.rate},
                                               {"coding", format.coding},
                                               {"left", format.left},
                                               {"top", format.top},
                                               {"width", format.width},
                                               {"height", format.height},
                                               {"busLoad", format.busLoad}}));
    for (const Feature& feature : settings.features) {
        root.children.push_back(element(
            "feature", {{"id", feature.id}, {"value", feature.value}, {"status", feature.status}}));
    }
    if (settings.trigger.present) {
        root.children.push_back(element("trigger", {{"mode", settings.trigger.mode},
                                                    {"active", settings.trigger.active},
                                                    {"polarity", settings.trigger.polarity}}));
    }
    if (description.lut.count != 0) {
        XmlElement lut = element("lut", {{"inUse", settings.lut.inUse ? 1u : 0u}});
        lut.text = hexBytes(settings.lut.values);
        root.children.push_back(lut);
    }
    return root;
}

namespace {

uint32_t number(const XmlElement& element, const char* key) {
    const std::string* text = element.attribute(key);
    if (text == nullptr)
        throw SettingsProblem(element, "<" + element.name + "> lacks attribute " + key);
    if (text->empty() || text->size() > 10 ||
        text->find_first_not_of("0123456789") != std::string::npos ||
        std::stoull(*text) > 0xFFFFFFFFull) {
        throw SettingsProblem(element, "attribute " + std::string(key) + " of <" + element.name +
                                           "> is not a 32-bit unsigned number");
    }
    return static_cast<uint32_t>(std::stoull(*text));
}

void refuseUnknownAttributes(const XmlElement& element, std::initializer_list<const char*> known) {
    for (const auto& [key, value] : element.attributes) {
        bool listed = false;
        for (const char* name : known) listed = listed || key == name;
        if (!listed) {
            throw SettingsProblem(element,
                                  "unknown attribute " + key + " of <" + element.name + ">");
        }
    }
}

CurrentFormat readFormat(const XmlElement& element) {
    refuseUnknownAttributes(
        element, {"format", "mode", "rate", "coding", "left", "top", "width", "height", "busLoad"});
    CurrentFormat format;
    format.format = number(element, "format");
    format.mode = number(element, "mode");
    format.rate = number(element, "rate");
    format.busLoad = number(element, "busLoad");
    if (format.format == kFormat7) {
        format.coding = number(element, "coding");
        format.left = number(element, "left");
        format.top = number(element, "top");
        format.width = number(element, "width");
        format.height = number(element, "height");
        return format;
    }
    const FixedGeometry geometry = fixedGeometry(format.format, format.mode);
    if (!geometry.valid) throw SettingsProblem(element, "no such fixed format and mode");
    format.coding = geometry.coding;
    format.width = geometry.width;
    format.height = geometry.height;
    return format;
}

std::vector<uint8_t> readLutValues(const XmlElement& element) {
    std::vector<uint8_t> values;
    std::istringstream text(element.text);
    std::string word;
    while (text >> word) {
        if (word.size() != 2 ||
            word.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
            throw SettingsProblem(element, "LUT value \"" + word + "\" is not a hexadecimal byte");
        values.push_back(static_cast<uint8_t>(std::stoul(word, nullptr, 16)));
    }
    return values;
}

void applyElement(const XmlElement& child, CameraSettings& settings, bool& formatSeen) {
    if (child.name == "format") {
        if (formatSeen) throw SettingsProblem(child, "<format> given twice");
        formatSeen = true;
        settings.format = readFormat(child);
    } else if (child.name == "feature") {
        refuseUnknownAttributes(child, {"id", "value", "status"});
        Feature wanted;
        wanted.id = number(child, "id");
        wanted.value = number(child, "value");
        wanted.status = number(child, "status");
        for (const Feature& earlier : settings.features) {
            if (earlier.id == wanted.id) {
                throw SettingsProblem(child,
                                      "feature " + std::to_string(wanted.id) + " given twice");
            }
        }
        settings.features.push_back(wanted);
    } else if (child.name == "trigger") {
        refuseUnknownAttributes(child, {"mode", "active", "polarity"});
        settings.trigger.mode = number(child, "mode");
        settings.trigger.active = number(child, "active");
        settings.trigger.polarity = number(child, "polarity");
        if (!settings.trigger.present)
            throw SettingsProblem(child, "the camera has no trigger input");
        if (settings.trigger.mode > 15 || settings.trigger.active > 1 ||
            settings.trigger.polarity > 1)
            throw SettingsProblem(child, "trigger setting out of range");
    } else if (child.name == "lut") {
        refuseUnknownAttributes(child, {"inUse"});
        const uint32_t inUse = number(child, "inUse");
        if (inUse > 1) throw SettingsProblem(child, "inUse must be 0 or 1");
        settings.lut.inUse = inUse != 0;
        settings.lut.values = readLutValues(child);
    } else {
        throw SettingsProblem(child, "unknown element <" + child.name + ">");
    }
}

}  // namespace

int32_t readSettingsElement(const CameraDescription& description, const CameraSettings& base,
                            const XmlElement& root, CameraSettings& settings,
                            std::string& problem) {
    if (root.name != kRootName) {
        problem = "root element is <" + root.name + ">, not <" + kRootName + ">";
        return FWC_ERR_SETTINGS_FILE_MALFORMED;
    }
    const std::string* model = root.attribute("model");
    const std::string* vendor = root.attribute("vendor");
    if (model == nullptr || vendor == nullptr) {
        problem = "the camera's vendor and model are missing";
        return FWC_ERR_SETTINGS_FILE_MALFORMED;
    }
    if (*model != description.model || *vendor != description.vendor) {
        problem = "written for a " + *vendor + " " + *model;
        return FWC_ERR_SETTINGS_FILE_CAMERA;
    }
    settings = base;
    settings.features.clear();  // only the features the file names change
    try {
        bool formatSeen = false;
        for (const XmlElement& child : root.children) applyElement(child, settings, formatSeen);
    } catch (const SettingsProblem& failure) {
        problem = failure.what();
        return FWC_ERR_SETTINGS_FILE_MALFORMED;
    }
    return FW_STATUS_OK;
}

int32_t saveSettingsFile(BusCamera& camera, const char* path) {
    const std::string text = writeXml(settingsElement(camera.description(), camera.settings()));
    const std::string temporary = std::string(path) + ".tmp";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        file << text;
        file.flush();
        if (!file) {
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            return failWithDetail(FWC_ERR_SETTINGS_FILE_WRITE, path);
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        return failWithDetail(FWC_ERR_SETTINGS_FILE_WRITE, path);
    }
    return FW_STATUS_OK;
}

int32_t loadSettingsFile(BusCamera& camera, const char* path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return failWithDetail(FWC_ERR_SETTINGS_FILE_OPEN, path);
    std::stringstream text;
    text << file.rdbuf();
    XmlElement root;
    std::string problem;
    if (!parseXml(text.str(), root, problem))
        return failWithDetail(FWC_ERR_SETTINGS_FILE_MALFORMED, std::string(path) + ": " + problem);
    CameraSettings settings;
    int32_t status =
        readSettingsElement(camera.description(), camera.settings(), root, settings, problem);
    if (status == FW_STATUS_OK) status = camera.applySettings(settings, problem);
    if (status != FW_STATUS_OK && !problem.empty())
        return failWithDetail(status, std::string(path) + ": " + problem);
    return status;
}

}  // namespace fwc
