// GigE Vision cameras at known addresses: the list a user names, and one unicast
// discovery request per camera, which tells whether it answers and who it is. Nothing is
// broadcast, so cameras on routed subnets are found and no other host is disturbed.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace fwaravis {

struct GigeCameraInfo {
    std::string address;
    std::string vendor;
    std::string model;
    std::string serial;
};

// Comma-separated IPv4 addresses (spaces allowed); entries that are not addresses are
// left out and named in `refused`.
std::vector<std::string> parseCameraAddresses(const std::string& list,
                                              std::vector<std::string>& refused);

// Nothing when the camera does not answer within the timeout. Blocks: call it from a
// worker thread.
std::optional<GigeCameraInfo> probeGigeCamera(const std::string& address,
                                              std::chrono::milliseconds timeout);

}  // namespace fwaravis
