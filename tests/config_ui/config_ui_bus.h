// The simulated bus of the dialog's tests: a fixed-format camera that also offers a
// Format 7 mode, a Format 7 camera, and a camera without trigger or LUT. All in "manual"
// timing, so that frames come only when a test steps them.
#pragma once

#include <cstdint>
#include <string>

#include "support/sim_bus_json.h"

namespace lvc::test {

constexpr uint32_t kFixedCamera = 3001;
constexpr uint32_t kFormat7Camera = 3002;
constexpr uint32_t kPlainCamera = 3003;

inline const char* const kFixedCameraName = "Lorvsim Fixed - 3001";
inline const char* const kFormat7CameraName = "Lorvsim Free - 3002";
inline const char* const kPlainCameraName = "Lorvsim Plain - 3003";

// Feature ids of the fixed camera, one per combination of supported statuses.
constexpr uint32_t kBrightness = 256;  // statuses 1: manual only
constexpr uint32_t kSharpness = 258;   // statuses 0, 1: on/off, manual
constexpr uint32_t kShutter = 264;     // statuses 1, 2: manual and one-push
constexpr uint32_t kGain = 265;        // statuses 1, 3: manual and automatic

inline std::string configUiBusJson() {
    return simBusJson(
        {SimCamera(kFixedCamera)
             .vendor("Lorvsim")
             .model("Fixed")
             .timing("manual")
             .fixedFormat(0, 1, {3, 4})
             .fixedFormat(0, 3, {3})
             .fixedFormat(0, 5, {2, 3, 4})
             .fixedFormat(0, 6, {3})
             .fixedFormat(1, 2, {2})
             .format7({.mode = 1,
                       .maxWidth = 1280,
                       .maxHeight = 960,
                       .codings = {0, 9},
                       .unitWidth = 8,
                       .unitHeight = 2,
                       .unitLeft = 4,
                       .unitTop = 2})
             .with("current", R"({"format": 0, "mode": 5, "rate": 4})")
             .with("features", R"([
                 {"id": 256, "min": 0, "max": 255, "value": 128, "statuses": [1]},
                 {"id": 258, "min": 0, "max": 7, "value": 3, "statuses": [0, 1], "status": 0},
                 {"id": 264, "min": 1, "max": 4095, "value": 500, "statuses": [1, 2]},
                 {"id": 265, "min": 0, "max": 680, "value": 100, "statuses": [1, 3]}])")
             .with("trigger", R"({"mode": 1, "active": true, "polarity": 1})")
             .with("lut", R"({"count": 1, "maxValue": 255, "elements": 256})"),
         SimCamera(kFormat7Camera)
             .vendor("Lorvsim")
             .model("Free")
             .timing("manual")
             .format7({.maxWidth = 640,
                       .maxHeight = 480,
                       .codings = {9, 0},
                       .unitWidth = 4,
                       .unitHeight = 2,
                       .unitLeft = 4,
                       .unitTop = 2})
             .format7({.mode = 1, .maxWidth = 320, .maxHeight = 240, .codings = {0}})
             .with("current", R"({"format": 7, "mode": 0, "coding": 0, "aoi": [8, 4, 320, 240]})"),
         SimCamera(kPlainCamera)
             .vendor("Lorvsim")
             .model("Plain")
             .timing("manual")
             .fixedFormat(0, 5, {3})});
}

}  // namespace lvc::test
