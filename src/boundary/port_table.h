// PortTable: 64 slots, slot n owns the camera opened on host port n. Safe to use from
// several host threads; no lock is held while a camera or the host is called.
#pragma once

#include <cstdint>

#include "camera/camera.h"

namespace lvc {

constexpr int32_t kPortCount = 64;

bool isValidPort(int32_t port);
// The camera on the port, or null for an empty or invalid port. The pointer stays valid
// until the port is closed; the host must not close a port while using it.
CCamera* portCamera(int32_t port);
// Moves the camera into an empty slot; false when the port is invalid or occupied or the
// name is open on another port, and camera is left with the caller.
bool occupyPort(int32_t port, CameraPtr& camera);
// Clears the slot and hands its camera to the caller (null if empty or invalid).
CameraPtr vacatePort(int32_t port);
// The lowest port whose camera has exactly this name, or -1.
int32_t findPortByName(const char* name);

}  // namespace lvc
