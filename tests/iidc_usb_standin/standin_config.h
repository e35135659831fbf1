// What the virtual cameras are and which faults they show, read from the environment and
// from a small text file that another process may rewrite at any time.
//
// IIDC_STANDIN_CAMERAS=N   number of cameras when there is no file (default 1)
// IIDC_STANDIN_CONFIG=PATH a file of lines "key value" or "camera INDEX key value":
//   cameras N                     number of cameras
//   session N                     a new value power-cycles every camera: factory settings,
//                                 and earlier devices and handles stop working
//   camera I vendor TEXT          vendor name leaf of the configuration ROM
//   camera I model TEXT           model name leaf
//   camera I guid HEX             64-bit GUID (default 0012345600000001 + I)
//   camera I unplugged 0|1        gone from the bus: every call on it fails
//   camera I drop_every K         every K-th frame is lost before it reaches the host
//   camera I short_every K        every K-th frame arrives short (a corrupt frame)
//   camera I frame_interval_us U  frame period instead of the one of the video mode
//   camera I max_transfers K      a host controller short of resources: a bulk transfer
//                                 submitted while K are queued fails (0: no limit)
// Lines starting with '#' are comments. The file is read again whenever it changes
// (rewrite it by renaming a new file over it, so that a reader never sees half of it).
#pragma once

#include <sys/stat.h>

#include <cstdint>
#include <string>
#include <vector>

namespace iidc_standin {

struct CameraConfig {
    std::string vendor;
    std::string model;
    uint64_t guid = 0;
    bool unplugged = false;
    uint32_t dropEvery = 0;
    uint32_t shortEvery = 0;
    uint32_t frameIntervalUs = 0;
    uint32_t maxTransfers = 0;
};

struct StandinConfig {
    std::vector<CameraConfig> cameras;
    uint32_t session = 0;
};

CameraConfig defaultCameraConfig(uint32_t index);

// Watches the file named by IIDC_STANDIN_CONFIG. Every libusb call asks it, so an
// unchanged file costs one stat, not a read.
class ConfigSource {
public:
    ConfigSource();
    // Reads the configuration again when the file changed; true when it did.
    bool refresh();
    const StandinConfig& current() const { return config_; }

private:
    // The file as last read, by what stat tells of it.
    bool unchangedSinceRead(const struct stat& now) const;

    std::string path_;
    std::string lastContent_;
    struct stat lastRead_ {};
    bool haveRead_ = false;
    StandinConfig config_;
};

}  // namespace iidc_standin
