#include "camera_directory.h"

#include <arv.h>

#include <algorithm>

#include "gige_probe.h"

namespace fwaravis {
namespace {

using namespace std::chrono_literals;

// Named cameras answer within milliseconds; a silent one costs this once per scan.
constexpr auto kProbeTimeout = 300ms;
constexpr auto kAddressScanPeriod = 1s;
// Aravis's discovery waits 1 s for answers each time.
constexpr auto kDiscoveryPeriod = 5s;

std::string text(const char* value) { return value != nullptr ? value : ""; }

std::vector<std::string> keysOf(const std::vector<DirectoryEntry>& entries) {
    std::vector<std::string> keys;
    for (const DirectoryEntry& entry : entries) keys.push_back(entry.key);
    return keys;
}

}  // namespace

CameraDirectory::CameraDirectory(std::vector<std::string> addresses, ChangeHandler onChange)
    : addresses_(std::move(addresses)), onChange_(std::move(onChange)), entries_(scan()) {
    worker_ = std::thread([this] { run(); });
}

CameraDirectory::~CameraDirectory() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    worker_.join();
}

std::vector<DirectoryEntry> CameraDirectory::entries() {
    std::lock_guard lock(mutex_);
    return entries_;
}

const DirectoryEntry* CameraDirectory::findLocked(const std::string& key) const {
    const auto found = std::find_if(entries_.begin(), entries_.end(),
                                    [&](const DirectoryEntry& entry) { return entry.key == key; });
    return found != entries_.end() ? &*found : nullptr;
}

bool CameraDirectory::lists(const std::string& key) {
    std::lock_guard lock(mutex_);
    return findLocked(key) != nullptr;
}

std::optional<DirectoryEntry> CameraDirectory::entry(const std::string& key) {
    std::lock_guard lock(mutex_);
    const DirectoryEntry* found = findLocked(key);
    return found != nullptr ? std::optional<DirectoryEntry>(*found) : std::nullopt;
}

std::vector<DirectoryEntry> CameraDirectory::scan() {
    return addresses_.empty() ? scanDiscovered() : scanAddresses();
}

std::vector<DirectoryEntry> CameraDirectory::scanAddresses() {
    std::vector<DirectoryEntry> found;
    for (const std::string& address : addresses_) {
        const auto info = probeGigeCamera(address, kProbeTimeout);
        if (!info) continue;
        const std::string serial = info->serial.empty() ? address : info->serial;
        found.push_back({"GigEVision:" + serial, address, info->vendor, info->model});
    }
    return found;
}

std::vector<DirectoryEntry> CameraDirectory::scanDiscovered() {
    arv_update_device_list();
    std::vector<DirectoryEntry> found;
    for (unsigned int index = 0; index < arv_get_n_devices(); ++index) {
        found.push_back(
            {text(arv_get_device_protocol(index)) + ":" + text(arv_get_device_serial_nbr(index)),
             text(arv_get_device_id(index)), text(arv_get_device_vendor(index)),
             text(arv_get_device_model(index))});
    }
    return found;
}

void CameraDirectory::run() {
    const auto period = addresses_.empty() ? std::chrono::milliseconds(kDiscoveryPeriod)
                                           : std::chrono::milliseconds(kAddressScanPeriod);
    std::unique_lock lock(mutex_);
    while (!wake_.wait_for(lock, period, [this] { return stopping_; })) {
        lock.unlock();
        std::vector<DirectoryEntry> found = scan();
        lock.lock();
        if (stopping_) return;
        const std::vector<std::string> before = keysOf(entries_);
        const std::vector<std::string> now = keysOf(found);
        if (before == now) continue;
        std::vector<std::string> gone;
        for (const std::string& key : before)
            if (std::find(now.begin(), now.end(), key) == now.end()) gone.push_back(key);
        entries_ = std::move(found);
        lock.unlock();
        onChange_(gone);
        lock.lock();
    }
}

}  // namespace fwaravis
