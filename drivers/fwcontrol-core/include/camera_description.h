// A camera as it describes itself to the library: identity, formats, features and the
// rest of its initial state, and the settings its file carries. Plain data, the same for
// every bus; the simulated bus reads it from JSON (bus_description.cpp), a real bus fills
// it in from what the camera reports. timing and maxFrameRate pace a simulated camera.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace fwc {

struct FixedFormat {
    uint32_t format = 0;
    uint32_t mode = 0;
    std::vector<uint32_t> rates;
};

struct Format7Mode {
    uint32_t mode = 0;
    uint32_t maxWidth = 0;
    uint32_t maxHeight = 0;
    uint32_t unitWidth = 1;
    uint32_t unitHeight = 1;
    uint32_t unitLeft = 1;
    uint32_t unitTop = 1;
    std::vector<uint32_t> codings;
};

// The format the camera is set to. format < 7: a fixed format (rate is the rate code);
// format 7: a Format 7 mode with its coding, area of interest and bus load.
struct CurrentFormat {
    uint32_t format = 0;
    uint32_t mode = 0;
    uint32_t rate = 0;
    uint32_t coding = 0;
    uint32_t left = 0;
    uint32_t top = 0;
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t busLoad = 1000;
};

struct Feature {
    uint32_t id = 0;
    uint32_t min = 0;
    uint32_t max = 0;
    uint32_t value = 0;
    std::vector<uint32_t> statuses;
    uint32_t status = 1;
};

struct LutInfo {
    uint32_t count = 0;
    uint32_t maxValue = 255;
    uint32_t elements = 256;
};

struct TriggerInfo {
    bool present = false;
    uint32_t mode = 0;
    uint32_t active = 0;
    uint32_t polarity = 0;
};

// The feature with this id, or null.
inline const Feature* findFeature(const std::vector<Feature>& features, uint32_t id) {
    for (const Feature& feature : features)
        if (feature.id == id) return &feature;
    return nullptr;
}
inline Feature* findFeature(std::vector<Feature>& features, uint32_t id) {
    return const_cast<Feature*>(findFeature(std::as_const(features), id));
}

// A copy of the feature with this id, or nothing: for readers outside the owner's lock.
inline std::optional<Feature> copyOfFeature(const std::vector<Feature>& features, uint32_t id) {
    const Feature* feature = findFeature(features, id);
    if (feature == nullptr) return std::nullopt;
    return *feature;
}

// The Format 7 mode with this number, or null.
inline const Format7Mode* findFormat7Mode(const std::vector<Format7Mode>& modes, uint32_t mode) {
    for (const Format7Mode& candidate : modes)
        if (candidate.mode == mode) return &candidate;
    return nullptr;
}

enum class Timing { realtime, fast, manual };

struct CameraDescription {
    uint32_t id = 0;  // the FWC id: described on the simulated bus, given to other buses
    std::string model;
    std::string vendor;
    std::vector<FixedFormat> fixedFormats;
    std::vector<Format7Mode> format7;
    CurrentFormat current;
    uint32_t bayer = 0;
    bool interlaced = false;
    std::vector<Feature> features;
    LutInfo lut;
    TriggerInfo trigger;
    std::map<uint32_t, uint32_t> registers;
    Timing timing = Timing::realtime;
    double maxFrameRate = 240.0;
    std::array<uint32_t, 4> capabilities{};
    bool capabilitiesGiven = false;
};

// The contents of the camera's look-up table and whether it is in use.
struct LutState {
    std::vector<uint8_t> values;  // empty until uploaded
    bool inUse = false;
};

// The parts of a camera's state that its settings file carries.
struct CameraSettings {
    CurrentFormat format;
    std::vector<Feature> features;
    TriggerInfo trigger;
    LutState lut;
};

}  // namespace fwc
