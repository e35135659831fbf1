// The simulated bus: the cameras read from the bus description (plus those plugged by
// tests), as one bus behind the FWC_ calls, and the test controls of fwsim.h.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "camera_description.h"
#include "camera_state_store.h"
#include "fwcontrol_bus.h"
#include "sim_camera.h"

namespace fwc {

class SimBus : public Bus {
public:
    // start reads the description; stop shuts every camera down.
    int32_t start(BusHost& host) override;
    void stop() override;
    // True when not started: no camera thread is running.
    bool stopped();

    // Keys carry the described ids.
    int32_t cameras(std::vector<BusCameraKey>& keys) override;
    int32_t find(const BusCameraKey& key, uint32_t cameraId,
                 std::shared_ptr<BusCamera>& camera) override;
    int32_t open(const BusCameraKey& key, uint32_t cameraId) override;

    // FWC_ERR_NOT_INITIALIZED, FWC_ERR_CAMERA_UNPLUGGED or FWC_ERR_UNKNOWN_CAMERA when
    // there is no such camera now.
    int32_t findCamera(uint32_t cameraId, std::shared_ptr<SimCamera>& camera);
    uint32_t plug(const char* cameraJson);
    int32_t unplug(uint32_t cameraId);
    int32_t raiseEvent(uint32_t cameraId, uint32_t kind);
    int32_t reset();

private:
    int32_t readDescription(std::vector<CameraDescription>& cameras, std::string& busKey,
                            std::string& text);
    void populate();
    std::vector<std::shared_ptr<SimCamera>> takeCameras();

    std::mutex mutex_;
    BusHost* host_ = nullptr;  // while started
    std::string busKey_;
    std::vector<CameraDescription> described_;
    std::shared_ptr<const CameraStateStore> stateStore_;  // for the described cameras
    std::vector<std::shared_ptr<SimCamera>> cameras_;
    std::set<uint32_t> unplugged_;
};

SimBus& theSimBus();

}  // namespace fwc
