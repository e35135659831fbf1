// Reads the JSON bus description into camera descriptions.
#pragma once

#include <string>
#include <vector>

#include "camera_description.h"

namespace fwc {

// Parses a whole bus description. On refusal returns false and sets error to
// "<place>: <problem>" (a JSON pointer or a line and column).
bool parseBusDescription(const std::string& text, std::vector<CameraDescription>& cameras,
                         std::string& error);
// Parses one camera object of the schema (FWS_Plug). A camera without an id gets id 0.
bool parseCameraDescription(const std::string& text, CameraDescription& camera, std::string& error);

}  // namespace fwc
