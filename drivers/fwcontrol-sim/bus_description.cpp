// The bus description schema (docs/sim-bus.md has it with examples). Every key is
// optional unless marked; unknown keys are refused so that a misspelt key is noticed.
//
// { "cameras": [ camera, ... ] }                     required
// camera:
//   id            1..0xFFFFFFFE, unique; missing: smallest unused id from 1
//   model         information string 0, default "Camera"
//   vendor        information string 1, default "Simulated"
//   fixedFormats  [ { format 0..2, mode (as the IIDC table), rates [0..7, ...] } ]
//   format7       [ { mode 0..7, maxWidth, maxHeight (1..8192), unitWidth, unitHeight,
//                     unitLeft, unitTop (default 1), codings [coding id, ...] } ]
//                 a camera needs at least one fixed format or Format 7 mode
//   current       { format, mode, rate, coding, aoi [left, top, width, height], busLoad }
//                 default: the first fixed format at its first rate, else the first
//                 Format 7 mode with its first coding over the whole sensor, bus load 1000
//   bayer         "RGGB" (default), "GBRG", "GRBG", "BGGR"
//   interlaced    false (default) / true: field-sequential frames, CYGM mosaic for RAW8
//   features      [ { id, min (0), max (255), value (min), statuses [0..3] ([1]),
//                     status (1 if supported, else the first of statuses) } ]
//   lut           { count (1), maxValue (255), elements (256) }; absent: no LUT
//   trigger       { mode 0..15 (0), active (false), polarity 0/1 (0) }; absent: no input
//   registers     { "address" (decimal or 0x hex): value }
//   timing        "realtime" (default), "fast", "manual"
//   maxFrameRate  the sensor's fastest rate in frames per second, default 240
//   capabilities  up to four 32-bit words for FWC_GetCameraCapabilities
#include "bus_description.h"

#include <algorithm>
#include <nlohmann/json.hpp>
#include <set>
#include <stdexcept>

#include "aoi_rounding.h"
#include "pixel_format.h"

