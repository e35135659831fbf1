#include "dc1394_bus.h"

#include <chrono>
#include <cinttypes>
#include <cstdio>

#include "fw_status.h"

namespace fwdc1394 {
namespace {

// The claims of this bus's cameras, shared by every process that uses it.
constexpr const char* kClaimBusKey = "dc1394";
constexpr auto kWatchInterval = std::chrono::milliseconds(500);

std::string keyOf(uint64_t guid, uint16_t unit) {
    char key[32];
    std::snprintf(key, sizeof key, "%016" PRIx64 ":%u", guid, unsigned{unit});
    return key;
}

// Vendor and model from the camera's configuration ROM, read by opening it briefly.
void readNames(BusContext& context, CameraIdentity& identity) {
    dc1394camera_t* camera = context.openCamera({identity.guid, identity.unit});
    if (camera == nullptr) return;
    identity.vendor = camera->vendor != nullptr ? camera->vendor : "";
    identity.model = camera->model != nullptr ? camera->model : "";
    context.closeCamera(camera);
}

}  // namespace

Dc1394Bus::~Dc1394Bus() { stop(); }

int32_t Dc1394Bus::start(fwc::BusHost& host) {
    std::shared_ptr<BusContext> context = BusContext::create();
    if (!context)
        return host.fail(FWC_ERR_BUS_MODULE,
                         "libdc1394 found neither IEEE 1394 (/dev/fw*) nor USB support");
    std::lock_guard lock(mutex_);
    context_ = std::move(context);
    host_ = &host;
    stopping_ = false;
    present_ = enumerate();
    watcher_ = std::thread([this] { watch(); });
    return FW_STATUS_OK;
}

void Dc1394Bus::stop() {
    std::lock_guard opening(opening_);
    std::map<std::string, std::shared_ptr<Dc1394Camera>> cameras;
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        cameras.swap(cameras_);
    }
    wake_.notify_all();
    if (watcher_.joinable()) watcher_.join();
    for (const auto& [key, camera] : cameras) camera->close();
    cameras.clear();
    std::lock_guard lock(mutex_);
    host_ = nullptr;
    present_.clear();
    context_.reset();
}

std::map<std::string, CameraIdentity> Dc1394Bus::enumerate() {
    std::map<std::string, CameraIdentity> found;
    std::vector<CameraUnit> units;
    if (!context_->enumerate(units)) return present_;
    for (const CameraUnit& id : units) {
        const std::string key = keyOf(id.guid, id.unit);
        const auto known = present_.find(key);
        if (known != present_.end()) {
            found[key] = known->second;
            continue;
        }
        CameraIdentity identity{id.guid, id.unit, {}, {}};
        readNames(*context_, identity);
        found[key] = identity;
    }
    return found;
}

void Dc1394Bus::watch() {
    std::unique_lock lock(mutex_);
    while (!wake_.wait_for(lock, kWatchInterval, [this] { return stopping_; })) {
        std::map<std::string, CameraIdentity> now = enumerate();
        bool changed = now.size() != present_.size();
        for (const auto& [key, identity] : present_) {
            if (now.count(key) != 0) continue;
            changed = true;
            const auto camera = cameras_.find(key);
            if (camera != cameras_.end()) camera->second->markLost();
        }
        present_ = std::move(now);
        if (changed) host_->raiseNodeListChanged();
    }
}

int32_t Dc1394Bus::cameras(std::vector<fwc::BusCameraKey>& keys) {
    std::lock_guard lock(mutex_);
    if (host_ == nullptr) return FWC_ERR_NOT_INITIALIZED;
    keys.clear();
    for (const auto& [key, identity] : present_) keys.push_back({key, 0});
    return FW_STATUS_OK;
}

int32_t Dc1394Bus::findCamera(const fwc::BusCameraKey& key, uint32_t cameraId,
                              std::shared_ptr<Dc1394Camera>& camera) {
    std::lock_guard lock(mutex_);
    if (host_ == nullptr) return FWC_ERR_NOT_INITIALIZED;
    const auto known = cameras_.find(key.serial);
    const auto present = present_.find(key.serial);
    if (present == present_.end())
        return known != cameras_.end() ? FWC_ERR_CAMERA_UNPLUGGED : FWC_ERR_UNKNOWN_CAMERA;
    if (known == cameras_.end() || known->second->gone())
        camera = cameras_[key.serial] =
            std::make_shared<Dc1394Camera>(context_, present->second, cameraId, *host_);
    else
        camera = known->second;
    return FW_STATUS_OK;
}

int32_t Dc1394Bus::find(const fwc::BusCameraKey& key, uint32_t cameraId,
                        std::shared_ptr<fwc::BusCamera>& camera) {
    std::shared_ptr<Dc1394Camera> found;
    const int32_t status = findCamera(key, cameraId, found);
    camera = std::move(found);
    return status;
}

int32_t Dc1394Bus::open(const fwc::BusCameraKey& key, uint32_t cameraId) {
    std::lock_guard opening(opening_);
    std::shared_ptr<Dc1394Camera> camera;
    const int32_t status = findCamera(key, cameraId, camera);
    if (status != FW_STATUS_OK) return status;
    return camera->open(kClaimBusKey);
}

}  // namespace fwdc1394
