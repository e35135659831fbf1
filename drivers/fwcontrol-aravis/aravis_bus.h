// The GenICam bus: GigE Vision and USB3 Vision cameras through Aravis, as one bus behind
// the FWC_ calls. FWCONTROL_GIGE_CAMERAS (comma-separated IPv4 addresses) makes it use
// exactly those GigE Vision cameras, found by unicast and never by a broadcast; without
// it the bus lists every camera Aravis discovers.
#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "aravis_camera.h"
#include "camera_directory.h"
#include "fwcontrol_bus.h"

namespace fwaravis {

class AravisBus final : public fwc::Bus {
public:
    int32_t start(fwc::BusHost& host) override;
    void stop() override;
    int32_t cameras(std::vector<fwc::BusCameraKey>& keys) override;
    int32_t find(const fwc::BusCameraKey& key, uint32_t cameraId,
                 std::shared_ptr<fwc::BusCamera>& camera) override;
    int32_t open(const fwc::BusCameraKey& key, uint32_t cameraId) override;

private:
    // On the directory's worker thread.
    void directoryChanged(const std::vector<std::string>& gone);
    int32_t findCamera(const fwc::BusCameraKey& key, uint32_t cameraId,
                       std::shared_ptr<AravisCamera>& camera);

    std::mutex mutex_;
    fwc::BusHost* host_ = nullptr;  // while started
    std::unique_ptr<CameraDirectory> directory_;
    std::map<std::string, std::shared_ptr<AravisCamera>> cameras_;  // by key, once found
};

}  // namespace fwaravis
