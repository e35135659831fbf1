// Writing a frame as a PNG file: grey for one byte per pixel, colour for BGR.
#pragma once

#include <string>

#include "frame_receiver.h"

namespace lvcgrab {

// Writes the frame (its BGR pixels are turned to RGB in place). False when the file cannot
// be written.
bool writePng(const std::string& path, Frame& frame);

}  // namespace lvcgrab
