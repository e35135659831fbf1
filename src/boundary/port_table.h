// PortTable: 64 slots, slot n owns the camera opened on host port n. Safe to use from
// several host threads; no lock is held while a camera or the host is called.
#pragma once

#include <cstdint>

namespace lvc {

struct CCamera;

constexpr int32_t kPortCount = 64;

bool isValidPort(int32_t port);
// The camera on the port, or null for an empty or invalid port. The pointer stays valid
// until the port is closed; the host must not close a port while using it.
CCamera* portCamera(int32_t port);
// Puts the camera into an empty slot and takes ownership; false when the port is invalid
// or occupied (the caller keeps the camera).
bool occupyPort(int32_t port, CCamera* camera);
// Clears the slot and hands its camera back to the caller (null if empty or invalid).
CCamera* vacatePort(int32_t port);
// The lowest port whose camera has exactly this name, or -1.
int32_t findPortByName(const char* name);

}  // namespace lvc
