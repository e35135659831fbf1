#include "default_bus.h"

namespace fwc {

// Five typical cameras at moderate sizes and rates, so that demos stay quick:
// a Bayer colour camera with Format 7 modes and a fixed format, a Mono8 camera, a YUV
// camera, an interlaced CYGM camera, and a camera with a LUT and a trigger input.
const char* defaultBusDescription() {
    return R"json({
  "cameras": [
    {
      "id": 1001, "vendor": "Simvision", "model": "SC-640C",
      "bayer": "RGGB",
      "fixedFormats": [ { "format": 0, "mode": 5, "rates": [2, 3, 4] } ],
      "format7": [
        { "mode": 0, "maxWidth": 640, "maxHeight": 480, "unitWidth": 8, "unitHeight": 2,
          "unitLeft": 4, "unitTop": 2, "codings": [9, 10, 0] },
        { "mode": 1, "maxWidth": 320, "maxHeight": 240, "unitWidth": 4, "unitHeight": 2,
          "unitLeft": 2, "unitTop": 2, "codings": [9] }
      ],
      "current": { "format": 7, "mode": 0, "coding": 9, "aoi": [0, 0, 640, 480], "busLoad": 1000 },
      "maxFrameRate": 30,
      "features": [
        { "id": 256, "min": 0, "max": 255, "value": 128, "statuses": [1, 3] },
        { "id": 259, "min": 0, "max": 1023, "value": 512, "statuses": [1, 2, 3] },
        { "id": 260, "min": 0, "max": 1023, "value": 512, "statuses": [1, 2, 3] },
        { "id": 264, "min": 1, "max": 4095, "value": 500, "statuses": [1, 3] },
        { "id": 265, "min": 0, "max": 680, "value": 100, "statuses": [1, 3] },
        { "id": 1026, "min": 1, "max": 16, "value": 4, "statuses": [1] }
      ],
      "registers": { "0xF0F00600": 2147483648, "0xF0F00610": 0 }
    },
    {
      "id": 1002, "vendor": "Simvision", "model": "SM-640",
      "fixedFormats": [
        { "format": 0, "mode": 5, "rates": [1, 2, 3, 4] },
        { "format": 0, "mode": 6, "rates": [1, 2, 3] }
      ],
      "current": { "format": 0, "mode": 5, "rate": 3 },
      "features": [
        { "id": 256, "min": 0, "max": 255, "value": 128, "statuses": [1] },
        { "id": 264, "min": 1, "max": 4095, "value": 500, "statuses": [1, 3] },
        { "id": 265, "min": 0, "max": 680, "value": 100, "statuses": [0, 1, 3] }
      ]
    },
    {
      "id": 1003, "vendor": "Simvision", "model": "SY-320",
      "fixedFormats": [
        { "format": 0, "mode": 1, "rates": [2, 3, 4, 5] },
        { "format": 0, "mode": 2, "rates": [2, 3] },
        { "format": 0, "mode": 3, "rates": [2, 3] },
        { "format": 0, "mode": 4, "rates": [2, 3] }
      ],
      "current": { "format": 0, "mode": 1, "rate": 3 },
      "features": [
        { "id": 256, "min": 0, "max": 255, "value": 128, "statuses": [1] },
        { "id": 259, "min": 0, "max": 1023, "value": 512, "statuses": [1, 2] },
        { "id": 260, "min": 0, "max": 1023, "value": 512, "statuses": [1, 2] },
        { "id": 265, "min": 0, "max": 680, "value": 100, "statuses": [1] }
      ]
    },
    {
      "id": 1004, "vendor": "Simvision", "model": "SI-768",
      "interlaced": true,
      "format7": [
        { "mode": 0, "maxWidth": 768, "maxHeight": 576, "unitWidth": 8, "unitHeight": 2,
          "unitLeft": 2, "unitTop": 2, "codings": [9, 0] }
      ],
      "current": { "format": 7, "mode": 0, "coding": 9, "busLoad": 1000 },
      "maxFrameRate": 25,
      "features": [
        { "id": 265, "min": 0, "max": 680, "value": 100, "statuses": [1, 3] }
      ]
    },
    {
      "id": 1005, "vendor": "Simvision", "model": "ST-640L",
      "fixedFormats": [ { "format": 0, "mode": 5, "rates": [2, 3, 4] } ],
      "current": { "format": 0, "mode": 5, "rate": 4 },
      "lut": { "count": 1, "maxValue": 255, "elements": 256 },
      "trigger": { "mode": 0, "active": false, "polarity": 1 },
      "features": [
        { "id": 256, "min": 0, "max": 255, "value": 128, "statuses": [1] },
        { "id": 264, "min": 1, "max": 4095, "value": 500, "statuses": [1] },
        { "id": 265, "min": 0, "max": 680, "value": 100, "statuses": [1] },
        { "id": 266, "min": 0, "max": 4095, "value": 0, "statuses": [0, 1] },
        { "id": 1026, "min": 1, "max": 8, "value": 2, "statuses": [1] }
      ],
      "registers": { "0x1000": 0, "0x1004": 305419896 }
    }
  ]
})json";
}

}  // namespace fwc
