// The camera's memory channels and the driver settings libdc1394 can honour, offered as
// FWC features beside IIDC's 256-266:
// - USERPROFILE (540): the memory channel last loaded, 0 (factory settings) to the
//   camera's last channel; writing a channel loads it, one-push saves the present
//   settings into the channel last loaded (not into 0).
// - FRAMEBUFFERCOUNT (1026): libdc1394's DMA buffers at the next capture setup.
// - PHYSPEED (1025): the isochronous speed, 0 = 100 Mb/s to 2 = 400 Mb/s (to 5 = 3200 Mb/s
//   on an IEEE 1394b camera); ISOCHANNEL (1032): the isochronous channel 0-63, which
//   capture then uses instead of allocating one. USB cameras send no isochronous
//   packets: they lack both.
// Every one of them has the status on only, USERPROFILE also one-push.
#pragma once

#include <dc1394/dc1394.h>

#include <cstdint>
#include <vector>

#include "camera_description.h"

namespace fwdc1394 {

constexpr uint32_t kUserProfile = 540;
constexpr uint32_t kPhySpeed = 1025;
constexpr uint32_t kFrameBufferCount = 1026;
constexpr uint32_t kIsoChannel = 1032;

// At least three DMA buffers: the newest frame stays in one until a newer one replaces it,
// so that one can fill while another completes.
constexpr uint32_t kMinFrameBuffers = 3;
constexpr uint32_t kDefaultFrameBuffers = 8;
constexpr uint32_t kMaxFrameBuffers = 64;

// platform: dc1394_camera_get_platform_string's ("juju", "linux", "usb", "macosx").
bool hasIsochronousTransport(const char* platform);

// Appends the features above that the camera has, with their present values.
dc1394error_t inquireDriverFeatures(dc1394camera_t* camera, std::vector<fwc::Feature>& features);

// The memory channel the camera last loaded (libdc1394 2.2 has no call for it).
dc1394error_t readLoadedMemoryChannel(dc1394camera_t* camera, uint32_t& channel);

// Saves the present settings into channel and waits until the camera has written them.
dc1394error_t saveMemoryChannel(dc1394camera_t* camera, uint32_t channel);

}  // namespace fwdc1394
