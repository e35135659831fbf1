// The IIDC bus: IEEE 1394 and USB IIDC cameras through libdc1394, as one bus behind the
// FWC_ calls. Cameras are keyed by GUID and unit; a watcher thread enumerates again every
// half second (libdc1394 reports no bus changes), marks cameras that left as unplugged
// and raises the node-list notification when the list changes. cameras() and find()
// answer from the last enumeration, at once.
#pragma once

#include <dc1394/dc1394.h>

#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "bus_context.h"
#include "dc1394_camera.h"
#include "fwcontrol_bus.h"

namespace fwdc1394 {

class Dc1394Bus final : public fwc::Bus {
public:
    ~Dc1394Bus() override;

    int32_t start(fwc::BusHost& host) override;
    void stop() override;
    int32_t cameras(std::vector<fwc::BusCameraKey>& keys) override;
    int32_t find(const fwc::BusCameraKey& key, uint32_t cameraId,
                 std::shared_ptr<fwc::BusCamera>& camera) override;
    int32_t open(const fwc::BusCameraKey& key, uint32_t cameraId) override;

private:
    // The cameras on the bus now, by key, with the names of those seen before.
    std::map<std::string, CameraIdentity> enumerate();
    void watch();
    int32_t findCamera(const fwc::BusCameraKey& key, uint32_t cameraId,
                       std::shared_ptr<Dc1394Camera>& camera);

    std::mutex opening_;  // open and stop: no camera opens once stop has begun
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stopping_ = false;
    fwc::BusHost* host_ = nullptr;         // while started
    std::shared_ptr<BusContext> context_;  // while started
    std::map<std::string, CameraIdentity> present_;
    std::map<std::string, std::shared_ptr<Dc1394Camera>> cameras_;  // by key, once found
    std::thread watcher_;
};

}  // namespace fwdc1394
