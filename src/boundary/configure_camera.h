// What configureCamera does, with the argument it uses.
#pragma once

#include <cstdint>

namespace lvc {

int32_t configureNamedCamera(const char* cameraName);

}  // namespace lvc
