// Claims are named kernel events, one per camera of a bus: the process that creates the
// event holds the claim, and a process that finds it existing sees the camera busy. The
// kernel destroys the event when its last handle closes, so a released claim or a dead
// holder frees the camera, and unlike a mutex the claim belongs to no thread: the camera
// may be closed on another thread than the one that opened it.
#include <string>

#include <windows.h>

#include "camera_claim.h"
#include "fw_status.h"

namespace fwc {
namespace {

class EventClaim : public CameraClaim {
public:
    explicit EventClaim(HANDLE event) : event_(event) {}
    ~EventClaim() override { CloseHandle(event_); }
    EventClaim(const EventClaim&) = delete;
    EventClaim& operator=(const EventClaim&) = delete;

private:
    HANDLE event_;
};

std::string claimName(const std::string& busKey, uint32_t cameraId) {
    return "fwcontrol-sim-" + claimNamespace(busKey) + "-camera-" + std::to_string(cameraId);
}

}  // namespace

std::unique_ptr<CameraClaim> claimCamera(const std::string& busKey, uint32_t cameraId,
                                         int32_t& status) {
    HANDLE event = CreateEventA(nullptr, TRUE, FALSE, claimName(busKey, cameraId).c_str());
    if (event == nullptr) {
        status = FWC_ERR_RESOURCES;
        return nullptr;
    }
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(event);
        status = FWC_ERR_CAMERA_BUSY;
        return nullptr;
    }
    status = FW_STATUS_OK;
    return std::make_unique<EventClaim>(event);
}

// A folder of the temporary directory named like the bus's claims.
std::string sharedBusFolder(const std::string& busKey) {
    char temporary[MAX_PATH + 1];
    const DWORD length = GetTempPathA(sizeof temporary, temporary);
    if (length == 0 || length > MAX_PATH) return "";
    const std::string folder = std::string(temporary) + "fwcontrol-sim-" + claimNamespace(busKey);
    if (!CreateDirectoryA(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
        return "";
    return folder;
}

}  // namespace fwc
