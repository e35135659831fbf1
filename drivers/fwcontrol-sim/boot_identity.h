// Which start of the machine this is: state the simulated cameras keep lasts until the
// machine is powered off, as a real camera's does. Implemented per platform
// (boot_identity_posix.cpp, boot_identity_win32.cpp).
#pragma once

#include <string>

namespace fwc {

// This boot in a few characters; empty when the platform cannot tell.
std::string bootIdentity();
// Whether kept, an earlier bootIdentity(), names this boot.
bool sameBoot(const std::string& kept);

}  // namespace fwc
