// The simulated bus of the camera engine's tests: cameras of every kind the engine treats
// differently, all in "manual" timing so that nothing runs unless a test asks.
#pragma once

#include <cstdint>
#include <string>

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

inline std::string monoCameraJson(uint32_t id, const std::string& extra) {
    return R"({ "id": )" + std::to_string(id) + R"(, "vendor": "Lorvsim", "model": ")" +
           cameraModel(id) + R"(",
      "fixedFormats": [ { "format": 0, "mode": 5, "rates": [2, 3] } ],
      "current": { "format": 0, "mode": 5, "rate": 3 }, "timing": "manual")" +
           extra + " }";
}

inline std::string format7CameraJson(uint32_t id, uint32_t coding, const std::string& aoi) {
    return R"({ "id": )" + std::to_string(id) + R"(, "vendor": "Lorvsim", "model": ")" +
           cameraModel(id) + R"(",
      "format7": [ { "mode": 0, "maxWidth": 640, "maxHeight": 480, "unitWidth": 4,
                     "unitHeight": 2, "unitLeft": 4, "unitTop": 2, "codings": [)" +
           std::to_string(coding) + R"(] } ],
      "current": { "format": 7, "mode": 0, "coding": )" +
           std::to_string(coding) + R"(, "aoi": )" + aoi + R"( }, "timing": "manual" })";
}

// Codings the simulated cameras offer: 0..10 and 128..130.
inline std::string cameraBusJson() {
    std::string cameras =
        monoCameraJson(kMonoCamera, R"(,
      "features": [ { "id": 256, "min": 0, "max": 255, "value": 128, "statuses": [1] },
                    { "id": 265, "min": 0, "max": 680, "value": 100, "statuses": [1, 3] },
                    { "id": 1026, "min": 1, "max": 16, "value": 4, "statuses": [1] } ],
      "registers": { "0x1000": 4660, "0x0": 9, "0xFFFFFFFF": 5 })") +
        ",\n" + format7CameraJson(kColourCamera, FWC_CODING_RAW8, "[8, 4, 320, 240]") + ",\n" +
        monoCameraJson(kLutCamera, R"(, "lut": { "count": 1, "maxValue": 255, "elements": 256 })") +
        ",\n" + monoCameraJson(kNoLutCamera, "") + ",\n" +
        monoCameraJson(kEmptyLutCamera,
                       R"(, "lut": { "count": 1, "maxValue": 255, "elements": 0 })") +
        ",\n" + format7CameraJson(kWideCamera, FWC_CODING_RGB16, "[0, 0, 64, 48]") + ",\n" +
        monoCameraJson(kTriggerCamera, R"(, "trigger": { "mode": 0, "active": true })");
    for (const uint32_t coding :
         {FWC_CODING_MONO8, FWC_CODING_YUV411, FWC_CODING_YUV422, FWC_CODING_YUV444,
          FWC_CODING_RGB8, FWC_CODING_MONO16, FWC_CODING_RGB16, FWC_CODING_SMONO16,
          FWC_CODING_SRGB16, FWC_CODING_RAW8, FWC_CODING_RAW16, FWC_CODING_MONO_RED,
          FWC_CODING_MONO_GREEN, FWC_CODING_MONO_BLUE}) {
        cameras += ",\n" + format7CameraJson(kFirstCodingCamera + coding, coding, "[0, 0, 64, 48]");
    }
    return R"({ "cameras": [ )" + cameras + " ] }";
}

}  // namespace lvc::test
