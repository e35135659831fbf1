// Simulated bus descriptions for tests, written as data: a camera is its id plus the keys a
// test cares about, every other key keeps the bus's default (docs/sim-bus.md lists them).
//
//     simBusJson({SimCamera(11).model("MULTI").timing("manual").format7({.codings = {0}}),
//                 SimCamera(12).fixedFormat(0, 5, {2}).with("trigger", R"({"active": true})")})
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace lvc::test {

// One Format 7 mode; the units default to 1 as on the bus.
struct SimFormat7 {
    uint32_t mode = 0;
    uint32_t maxWidth = 64;
    uint32_t maxHeight = 48;
    std::vector<uint32_t> codings{0};
    uint32_t unitWidth = 1;
    uint32_t unitHeight = 1;
    uint32_t unitLeft = 1;
    uint32_t unitTop = 1;
};

class SimCamera {
public:
    explicit SimCamera(uint32_t id) : id_(id) {}

    SimCamera& vendor(const std::string& text) { return withText("vendor", text); }
    SimCamera& model(const std::string& text) { return withText("model", text); }
    // "realtime", "fast" or "manual".
    SimCamera& timing(const std::string& text) { return withText("timing", text); }
    // One more fixed format with its rates.
    SimCamera& fixedFormat(uint32_t format, uint32_t mode, const std::vector<uint32_t>& rates) {
        fixedFormats_.push_back(R"({"format": )" + std::to_string(format) + R"(, "mode": )" +
                                std::to_string(mode) + R"(, "rates": )" + list(rates) + "}");
        return *this;
    }
    // One more Format 7 mode.
    SimCamera& format7(const SimFormat7& mode) {
        format7_.push_back(
            R"({"mode": )" + std::to_string(mode.mode) + R"(, "maxWidth": )" +
            std::to_string(mode.maxWidth) + R"(, "maxHeight": )" + std::to_string(mode.maxHeight) +
            R"(, "unitWidth": )" + std::to_string(mode.unitWidth) + R"(, "unitHeight": )" +
            std::to_string(mode.unitHeight) + R"(, "unitLeft": )" + std::to_string(mode.unitLeft) +
            R"(, "unitTop": )" + std::to_string(mode.unitTop) + R"(, "codings": )" +
            list(mode.codings) + "}");
        return *this;
    }
    // Any other key, its value as JSON text: "current", "features", "lut", "trigger",
    // "registers", "bayer", "interlaced", "maxFrameRate", "capabilities".
    SimCamera& with(const std::string& key, const std::string& valueJson) {
        keys_.emplace_back(key, valueJson);
        return *this;
    }
    // Any other key whose value is a string ("bayer").
    SimCamera& withText(const std::string& key, const std::string& text) {
        return with(key, quoted(text));
    }

    uint32_t id() const { return id_; }
    // The camera as one JSON object, as the bus file lists it and FWS_Plug takes it.
    std::string json() const {
        std::string text = R"({"id": )" + std::to_string(id_);
        for (const auto& [key, value] : keys_) text += ", " + quoted(key) + ": " + value;
        if (!fixedFormats_.empty()) text += R"(, "fixedFormats": )" + joined(fixedFormats_);
        if (!format7_.empty()) text += R"(, "format7": )" + joined(format7_);
        return text + "}";
    }

private:
    static std::string quoted(const std::string& text) {
        std::string result = "\"";
        for (const char c : text) {
            if (c == '"' || c == '\\') result += '\\';
            result += c;
        }
        return result + "\"";
    }
    static std::string joined(const std::vector<std::string>& items) {
        std::string text = "[";
        for (std::size_t index = 0; index < items.size(); ++index)
            text += (index > 0 ? ", " : "") + items[index];
        return text + "]";
    }
    static std::string list(const std::vector<uint32_t>& numbers) {
        std::vector<std::string> items;
        for (const uint32_t number : numbers) items.push_back(std::to_string(number));
        return joined(items);
    }

    uint32_t id_;
    std::vector<std::pair<std::string, std::string>> keys_;
    std::vector<std::string> fixedFormats_;
    std::vector<std::string> format7_;
};

// A whole bus description of these cameras.
inline std::string simBusJson(const std::vector<SimCamera>& cameras) {
    std::string text = R"({"cameras": [)";
    for (std::size_t index = 0; index < cameras.size(); ++index)
        text += (index > 0 ? ",\n  " : "\n  ") + cameras[index].json();
    return text + "\n]}";
}

}  // namespace lvc::test
