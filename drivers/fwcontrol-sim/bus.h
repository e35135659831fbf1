// The simulated bus of this process: the cameras read from the bus description (plus
// those plugged by tests), their notification hub, and the library's init count.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "camera_description.h"
#include "camera_state_store.h"
#include "notification_hub.h"
#include "sim_camera.h"

namespace fwsim {

class Bus {
public:
    // Counted: the first call reads the description, the last release tears down.
    int32_t init();
    int32_t release();
    // True when not initialised: no camera or notification thread is running.
    bool released();

    // FWC_ERR_NOT_INITIALIZED, FWC_ERR_CAMERA_UNPLUGGED or FWC_ERR_UNKNOWN_CAMERA when
    // there is no such camera now.
    int32_t findCamera(uint32_t cameraId, std::shared_ptr<SimCamera>& camera);
    int32_t openCamera(uint32_t cameraId);
    int32_t cameraIds(uint32_t& count, uint32_t* ids);

    int32_t addNotification(uint32_t kind, const FWC_NOTIFICATION& descriptor, FWC_HANDLE& handle);
    int32_t removeNotification(FWC_HANDLE handle);

    uint32_t plug(const char* cameraJson);
    int32_t unplug(uint32_t cameraId);
    int32_t raiseEvent(uint32_t cameraId, uint32_t kind);
    int32_t reset();

private:
    int32_t readDescription(std::vector<CameraDescription>& cameras, std::string& busKey,
                            std::string& text);
    void populate();
    std::vector<std::shared_ptr<SimCamera>> takeCameras();
    std::shared_ptr<NotificationHub> hub();

    std::mutex mutex_;
    uint32_t initCount_ = 0;
    std::string busKey_;
    std::vector<CameraDescription> described_;
    std::shared_ptr<const CameraStateStore> stateStore_;  // for the described cameras
    std::vector<std::shared_ptr<SimCamera>> cameras_;
    std::set<uint32_t> unplugged_;
    std::shared_ptr<NotificationHub> hub_;
};

Bus& theBus();

}  // namespace fwsim
