#include "camera_buses.h"

#include <algorithm>
#include <set>

#include "bus_module.h"
#include "bus_selection.h"
#include "error_info.h"
#include "fw_status.h"
#include "sim_bus.h"

namespace fwc {

namespace {

CameraBuses* busesInstance = nullptr;

// A process that exits without FWC_Release keeps its buses, so their threads and the
// notification thread never meet destroyed ones; released buses are freed when the
// library is unloaded, so a host that loads and unloads it leaks nothing.
struct BusesReclaimer {
    ~BusesReclaimer() {
        if (busesInstance != nullptr && busesInstance->released()) delete busesInstance;
    }
} busesReclaimer;

}  // namespace

CameraBuses& theBuses() {
    static CameraBuses* const buses = busesInstance = new CameraBuses;
    return *buses;
}

bool CameraBuses::released() {
    std::lock_guard lock(mutex_);
    return initCount_ == 0;
}

int32_t CameraBuses::init() {
    std::lock_guard lock(mutex_);
    if (initCount_ > 0) {
        ++initCount_;
        return FW_STATUS_OK;
    }
    std::vector<std::string> names;
    if (const int32_t status = selectedBuses(libraryFolder(), names)) return status;
    auto hub = std::make_shared<NotificationHub>();
    if (const int32_t status = startBuses(names)) return status;
    // Raises before this have no registration to reach.
    std::lock_guard hubLock(hubMutex_);
    hub_ = std::move(hub);
    initCount_ = 1;
    return FW_STATUS_OK;
}

int32_t CameraBuses::startBuses(const std::vector<std::string>& names) {
    for (const std::string& name : names) {
        ActiveBus active{name, nullptr};
        if (name == "sim") {
            active.bus = std::shared_ptr<Bus>(&theSimBus(), [](Bus*) {});
        } else {
            std::unique_ptr<Bus> loaded;
            if (const int32_t status = loadBusModule(name, loaded)) {
                stopBuses();
                return status;
            }
            active.bus = std::move(loaded);
        }
        if (const int32_t status = active.bus->start(*this)) {
            stopBuses();
            return status;
        }
        buses_.push_back(std::move(active));
    }
    return FW_STATUS_OK;
}

// Called with mutex_ held: a bus's stop joins only its own threads, which take no lock
// but the hub's, so callbacks that call in meanwhile wait and then find no bus.
void CameraBuses::stopBuses() {
    for (ActiveBus& active : buses_) active.bus->stop();
    buses_.clear();
    routes_.clear();
}

int32_t CameraBuses::release() {
    std::shared_ptr<NotificationHub> hub;
    {
        std::lock_guard lock(mutex_);
        if (initCount_ == 0) return FWC_ERR_NOT_INITIALIZED;
        if (initCount_ == 1 && hub_->onDispatcherThread()) {
            return failWithDetail(FWC_ERR_INVALID_ARGUMENT,
                                  "the last FWC_Release cannot run inside a notification callback");
        }
        if (--initCount_ > 0) return FW_STATUS_OK;
        stopBuses();
        std::lock_guard hubLock(hubMutex_);
        hub = std::move(hub_);
    }
    hub.reset();  // joins the notification thread, which may be waiting for mutex_
    return FW_STATUS_OK;
}

int32_t CameraBuses::refreshRoutesLocked() {
    std::vector<Route> routes;
    std::vector<BusCameraKey> keys;
    std::set<uint32_t> fixedIds;
    std::vector<std::string> idKeys;
    for (size_t index = 0; index < buses_.size(); ++index) {
        if (const int32_t status = buses_[index].bus->cameras(keys)) return status;
        for (BusCameraKey& key : keys) {
            if (key.fixedId != 0)
                fixedIds.insert(key.fixedId);
            else
                idKeys.push_back(buses_[index].name + ":" + key.serial);
            routes.push_back({key.fixedId, index, std::move(key)});
        }
    }
    const std::vector<uint32_t> ids = ids_.assign(idKeys, fixedIds);
    auto next = ids.begin();
    for (Route& route : routes)
        if (route.cameraId == 0) route.cameraId = *next++;
    routes_ = std::move(routes);
    return FW_STATUS_OK;
}

const CameraBuses::Route* CameraBuses::routeLocked(uint32_t cameraId) {
    const auto found = std::find_if(routes_.begin(), routes_.end(),
                                    [&](const Route& route) { return route.cameraId == cameraId; });
    return found == routes_.end() ? nullptr : &*found;
}

const CameraBuses::Route* CameraBuses::findRouteLocked(uint32_t cameraId, int32_t& status) {
    status = FW_STATUS_OK;
    if (initCount_ == 0) {
        status = FWC_ERR_NOT_INITIALIZED;
        return nullptr;
    }
    if (const Route* route = routeLocked(cameraId)) return route;
    if ((status = refreshRoutesLocked()) != FW_STATUS_OK) return nullptr;
    if (const Route* route = routeLocked(cameraId)) return route;
    // Gone: the bus that had the camera tells it apart from an id never seen.
    status = FWC_ERR_UNKNOWN_CAMERA;
    std::shared_ptr<BusCamera> ignored;
    for (const ActiveBus& active : buses_) {
        const int32_t verdict = active.bus->find({std::string(), cameraId}, cameraId, ignored);
        if (verdict != FWC_ERR_UNKNOWN_CAMERA && verdict != FW_STATUS_OK) {
            status = verdict;
            break;
        }
    }
    return nullptr;
}

int32_t CameraBuses::cameraIds(uint32_t& count, uint32_t* ids) {
    std::lock_guard lock(mutex_);
    if (initCount_ == 0) return FWC_ERR_NOT_INITIALIZED;
    if (const int32_t status = refreshRoutesLocked()) return status;
    const uint32_t delivered = std::min<uint32_t>(count, static_cast<uint32_t>(routes_.size()));
    for (uint32_t i = 0; i < delivered; ++i) ids[i] = routes_[i].cameraId;
    count = delivered;
    return FW_STATUS_OK;
}

int32_t CameraBuses::findCamera(uint32_t cameraId, std::shared_ptr<BusCamera>& camera) {
    std::lock_guard lock(mutex_);
    int32_t status = FW_STATUS_OK;
    const Route* route = findRouteLocked(cameraId, status);
    if (route == nullptr) return status;
    return buses_[route->bus].bus->find(route->key, cameraId, camera);
}

// Opening may take a real camera a while: the other cameras' calls go on meanwhile.
int32_t CameraBuses::openCamera(uint32_t cameraId) {
    std::shared_ptr<Bus> bus;
    BusCameraKey key;
    {
        std::lock_guard lock(mutex_);
        int32_t status = FW_STATUS_OK;
        const Route* route = findRouteLocked(cameraId, status);
        if (route == nullptr) return status;
        bus = buses_[route->bus].bus;
        key = route->key;
    }
    return bus->open(key, cameraId);
}

std::shared_ptr<NotificationHub> CameraBuses::hub() {
    std::lock_guard lock(hubMutex_);
    return hub_;
}

int32_t CameraBuses::addNotification(uint32_t kind, const FWC_NOTIFICATION& descriptor,
                                     FWC_HANDLE& handle) {
    const std::shared_ptr<NotificationHub> current = hub();
    if (!current) return FWC_ERR_NOT_INITIALIZED;
    return current->add(kind, descriptor, handle);
}

int32_t CameraBuses::removeNotification(FWC_HANDLE handle) {
    const std::shared_ptr<NotificationHub> current = hub();
    if (!current) return FWC_ERR_NOT_INITIALIZED;
    return current->remove(handle);
}

void CameraBuses::raise(uint32_t cameraId, uint32_t kind) {
    std::lock_guard lock(hubMutex_);
    if (hub_) hub_->raise(cameraId, kind);
}

void CameraBuses::raiseNodeListChanged() {
    std::lock_guard lock(hubMutex_);
    if (hub_) hub_->raiseNodeListChanged();
}

int32_t CameraBuses::fail(int32_t status, const std::string& detail) {
    return failWithDetail(status, detail);
}

}  // namespace fwc
