// The GenICam cameras present now, kept up to date on a worker thread of its own: with
// FWCONTROL_GIGE_CAMERAS, the named GigE Vision cameras by unicast discovery; without it,
// every camera Aravis discovers (its GigE Vision discovery broadcasts and takes 1 s).
// The same worker checks liveness: a camera that stops answering is reported, so that
// its calls fail at once instead of each waiting for Aravis's timeouts.
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace fwaravis {

struct DirectoryEntry {
    std::string key;       // "<protocol>:<serial>", stable across runs
    std::string deviceId;  // what CameraSession::open takes: an address or Aravis's id
    std::string vendor;
    std::string model;
};

class CameraDirectory {
public:
    // Called on the worker thread: the list changed, or cameras stopped answering (keys).
    using ChangeHandler = std::function<void(const std::vector<std::string>& gone)>;

    // addresses: the named cameras; empty: Aravis's discovery. The first scan is done
    // when the constructor returns.
    CameraDirectory(std::vector<std::string> addresses, ChangeHandler onChange);
    // Joins the worker.
    ~CameraDirectory();
    CameraDirectory(const CameraDirectory&) = delete;
    CameraDirectory& operator=(const CameraDirectory&) = delete;

    // At once: the last scan's cameras.
    std::vector<DirectoryEntry> entries();
    // At once: whether the last scan found the camera of `key`. Allocates nothing: every
    // call of the library on a camera asks.
    bool lists(const std::string& key);
    // At once: the last scan's entry of `key`, if it found that camera.
    std::optional<DirectoryEntry> entry(const std::string& key);

private:
    const DirectoryEntry* findLocked(const std::string& key) const;
    std::vector<DirectoryEntry> scan();
    std::vector<DirectoryEntry> scanAddresses();
    std::vector<DirectoryEntry> scanDiscovered();
    void run();

    const std::vector<std::string> addresses_;
    const ChangeHandler onChange_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stopping_ = false;
    std::vector<DirectoryEntry> entries_;
    std::thread worker_;
};

}  // namespace fwaravis
