// Small arithmetic shared by the kernels. Like every kernel header, it is compiled once
// per instruction set: the unnamed namespace gives each of those translation units its
// own copy, so the linker never merges a vector build into the baseline one.
#pragma once

#include <cstddef>
#include <cstdint>

namespace fwt {
namespace {

inline uint8_t clampToByte(int value) {
    return static_cast<uint8_t>(value < 0 ? 0 : (value > 255 ? 255 : value));
}

}  // namespace
}  // namespace fwt
