#include "aravis_bus.h"

#include <cstdlib>
#include <optional>

#include "fw_status.h"
#include "gige_probe.h"
#include "glib_log_route.h"

namespace fwaravis {
namespace {

// The claims of this bus's cameras, shared by every process that uses it.
constexpr const char* kClaimBusKey = "aravis";

}  // namespace

int32_t AravisBus::start(fwc::BusHost& host) {
    routeGlibLogs();
    std::vector<std::string> addresses;
    const char* named = std::getenv("FWCONTROL_GIGE_CAMERAS");
    if (named != nullptr && *named != '\0') {
        std::vector<std::string> refused;
        addresses = parseCameraAddresses(named, refused);
        if (!refused.empty())
            return host.fail(FWC_ERR_BUS_DESCRIPTION,
                             "FWCONTROL_GIGE_CAMERAS: not an IPv4 address: " + refused.front());
        // Only the named cameras: nothing else is asked who is there.
        arv_disable_interface("USB3Vision");
    }
    auto directory = std::make_unique<CameraDirectory>(
        std::move(addresses),
        [this](const std::vector<std::string>& gone) { directoryChanged(gone); });
    std::lock_guard lock(mutex_);
    host_ = &host;
    directory_ = std::move(directory);
    return FW_STATUS_OK;
}

void AravisBus::stop() {
    std::unique_ptr<CameraDirectory> directory;
    std::map<std::string, std::shared_ptr<AravisCamera>> cameras;
    {
        std::lock_guard lock(mutex_);
        directory = std::move(directory_);
        cameras.swap(cameras_);
    }
    directory.reset();  // joins the worker, which takes mutex_ to report
    for (const auto& [key, camera] : cameras) camera->close();
    std::lock_guard lock(mutex_);
    host_ = nullptr;
}

void AravisBus::directoryChanged(const std::vector<std::string>& gone) {
    std::vector<std::shared_ptr<AravisCamera>> lost;
    {
        std::lock_guard lock(mutex_);
        if (host_ == nullptr) return;
        for (const std::string& key : gone) {
            const auto found = cameras_.find(key);
            if (found != cameras_.end()) lost.push_back(found->second);
        }
        host_->raiseNodeListChanged();
    }
    // Outside the bus's lock: a camera may be busy in a call that waits for it.
    for (const auto& camera : lost) camera->markLost();
}

int32_t AravisBus::cameras(std::vector<fwc::BusCameraKey>& keys) {
    std::lock_guard lock(mutex_);
    if (host_ == nullptr) return FWC_ERR_NOT_INITIALIZED;
    keys.clear();
    for (const DirectoryEntry& entry : directory_->entries()) keys.push_back({entry.key, 0});
    return FW_STATUS_OK;
}

int32_t AravisBus::findCamera(const fwc::BusCameraKey& key, uint32_t cameraId,
                              std::shared_ptr<AravisCamera>& camera) {
    std::lock_guard lock(mutex_);
    if (host_ == nullptr) return FWC_ERR_NOT_INITIALIZED;
    const auto known = cameras_.find(key.serial);
    if (known != cameras_.end()) {
        if (!directory_->lists(key.serial)) return FWC_ERR_CAMERA_UNPLUGGED;
        camera = known->second;
        return FW_STATUS_OK;
    }
    const std::optional<DirectoryEntry> entry = directory_->entry(key.serial);
    if (!entry) return FWC_ERR_UNKNOWN_CAMERA;
    camera = cameras_[entry->key] = std::make_shared<AravisCamera>(*entry, cameraId, *host_);
    return FW_STATUS_OK;
}

int32_t AravisBus::find(const fwc::BusCameraKey& key, uint32_t cameraId,
                        std::shared_ptr<fwc::BusCamera>& camera) {
    std::shared_ptr<AravisCamera> found;
    const int32_t status = findCamera(key, cameraId, found);
    camera = std::move(found);
    return status;
}

int32_t AravisBus::open(const fwc::BusCameraKey& key, uint32_t cameraId) {
    std::shared_ptr<AravisCamera> camera;
    const int32_t status = findCamera(key, cameraId, camera);
    if (status != FW_STATUS_OK) return status;
    return camera->open(kClaimBusKey);
}

}  // namespace fwaravis
