// The library's USERPROFILE over the camera's user sets: the profile number is the
// position of the set among UserSetSelector's entries (0 is the first, usually Default).
#pragma once

#include <cstdint>

#include "genicam_access.h"

namespace fwaravis {

// UserSetSelector with UserSetLoad.
bool hasUserSets(const GenicamAccess& genicam);
int32_t userSetCount(const GenicamAccess& genicam, uint32_t& count);
// The selected set.
int32_t selectedUserSet(const GenicamAccess& genicam, uint32_t& profile);
// Selects the set and loads it into the camera.
int32_t loadUserSet(const GenicamAccess& genicam, uint32_t profile);
// Saves the camera's state into the selected set (UserSetSave) and makes that set the one
// the camera starts with (UserSetDefault, or UserSetDefaultSelector on older cameras).
int32_t saveUserSet(const GenicamAccess& genicam);

}  // namespace fwaravis
