// The process's current directory, where settings live when the host names no directory.
#pragma once

#include <cstddef>

namespace lvc {

// Writes the current directory, without a trailing separator, into destination (size
// bytes); false, with destination empty, when it cannot be read or does not fit.
bool currentDirectory(char* destination, std::size_t size);

}  // namespace lvc
