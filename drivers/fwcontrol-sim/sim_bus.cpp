#include "sim_bus.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "bus_description.h"
#include "default_bus.h"
#include "fw_status.h"
#include "error_info.h"
#include "failure_injection.h"

namespace fwc {

namespace {

SimBus* busInstance = nullptr;

// A process that exits without FWC_Release keeps its bus, so its acquisition threads
// never meet a destroyed one; a stopped bus is freed when the library is unloaded, so a
// host that loads and unloads it leaks nothing.
struct BusReclaimer {
    ~BusReclaimer() {
        if (busInstance != nullptr && busInstance->stopped()) delete busInstance;
    }
} busReclaimer;

}  // namespace

SimBus& theSimBus() {
    static SimBus* const bus = busInstance = new SimBus;
    return *bus;
}

bool SimBus::stopped() {
    std::lock_guard lock(mutex_);
    return host_ == nullptr;
}

// FWCONTROL_SIM_BUS names the description file; without it the default bus is used.
// FWCONTROL_SIM_NAMESPACE, when set, further separates the exclusivity namespace.
int32_t SimBus::readDescription(std::vector<CameraDescription>& cameras, std::string& busKey,
                                std::string& text) {
    const char* path = std::getenv("FWCONTROL_SIM_BUS");
    const char* space = std::getenv("FWCONTROL_SIM_NAMESPACE");
    const std::string spaceSuffix = space != nullptr ? std::string("|") + space : "";
    std::string error;
    if (path == nullptr || *path == '\0') {
        busKey = "default bus" + spaceSuffix;
        text = defaultBusDescription();
        if (!parseBusDescription(text, cameras, error))
            return failWithDetail(FWC_ERR_BUS_DESCRIPTION, "built-in bus: " + error);
        return FW_STATUS_OK;
    }
    std::ifstream file(path, std::ios::binary);
    std::stringstream content;
    content << file.rdbuf();
    if (!file)
        return failWithDetail(FWC_ERR_BUS_DESCRIPTION, std::string(path) + ": cannot be read");
    text = content.str();
    if (!parseBusDescription(text, cameras, error))
        return failWithDetail(FWC_ERR_BUS_DESCRIPTION, std::string(path) + ": " + error);
    std::error_code ignored;
    const std::filesystem::path canonical = std::filesystem::weakly_canonical(path, ignored);
    busKey = "file " + (canonical.empty() ? std::string(path) : canonical.string()) + spaceSuffix;
    return FW_STATUS_OK;
}

int32_t SimBus::start(BusHost& host) {
    std::lock_guard lock(mutex_);
    std::vector<CameraDescription> cameras;
    std::string busKey;
    std::string text;
    const int32_t status = readDescription(cameras, busKey, text);
    if (status != FW_STATUS_OK) return status;
    described_ = std::move(cameras);
    stateStore_ = std::make_shared<CameraStateStore>(busKey, text);
    busKey_ = std::move(busKey);
    host_ = &host;
    populate();
    return FW_STATUS_OK;
}

void SimBus::populate() {
    cameras_.clear();
    unplugged_.clear();
    for (const CameraDescription& description : described_)
        cameras_.push_back(std::make_shared<SimCamera>(description, *host_, stateStore_));
}

std::vector<std::shared_ptr<SimCamera>> SimBus::takeCameras() {
    std::vector<std::shared_ptr<SimCamera>> taken;
    taken.swap(cameras_);
    return taken;
}

void SimBus::stop() {
    std::vector<std::shared_ptr<SimCamera>> cameras;
    {
        std::lock_guard lock(mutex_);
        cameras = takeCameras();
        unplugged_.clear();
        described_.clear();
        stateStore_.reset();
        busKey_.clear();
        host_ = nullptr;
    }
    for (const auto& camera : cameras) camera->shutDown();
}

int32_t SimBus::findCamera(uint32_t cameraId, std::shared_ptr<SimCamera>& camera) {
    std::lock_guard lock(mutex_);
    if (host_ == nullptr) return FWC_ERR_NOT_INITIALIZED;
    for (const auto& candidate : cameras_) {
        if (candidate->id() == cameraId) {
            camera = candidate;
            return FW_STATUS_OK;
        }
    }
    return unplugged_.count(cameraId) != 0 ? FWC_ERR_CAMERA_UNPLUGGED : FWC_ERR_UNKNOWN_CAMERA;
}

int32_t SimBus::find(const BusCameraKey& key, uint32_t /*cameraId*/,
                     std::shared_ptr<BusCamera>& camera) {
    std::shared_ptr<SimCamera> found;
    const int32_t status = findCamera(key.fixedId, found);
    camera = std::move(found);
    return status;
}

int32_t SimBus::open(const BusCameraKey& key, uint32_t /*cameraId*/) {
    std::shared_ptr<SimCamera> camera;
    const int32_t status = findCamera(key.fixedId, camera);
    if (status != FW_STATUS_OK) return status;
    std::string busKey;
    {
        std::lock_guard lock(mutex_);
        busKey = busKey_;
    }
    return camera->open(busKey);
}

int32_t SimBus::cameras(std::vector<BusCameraKey>& keys) {
    std::lock_guard lock(mutex_);
    if (host_ == nullptr) return FWC_ERR_NOT_INITIALIZED;
    keys.clear();
    for (const auto& camera : cameras_)
        keys.push_back({std::to_string(camera->id()), camera->id()});
    return FW_STATUS_OK;
}

uint32_t SimBus::plug(const char* cameraJson) {
    if (cameraJson == nullptr) return 0;
    CameraDescription description;
    std::string error;
    if (!parseCameraDescription(cameraJson, description, error)) {
        failWithDetail(FWC_ERR_BUS_DESCRIPTION, "plugged camera: " + error);
        return 0;
    }
    std::lock_guard lock(mutex_);
    if (host_ == nullptr || cameras_.size() >= FWC_MAX_CAMERAS) return 0;
    const auto taken = [&](uint32_t id) {
        return std::any_of(cameras_.begin(), cameras_.end(),
                           [&](const auto& camera) { return camera->id() == id; });
    };
    if (description.id == 0) {
        uint32_t id = 1;
        while (taken(id) || unplugged_.count(id) != 0) ++id;
        description.id = id;
    } else if (taken(description.id)) {
        failWithDetail(FWC_ERR_BUS_DESCRIPTION, "plugged camera: id already on the bus");
        return 0;
    }
    unplugged_.erase(description.id);
    cameras_.push_back(std::make_shared<SimCamera>(std::move(description), *host_));
    host_->raiseNodeListChanged();
    return cameras_.back()->id();
}

int32_t SimBus::unplug(uint32_t cameraId) {
    std::shared_ptr<SimCamera> camera;
    {
        std::lock_guard lock(mutex_);
        if (host_ == nullptr) return FWC_ERR_NOT_INITIALIZED;
        const auto found = std::find_if(cameras_.begin(), cameras_.end(),
                                        [&](const auto& c) { return c->id() == cameraId; });
        if (found == cameras_.end()) {
            return unplugged_.count(cameraId) != 0 ? FWC_ERR_CAMERA_UNPLUGGED
                                                   : FWC_ERR_UNKNOWN_CAMERA;
        }
        camera = *found;
        cameras_.erase(found);
        unplugged_.insert(cameraId);
    }
    camera->shutDown();
    std::lock_guard lock(mutex_);
    if (host_ != nullptr) host_->raiseNodeListChanged();
    return FW_STATUS_OK;
}

int32_t SimBus::raiseEvent(uint32_t cameraId, uint32_t kind) {
    if (kind != FWC_NOTIFY_FRAME_DROPPED && kind != FWC_NOTIFY_ERROR)
        return FWC_ERR_NOTIFICATION_KIND;
    std::shared_ptr<SimCamera> camera;
    const int32_t status = findCamera(cameraId, camera);
    if (status != FW_STATUS_OK) return status;
    std::lock_guard lock(mutex_);
    if (host_ != nullptr) host_->raise(cameraId, kind);
    return FW_STATUS_OK;
}

int32_t SimBus::reset() {
    clearInjectedFailures();
    std::vector<std::shared_ptr<SimCamera>> old;
    {
        std::lock_guard lock(mutex_);
        if (host_ == nullptr) return FWC_ERR_NOT_INITIALIZED;
        old = takeCameras();
    }
    for (const auto& camera : old) camera->shutDown();
    std::lock_guard lock(mutex_);
    // The cameras start afresh, here and in every process that opens them next.
    if (stateStore_)
        for (const CameraDescription& description : described_) stateStore_->forget(description.id);
    if (host_ != nullptr) {
        populate();
        host_->raiseNodeListChanged();
    }
    return FW_STATUS_OK;
}

}  // namespace fwc
