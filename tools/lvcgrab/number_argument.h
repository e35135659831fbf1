// Reading numbers from the command line, whole or not at all.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace lvcgrab {

// A decimal, or 0x-prefixed hexadecimal, 32-bit integer; nothing for anything else.
std::optional<int32_t> parseInteger(const std::string& text);
// A positive number of seconds, fractions allowed.
std::optional<double> parseSeconds(const std::string& text);

}  // namespace lvcgrab
