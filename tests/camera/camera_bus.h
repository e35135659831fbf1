// The simulated bus of the camera engine's tests: cameras of every kind the engine treats
// differently, all in "manual" timing so that nothing runs unless a test asks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "support/sim_bus_json.h"

#include "fwcontrol.h"

namespace lvc::test {

constexpr uint32_t kMonoCamera = 2001;         // Mono8, fixed format 0 mode 5 at rate 3
constexpr uint32_t kColourCamera = 2002;       // Format 7 RAW8 with an offset area of interest
constexpr uint32_t kLutCamera = 2003;          // Mono8 with a 256-element LUT
constexpr uint32_t kNoLutCamera = 2004;        // Mono8 without a LUT
constexpr uint32_t kEmptyLutCamera = 2005;     // Mono8 with a LUT of 0 elements
constexpr uint32_t kWideCamera = 2006;         // Format 7 RGB16: six native bytes per pixel
constexpr uint32_t kTriggerCamera = 2007;      // Mono8 waiting for its trigger input
constexpr uint32_t kFirstCodingCamera = 2100;  // 2100 + coding: Format 7, 64 x 48

inline std::string cameraModel(uint32_t id) {
    switch (id) {
    case kMonoCamera: return "Mono";
    case kColourCamera: return "Colour";
    case kLutCamera: return "Lut";
    case kNoLutCamera: return "NoLut";
    case kEmptyLutCamera: return "EmptyLut";
    case kWideCamera: return "Wide";
    case kTriggerCamera: return "Trigger";
    default: return "Coding";
    }
}

// The configuration name the plug-in gives a camera of this bus.
inline std::string cameraName(uint32_t id) {
    return "Lorvsim " + cameraModel(id) + " - " + std::to_string(id);
}

inline SimCamera monoCamera(uint32_t id) {
    return SimCamera(id)
        .vendor("Lorvsim")
        .model(cameraModel(id))
        .timing("manual")
        .fixedFormat(0, 5, {2, 3})
        .with("current", R"({"format": 0, "mode": 5, "rate": 3})");
}

inline SimCamera format7Camera(uint32_t id, uint32_t coding, const std::string& aoi) {
    return SimCamera(id)
        .vendor("Lorvsim")
        .model(cameraModel(id))
        .timing("manual")
        .format7({.maxWidth = 640,
                  .maxHeight = 480,
                  .codings = {coding},
                  .unitWidth = 4,
                  .unitHeight = 2,
                  .unitLeft = 4,
                  .unitTop = 2})
        .with("current", R"({"format": 7, "mode": 0, "coding": )" + std::to_string(coding) +
                             R"(, "aoi": )" + aoi + "}");
}

// Codings the simulated cameras offer: 0..10 and 128..130.
inline std::string cameraBusJson() {
    std::vector<SimCamera> cameras{
        monoCamera(kMonoCamera)
            .with("features", R"([{"id": 256, "min": 0, "max": 255, "value": 128, "statuses": [1]},
                                  {"id": 265, "min": 0, "max": 680, "value": 100, "statuses": [1, 3]},
                                  {"id": 1026, "min": 1, "max": 16, "value": 4, "statuses": [1]}])")
            .with("registers", R"({"0x1000": 4660, "0x0": 9, "0xFFFFFFFF": 5})"),
        format7Camera(kColourCamera, FWC_CODING_RAW8, "[8, 4, 320, 240]"),
        monoCamera(kLutCamera).with("lut", R"({"count": 1, "maxValue": 255, "elements": 256})"),
        monoCamera(kNoLutCamera),
        monoCamera(kEmptyLutCamera).with("lut", R"({"count": 1, "maxValue": 255, "elements": 0})"),
        format7Camera(kWideCamera, FWC_CODING_RGB16, "[0, 0, 64, 48]"),
        monoCamera(kTriggerCamera).with("trigger", R"({"mode": 0, "active": true})")};
    for (const uint32_t coding :
         {FWC_CODING_MONO8, FWC_CODING_YUV411, FWC_CODING_YUV422, FWC_CODING_YUV444,
          FWC_CODING_RGB8, FWC_CODING_MONO16, FWC_CODING_RGB16, FWC_CODING_SMONO16,
          FWC_CODING_SRGB16, FWC_CODING_RAW8, FWC_CODING_RAW16, FWC_CODING_MONO_RED,
          FWC_CODING_MONO_GREEN, FWC_CODING_MONO_BLUE})
        cameras.push_back(format7Camera(kFirstCodingCamera + coding, coding, "[0, 0, 64, 48]"));
    return simBusJson(cameras);
}

}  // namespace lvc::test
