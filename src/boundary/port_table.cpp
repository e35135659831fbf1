// PortTable. tableMutex guards the slots only: it is held to read or change a slot and to
// compare the names of the cameras in the slots, never while a camera, the driver or the
// host is called. A camera leaves its slot (vacatePort) before it is stopped, so a lookup
// never meets a camera being destroyed.
#include "boundary/port_table.h"

#include <array>
#include <cstring>
#include <mutex>
#include <utility>

namespace lvc {

namespace {

std::mutex tableMutex;
std::array<CameraPtr, kPortCount> slots;

// The caller holds tableMutex.
int32_t lowestPortNamed(const char* name) {
    for (int32_t port = 0; port < kPortCount; ++port)
        if (slots[port] && std::strcmp(slots[port]->name, name) == 0) return port;
    return -1;
}

}  // namespace

bool isValidPort(int32_t port) { return port >= 0 && port < kPortCount; }

CCamera* portCamera(int32_t port) {
    if (!isValidPort(port)) return nullptr;
    std::lock_guard lock(tableMutex);
    return slots[port].get();
}

bool occupyPort(int32_t port, CameraPtr& camera) {
    if (!isValidPort(port) || camera == nullptr) return false;
    std::lock_guard lock(tableMutex);
    if (slots[port] || lowestPortNamed(camera->name) >= 0) return false;
    slots[port] = std::move(camera);
    return true;
}

CameraPtr vacatePort(int32_t port) {
    if (!isValidPort(port)) return nullptr;
    std::lock_guard lock(tableMutex);
    return std::move(slots[port]);
}

int32_t findPortByName(const char* name) {
    if (name == nullptr) return -1;
    std::lock_guard lock(tableMutex);
    return lowestPortNamed(name);
}

}  // namespace lvc
