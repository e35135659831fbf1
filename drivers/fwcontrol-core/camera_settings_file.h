// The camera's XML settings file: format and area of interest, feature values and
// statuses, trigger, and LUT contents and switch.
//
// <cameraSettings version="1" vendor="..." model="...">
//   <format format="7" mode="0" rate="0" coding="9" left="0" top="0" width="640"
//           height="480" busLoad="1000"/>
//   <feature id="265" value="100" status="1"/>          one per feature
//   <trigger mode="0" active="0" polarity="1"/>          cameras with a trigger input
//   <lut inUse="1">00 01 02 ...</lut>                    hexadecimal bytes; empty: none
// </cameraSettings>
#pragma once

#include <cstdint>
#include <string>

#include "fwcontrol_bus.h"
#include "xml_document.h"

namespace fwc {

// The <cameraSettings> element of a camera described so, in these settings.
XmlElement settingsElement(const CameraDescription& description, const CameraSettings& settings);
// Reads and checks a <cameraSettings> element: settings are base with what the element
// names, and only its features. On refusal the status and, for a malformed element, why.
int32_t readSettingsElement(const CameraDescription& description, const CameraSettings& base,
                            const XmlElement& root, CameraSettings& settings, std::string& problem);

// Written to a temporary file beside path, then renamed over it.
int32_t saveSettingsFile(BusCamera& camera, const char* path);
// Reads and checks the whole file, then applies it at once; a refused file changes
// nothing. Elements left out keep the camera's state.
int32_t loadSettingsFile(BusCamera& camera, const char* path);

}  // namespace fwc
