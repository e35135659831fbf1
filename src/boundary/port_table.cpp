// PortTable. tableMutex guards the slots only: it is held to change a slot and to compare
// the names of the cameras in the slots, never while a camera, the driver or the host is
// called. Lookups read a published copy of each slot's pointer without the lock, as the
// host calls them for every row of every frame. A camera leaves its slot (vacatePort)
// before it is stopped, so a lookup never meets a camera being destroyed.
#include "boundary/port_table.h"

#include <array>
#include <atomic>
#include <cstring>
#include <mutex>
#include <utility>

namespace lvc {

namespace {

std::mutex tableMutex;
std::array<CameraPtr, kPortCount> slots;
// slots[port].get(), written under tableMutex.
std::array<std::atomic<CCamera*>, kPortCount> published{};

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
    return published[port].load(std::memory_order_acquire);
}

bool occupyPort(int32_t port, CameraPtr& camera) {
    if (!isValidPort(port) || camera == nullptr) return false;
    std::lock_guard lock(tableMutex);
    if (slots[port] || lowestPortNamed(camera->name) >= 0) return false;
    slots[port] = std::move(camera);
    published[port].store(slots[port].get(), std::memory_order_release);
    return true;
}

CameraPtr vacatePort(int32_t port) {
    if (!isValidPort(port)) return nullptr;
    std::lock_guard lock(tableMutex);
    published[port].store(nullptr, std::memory_order_release);
    return std::move(slots[port]);
}

int32_t findPortByName(const char* name) {
    if (name == nullptr) return -1;
    std::lock_guard lock(tableMutex);
    return lowestPortNamed(name);
}

}  // namespace lvc
