// The local wall-clock time, for diagnostic lines.
#pragma once

#include <cstddef>

namespace lvc {

// Writes the local time of day as "HH:MM:SS" (two digits each) into destination (size
// bytes, at least 9); false, with destination empty, when it cannot.
bool formatLocalTimeOfDay(char* destination, std::size_t size);

}  // namespace lvc
