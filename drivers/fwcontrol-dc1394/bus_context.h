// libdc1394's context, shared by the bus and its cameras. Enumerating the bus and opening
// a camera (which enumerates again) rewrite the context's device list, and the bus's
// watcher does so while host threads open cameras or check that one is still there: those
// calls take the context's lock. Calls on an open camera do not need it.
#pragma once

#include <dc1394/dc1394.h>

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace fwdc1394 {

struct CameraUnit {
    uint64_t guid = 0;
    uint16_t unit = 0;
};

class BusContext {
public:
    // Null when libdc1394 finds neither IEEE 1394 nor USB support.
    static std::shared_ptr<BusContext> create();
    ~BusContext();
    BusContext(const BusContext&) = delete;
    BusContext& operator=(const BusContext&) = delete;

    // The cameras on the bus now; false when the bus cannot be enumerated.
    bool enumerate(std::vector<CameraUnit>& units);
    bool present(const CameraUnit& camera);
    // Null when the camera cannot be opened.
    dc1394camera_t* openCamera(const CameraUnit& camera);
    void closeCamera(dc1394camera_t* camera);

private:
    explicit BusContext(dc1394_t* handle) : handle_(handle) {}

    std::mutex mutex_;
    dc1394_t* const handle_;
};

}  // namespace fwdc1394
