// The buses of this process behind the FWC_ calls: the first FWC_Init starts the buses
// bus_selection.h names, the last FWC_Release stops them. Camera ids are routed to their
// bus; a simulated camera keeps its described id, any other gets its id from camera_id.h.
// Every bus raises into the one notification hub, whose thread runs the host's callbacks.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "camera_id.h"
#include "fwcontrol_bus.h"
#include "notification_hub.h"

namespace fwc {

class CameraBuses final : private BusHost {
public:
    // Counted: the first call starts the buses, the last release stops them.
    int32_t init();
    int32_t release();
    // True when not initialised: no bus or notification thread is running.
    bool released();

    int32_t cameraIds(uint32_t& count, uint32_t* ids);
    // FWC_ERR_NOT_INITIALIZED, FWC_ERR_CAMERA_UNPLUGGED or FWC_ERR_UNKNOWN_CAMERA when
    // there is no such camera now.
    int32_t findCamera(uint32_t cameraId, std::shared_ptr<BusCamera>& camera);
    int32_t openCamera(uint32_t cameraId);

    int32_t addNotification(uint32_t kind, const FWC_NOTIFICATION& descriptor, FWC_HANDLE& handle);
    int32_t removeNotification(FWC_HANDLE handle);

private:
    struct ActiveBus {
        std::string name;
        std::shared_ptr<Bus> bus;  // the built-in simulated bus is not deleted
    };
    struct Route {
        uint32_t cameraId = 0;
        size_t bus = 0;
        BusCameraKey key;
    };

    void raise(uint32_t cameraId, uint32_t kind) override;
    void raiseNodeListChanged() override;
    int32_t fail(int32_t status, const std::string& detail) override;

    int32_t startBuses(const std::vector<std::string>& names);
    void stopBuses();
    int32_t refreshRoutesLocked();
    const Route* routeLocked(uint32_t cameraId);
    // The route of the camera, the list read again when it is not known yet; null when no
    // bus has it now, with the status to report.
    const Route* findRouteLocked(uint32_t cameraId, int32_t& status);
    std::shared_ptr<NotificationHub> hub();

    // Everything but the hub; held while asking a bus for its cameras, not while opening one.
    std::mutex mutex_;
    uint32_t initCount_ = 0;
    std::vector<ActiveBus> buses_;
    std::vector<Route> routes_;
    CameraIdTable ids_;

    std::mutex hubMutex_;  // taken last, by raises from any bus thread
    std::shared_ptr<NotificationHub> hub_;
};

CameraBuses& theBuses();

}  // namespace fwc
