#include "bus_context.h"

#include <algorithm>

namespace fwdc1394 {

std::shared_ptr<BusContext> BusContext::create() {
    dc1394_t* handle = dc1394_new();
    if (handle == nullptr) return nullptr;
    return std::shared_ptr<BusContext>(new BusContext(handle));
}

BusContext::~BusContext() { dc1394_free(handle_); }

bool BusContext::enumerate(std::vector<CameraUnit>& units) {
    std::lock_guard lock(mutex_);
    dc1394camera_list_t* list = nullptr;
    if (dc1394_camera_enumerate(handle_, &list) != DC1394_SUCCESS || list == nullptr) return false;
    units.clear();
    for (uint32_t index = 0; index < list->num; ++index)
        units.push_back({list->ids[index].guid, list->ids[index].unit});
    dc1394_camera_free_list(list);
    return true;
}

bool BusContext::present(const CameraUnit& camera) {
    std::vector<CameraUnit> units;
    return enumerate(units) && std::any_of(units.begin(), units.end(), [&](const CameraUnit& unit) {
               return unit.guid == camera.guid && unit.unit == camera.unit;
           });
}

dc1394camera_t* BusContext::openCamera(const CameraUnit& camera) {
    std::lock_guard lock(mutex_);
    return dc1394_camera_new_unit(handle_, camera.guid, camera.unit);
}

void BusContext::closeCamera(dc1394camera_t* camera) {
    std::lock_guard lock(mutex_);
    dc1394_camera_free(camera);
}

}  // namespace fwdc1394