namespace fwc {
namespace {

using nlohmann::json;

// A refusal at a place of the document; caught at the two entry points.
struct Refusal : std::runtime_error {
    Refusal(const std::string& place, const std::string& problem)
        : std::runtime_error((place.empty() ? std::string("/") : place) + ": " + problem) {}
};

std::string at(const std::string& place, const std::string& key) { return place + "/" + key; }
std::string at(const std::string& place, size_t index) {
    return place + "/" + std::to_string(index);
}

void refuseUnknownKeys(const json& object, const std::string& place,
                       std::initializer_list<const char*> known) {
    if (!object.is_object()) throw Refusal(place, "must be an object");
    for (const auto& item : object.items())
        if (std::none_of(known.begin(), known.end(),
                         [&](const char* key) { return item.key() == key; }))
            throw Refusal(at(place, item.key()), "unknown key");
}

uint32_t readUnsigned(const json& value, const std::string& place, uint64_t low, uint64_t high) {
    if (!value.is_number_integer() ||
        (value.is_number_integer() && value.get<int64_t>() < 0 && !value.is_number_unsigned()))
        throw Refusal(place, "must be a non-negative integer");
    const uint64_t number = value.get<uint64_t>();
    if (number < low || number > high) {
        throw Refusal(place,
                      "must be between " + std::to_string(low) + " and " + std::to_string(high));
    }
    return static_cast<uint32_t>(number);
}

uint32_t readOptional(const json& object, const std::string& place, const char* key,
                      uint32_t fallback, uint64_t low, uint64_t high) {
    if (!object.contains(key)) return fallback;
    return readUnsigned(object[key], at(place, key), low, high);
}

bool readFlag(const json& object, const std::string& place, const char* key, bool fallback) {
    if (!object.contains(key)) return fallback;
    const json& value = object[key];
    if (value.is_boolean()) return value.get<bool>();
    return readUnsigned(value, at(place, key), 0, 1) != 0;
}

std::string readText(const json& object, const std::string& place, const char* key,
                     const std::string& fallback) {
    if (!object.contains(key)) return fallback;
    if (!object[key].is_string()) throw Refusal(at(place, key), "must be a string");
    std::string text = object[key].get<std::string>();
    if (text.size() > 63) throw Refusal(at(place, key), "longer than 63 characters");
    return text;
}

std::vector<uint32_t> readList(const json& object, const std::string& place, const char* key,
                               uint64_t low, uint64_t high) {
    const std::string listPlace = at(place, key);
    if (!object.contains(key)) throw Refusal(listPlace, "missing");
    const json& list = object[key];
    if (!list.is_array() || list.empty()) throw Refusal(listPlace, "must be a non-empty array");
    std::vector<uint32_t> values;
    for (size_t i = 0; i < list.size(); ++i)
        values.push_back(readUnsigned(list[i], at(listPlace, i), low, high));
    return values;
}

// The items of the optional array object[key], each read by
// readItem(item, itemPlace, the items read before it); none when the key is missing.
template <typename Item, typename ReadItem>
std::vector<Item> readOptionalArray(const json& object, const std::string& place, const char* key,
                                    ReadItem readItem) {
    std::vector<Item> items;
    if (!object.contains(key)) return items;
    const std::string listPlace = at(place, key);
    const json& list = object[key];
    if (!list.is_array()) throw Refusal(listPlace, "must be an array");
    for (size_t i = 0; i < list.size(); ++i)
        items.push_back(readItem(list[i], at(listPlace, i), items));
    return items;
}

FixedFormat readFixedFormat(const json& item, const std::string& itemPlace,
                            const std::vector<FixedFormat>& earlier) {
    refuseUnknownKeys(item, itemPlace, {"format", "mode", "rates"});
    FixedFormat format;
    format.format = readOptional(item, itemPlace, "format", 0, 0, 2);
    format.mode = readOptional(item, itemPlace, "mode", 0, 0, 7);
    if (!fixedGeometry(format.format, format.mode).valid)
        throw Refusal(at(itemPlace, "mode"), "no such mode in this format");
    format.rates = readList(item, itemPlace, "rates", 0, 7);
    for (const FixedFormat& other : earlier)
        if (other.format == format.format && other.mode == format.mode)
            throw Refusal(itemPlace, "format and mode listed twice");
    return format;
}

Format7Mode readFormat7Mode(const json& item, const std::string& itemPlace,
                            const std::vector<Format7Mode>& earlier) {
    refuseUnknownKeys(item, itemPlace,
                      {"mode", "maxWidth", "maxHeight", "unitWidth", "unitHeight", "unitLeft",
                       "unitTop", "codings"});
    Format7Mode mode;
    mode.mode = readOptional(item, itemPlace, "mode", 0, 0, 7);
    if (!item.contains("maxWidth") || !item.contains("maxHeight"))
        throw Refusal(itemPlace, "maxWidth and maxHeight are required");
    mode.maxWidth = readUnsigned(item["maxWidth"], at(itemPlace, "maxWidth"), 1, 8192);
    mode.maxHeight = readUnsigned(item["maxHeight"], at(itemPlace, "maxHeight"), 1, 8192);
    mode.unitWidth = readOptional(item, itemPlace, "unitWidth", 1, 1, mode.maxWidth);
    mode.unitHeight = readOptional(item, itemPlace, "unitHeight", 1, 1, mode.maxHeight);
    mode.unitLeft = readOptional(item, itemPlace, "unitLeft", 1, 1, mode.maxWidth);
    mode.unitTop = readOptional(item, itemPlace, "unitTop", 1, 1, mode.maxHeight);
    mode.codings = readList(item, itemPlace, "codings", 0, 255);
    for (size_t c = 0; c < mode.codings.size(); ++c)
        if (!isKnownCoding(mode.codings[c]))
            throw Refusal(at(at(itemPlace, "codings"), c), "unknown colour coding");
    for (const Format7Mode& other : earlier)
        if (other.mode == mode.mode) throw Refusal(at(itemPlace, "mode"), "mode listed twice");
    return mode;
}

CurrentFormat defaultCurrent(const CameraDescription& camera) {
    CurrentFormat current;
    if (!camera.fixedFormats.empty()) {
        const FixedFormat& first = camera.fixedFormats.front();
        const FixedGeometry geometry = fixedGeometry(first.format, first.mode);
        current.format = first.format;
        current.mode = first.mode;
        current.rate = first.rates.front();
        current.coding = geometry.coding;
        current.width = geometry.width;
        current.height = geometry.height;
        return current;
    }
    const Format7Mode& mode = camera.format7.front();
    current.format = kFormat7;
    current.mode = mode.mode;
    current.coding = mode.codings.front();
    current.width = mode.maxWidth;
    current.height = mode.maxHeight;
    return current;
}

void readFixedCurrent(const json& object, const std::string& place, const CameraDescription& camera,
                      CurrentFormat& current) {
    current.mode = readOptional(object, place, "mode", 0, 0, 7);
    const auto format = std::find_if(
        camera.fixedFormats.begin(), camera.fixedFormats.end(),
        [&](const FixedFormat& f) { return f.format == current.format && f.mode == current.mode; });
    if (format == camera.fixedFormats.end())
        throw Refusal(place, "format and mode are not among fixedFormats");
    current.rate = readOptional(object, place, "rate", format->rates.front(), 0, 7);
    if (std::find(format->rates.begin(), format->rates.end(), current.rate) == format->rates.end())
        throw Refusal(at(place, "rate"), "rate not listed for this format and mode");
    const FixedGeometry geometry = fixedGeometry(current.format, current.mode);
    if (object.contains("coding") && object["coding"] != geometry.coding)
        throw Refusal(at(place, "coding"), "not the coding of this fixed format");
    current.coding = geometry.coding;
    current.width = geometry.width;
    current.height = geometry.height;
}

void readFormat7Current(const json& object, const std::string& place,
                        const CameraDescription& camera, CurrentFormat& current) {
    current.mode = readOptional(object, place, "mode",
                                camera.format7.empty() ? 0 : camera.format7.front().mode, 0, 7);
    const Format7Mode* mode = findFormat7Mode(camera.format7, current.mode);
    if (mode == nullptr) throw Refusal(at(place, "mode"), "no such Format 7 mode");
    current.coding = readOptional(object, place, "coding", mode->codings.front(), 0, 255);
    if (std::find(mode->codings.begin(), mode->codings.end(), current.coding) ==
        mode->codings.end())
        throw Refusal(at(place, "coding"), "coding not listed for this mode");
    current.left = 0;
    current.top = 0;
    current.width = mode->maxWidth;
    current.height = mode->maxHeight;
    if (object.contains("aoi")) {
        const std::string aoiPlace = at(place, "aoi");
        const json& aoi = object["aoi"];
        if (!aoi.is_array() || aoi.size() != 4)
            throw Refusal(aoiPlace, "must be [left, top, width, height]");
        current.left = readUnsigned(aoi[0], at(aoiPlace, 0), 0, mode->maxWidth - 1);
        current.top = readUnsigned(aoi[1], at(aoiPlace, 1), 0, mode->maxHeight - 1);
        current.width = readUnsigned(aoi[2], at(aoiPlace, 2), 1, mode->maxWidth);
        current.height = readUnsigned(aoi[3], at(aoiPlace, 3), 1, mode->maxHeight);
        if (current.left + current.width > mode->maxWidth ||
            current.top + current.height > mode->maxHeight)
            throw Refusal(aoiPlace, "area reaches beyond the sensor");
        const AreaOfInterest given{current.left, current.top, current.width, current.height};
        const AreaOfInterest accepted = roundAoi(*mode, current.coding, camera.interlaced, given);
        if (accepted.left != given.left || accepted.top != given.top ||
            accepted.width != given.width || accepted.height != given.height)
            throw Refusal(aoiPlace, "area is not a multiple of the mode's units");
    }
    current.busLoad = readOptional(object, place, "busLoad", 1000, 1, 1000);
}

CurrentFormat readCurrent(const json& cameraObject, const std::string& place,
                          const CameraDescription& camera) {
    if (!cameraObject.contains("current")) return defaultCurrent(camera);
    const std::string currentPlace = at(place, "current");
    const json& object = cameraObject["current"];
    refuseUnknownKeys(object, currentPlace, {"format", "mode", "rate", "coding", "aoi", "busLoad"});
    CurrentFormat current;
    current.format = readOptional(object, currentPlace, "format",
                                  camera.fixedFormats.empty() ? kFormat7 : 0, 0, kFormat7);
    if (current.format == kFormat7)
        readFormat7Current(object, currentPlace, camera, current);
    else
        readFixedCurrent(object, currentPlace, camera, current);
    return current;
}

uint32_t readBayer(const json& camera, const std::string& place) {
    if (!camera.contains("bayer")) return 0;
    static const char* const kPatterns[] = {"RGGB", "GBRG", "GRBG", "BGGR"};
    if (camera["bayer"].is_string()) {
        for (uint32_t code = 0; code < 4; ++code)
            if (camera["bayer"] == kPatterns[code]) return code;
    }
    throw Refusal(at(place, "bayer"), "must be \"RGGB\", \"GBRG\", \"GRBG\" or \"BGGR\"");
}

Feature readFeature(const json& item, const std::string& itemPlace,
                    const std::vector<Feature>& earlier) {
    refuseUnknownKeys(item, itemPlace, {"id", "min", "max", "value", "statuses", "status"});
    Feature feature;
    if (!item.contains("id")) throw Refusal(itemPlace, "id is required");
    feature.id = readUnsigned(item["id"], at(itemPlace, "id"), 0, 0xFFFFFFFFu);
    feature.min = readOptional(item, itemPlace, "min", 0, 0, 0xFFFFFFFFu);
    feature.max = readOptional(item, itemPlace, "max", std::max<uint32_t>(feature.min, 255),
                               feature.min, 0xFFFFFFFFu);
    feature.value = readOptional(item, itemPlace, "value", feature.min, feature.min, feature.max);
    feature.statuses = item.contains("statuses") ? readList(item, itemPlace, "statuses", 0, 3)
                                                 : std::vector<uint32_t>{1};
    const bool hasOn =
        std::find(feature.statuses.begin(), feature.statuses.end(), 1u) != feature.statuses.end();
    feature.status =
        readOptional(item, itemPlace, "status", hasOn ? 1 : feature.statuses.front(), 0, 3);
    if (std::find(feature.statuses.begin(), feature.statuses.end(), feature.status) ==
        feature.statuses.end())
        throw Refusal(at(itemPlace, "status"), "status not among statuses");
    for (const Feature& other : earlier)
        if (other.id == feature.id) throw Refusal(at(itemPlace, "id"), "feature listed twice");
    return feature;
}

LutInfo readLut(const json& camera, const std::string& place) {
    LutInfo lut;
    if (!camera.contains("lut")) {
        lut.count = 0;
        return lut;
    }
    const std::string lutPlace = at(place, "lut");
    const json& object = camera["lut"];
    refuseUnknownKeys(object, lutPlace, {"count", "maxValue", "elements"});
    lut.count = readOptional(object, lutPlace, "count", 1, 0, 16);
    lut.maxValue = readOptional(object, lutPlace, "maxValue", 255, 1, 255);
    lut.elements = readOptional(object, lutPlace, "elements", 256, 0, 65536);
    return lut;
}

TriggerInfo readTrigger(const json& camera, const std::string& place) {
    TriggerInfo trigger;
    if (!camera.contains("trigger")) return trigger;
    const std::string triggerPlace = at(place, "trigger");
    const json& object = camera["trigger"];
    refuseUnknownKeys(object, triggerPlace, {"mode", "active", "polarity"});
    trigger.present = true;
    trigger.mode = readOptional(object, triggerPlace, "mode", 0, 0, 15);
    trigger.active = readFlag(object, triggerPlace, "active", false) ? 1 : 0;
    trigger.polarity = readOptional(object, triggerPlace, "polarity", 0, 0, 1);
    return trigger;
}

std::map<uint32_t, uint32_t> readRegisters(const json& camera, const std::string& place) {
    std::map<uint32_t, uint32_t> registers;
    if (!camera.contains("registers")) return registers;
    const std::string registersPlace = at(place, "registers");
    const json& object = camera["registers"];
    if (!object.is_object())
        throw Refusal(registersPlace, "must be an object of \"address\": value");
    for (const auto& item : object.items()) {
        const std::string itemPlace = at(registersPlace, item.key());
        size_t used = 0;
        unsigned long long address = 0;
        try {
            address = std::stoull(item.key(), &used, 0);
        } catch (const std::exception&) {
            used = 0;
        }
        if (used == 0 || used != item.key().size() || address > 0xFFFFFFFFull)
            throw Refusal(itemPlace, "address must be a 32-bit decimal or 0x hexadecimal number");
        registers[static_cast<uint32_t>(address)] =
            readUnsigned(item.value(), itemPlace, 0, 0xFFFFFFFFu);
    }
    return registers;
}

Timing readTiming(const json& camera, const std::string& place) {
    if (!camera.contains("timing")) return Timing::realtime;
    const json& value = camera["timing"];
    if (value == "realtime") return Timing::realtime;
    if (value == "fast") return Timing::fast;
    if (value == "manual") return Timing::manual;
    throw Refusal(at(place, "timing"), "must be \"realtime\", \"fast\" or \"manual\"");
}

double readMaxFrameRate(const json& camera, const std::string& place) {
    if (!camera.contains("maxFrameRate")) return 240.0;
    const json& value = camera["maxFrameRate"];
    if (!value.is_number() || value.get<double>() <= 0.0 || value.get<double>() > 100000.0)
        throw Refusal(at(place, "maxFrameRate"), "must be a number above 0 and up to 100000");
    return value.get<double>();
}

void readCapabilities(const json& object, const std::string& place, CameraDescription& camera) {
    if (!object.contains("capabilities")) return;
    const std::string listPlace = at(place, "capabilities");
    const json& list = object["capabilities"];
    if (!list.is_array() || list.size() > 4)
        throw Refusal(listPlace, "must be an array of at most four words");
    for (size_t i = 0; i < list.size(); ++i)
        camera.capabilities[i] = readUnsigned(list[i], at(listPlace, i), 0, 0xFFFFFFFFu);
    camera.capabilitiesGiven = true;
}

CameraDescription readCamera(const json& object, const std::string& place) {
    refuseUnknownKeys(
        object, place,
        {"id", "model", "vendor", "fixedFormats", "format7", "current", "bayer", "interlaced",
         "features", "lut", "trigger", "registers", "timing", "maxFrameRate", "capabilities"});
    CameraDescription camera;
    camera.id = readOptional(object, place, "id", 0, 1, 0xFFFFFFFEu);
    camera.model = readText(object, place, "model", "Camera");
    camera.vendor = readText(object, place, "vendor", "Simulated");
    camera.fixedFormats =
        readOptionalArray<FixedFormat>(object, place, "fixedFormats", readFixedFormat);
    camera.format7 = readOptionalArray<Format7Mode>(object, place, "format7", readFormat7Mode);
    if (camera.fixedFormats.empty() && camera.format7.empty())
        throw Refusal(place, "a camera needs at least one fixed format or Format 7 mode");
    camera.interlaced = readFlag(object, place, "interlaced", false);
    camera.current = readCurrent(object, place, camera);
    camera.bayer = readBayer(object, place);
    camera.features = readOptionalArray<Feature>(object, place, "features", readFeature);
    camera.lut = readLut(object, place);
    camera.trigger = readTrigger(object, place);
    camera.registers = readRegisters(object, place);
    camera.timing = readTiming(object, place);
    camera.maxFrameRate = readMaxFrameRate(object, place);
    readCapabilities(object, place, camera);
    return camera;
}

std::string syntaxPlace(const std::string& text, size_t byte) {
    size_t line = 1;
    size_t column = 1;
    for (size_t i = 0; i + 1 < byte && i < text.size(); ++i) {
        if (text[i] == '\n') {
            ++line;
            column = 1;
        } else {
            ++column;
        }
    }
    return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

bool parseJson(const std::string& text, json& document, std::string& error) {
    try {
        document = json::parse(text);
        return true;
    } catch (const json::parse_error& failure) {
        std::string problem = failure.what();
        const size_t detail = problem.find("syntax error");
        error = syntaxPlace(text, failure.byte) + ": " +
                (detail == std::string::npos ? problem : problem.substr(detail));
        return false;
    }
}

void assignMissingIds(std::vector<CameraDescription>& cameras) {
    std::set<uint32_t> used;
    for (const CameraDescription& camera : cameras) used.insert(camera.id);
    uint32_t next = 1;
    for (CameraDescription& camera : cameras) {
        if (camera.id == 0) {
            while (used.count(next) != 0) ++next;
            camera.id = next;
            used.insert(next);
        }
    }
}

}  // namespace

bool parseBusDescription(const std::string& text, std::vector<CameraDescription>& cameras,
                         std::string& error) {
    json document;
    if (!parseJson(text, document, error)) return false;
    try {
        refuseUnknownKeys(document, "", {"cameras"});
        if (!document.contains("cameras") || !document["cameras"].is_array())
            throw Refusal("/cameras", "required array missing");
        const json& list = document["cameras"];
        if (list.size() > 64) throw Refusal("/cameras", "more than 64 cameras");
        std::vector<CameraDescription> read;
        std::set<uint32_t> ids;
        for (size_t i = 0; i < list.size(); ++i) {
            read.push_back(readCamera(list[i], at("/cameras", i)));
            if (read.back().id != 0 && !ids.insert(read.back().id).second)
                throw Refusal(at(at("/cameras", i), "id"), "id used by another camera");
        }
        assignMissingIds(read);
        cameras = std::move(read);
        return true;
    } catch (const Refusal& refusal) {
        error = refusal.what();
        return false;
    } catch (const json::exception& failure) {
        error = failure.what();
        return false;
    }
}

bool parseCameraDescription(const std::string& text, CameraDescription& camera,
                            std::string& error) {
    json document;
    if (!parseJson(text, document, error)) return false;
    try {
        camera = readCamera(document, "");
        return true;
    } catch (const Refusal& refusal) {
        error = refusal.what();
        return false;
    } catch (const json::exception& failure) {
        error = failure.what();
        return false;
    }
}

}  // namespace fwc
