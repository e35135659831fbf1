// Camera features by name and registers by "0x" address.
#pragma once

#include <cstdint>

namespace lvc {

struct CCamera;

bool getNamedProperty(const CCamera& camera, const char* name, uint32_t* value);
bool setNamedProperty(const CCamera& camera, const char* name, uint32_t value);

}  // namespace lvc
