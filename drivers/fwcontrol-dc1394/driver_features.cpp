#include "driver_features.h"

#include <chrono>
#include <cstring>
#include <thread>

#include "fwcontrol.h"

namespace fwdc1394 {
namespace {

// A camera writes a memory channel in well under a second.
constexpr auto kMemorySaveLimit = std::chrono::seconds(2);
constexpr auto kMemoryPollInterval = std::chrono::milliseconds(1);
constexpr uint32_t kLastIsoChannel = 63;
// IIDC's CUR_MEM_CH register: the channel in its top four bits.
constexpr uint64_t kCurrentMemoryChannel = 0x624;

fwc::Feature onlyOn(uint32_t id, uint32_t min, uint32_t max, uint32_t value) {
    return fwc::Feature{id, min, max, value, {FWC_STATUS_ON}, FWC_STATUS_ON};
}

}  // namespace

bool hasIsochronousTransport(const char* platform) {
    return platform != nullptr && std::strcmp(platform, "usb") != 0;
}

dc1394error_t inquireDriverFeatures(dc1394camera_t* camera, std::vector<fwc::Feature>& features) {
    if (camera->max_mem_channel > 0) {
        uint32_t channel = 0;
        const dc1394error_t error = readLoadedMemoryChannel(camera, channel);
        if (error != DC1394_SUCCESS) return error;
        fwc::Feature profile =
            onlyOn(kUserProfile, 0, static_cast<uint32_t>(camera->max_mem_channel), channel);
        profile.statuses.push_back(FWC_STATUS_ONE_PUSH);
        features.push_back(profile);
    }
    features.push_back(
        onlyOn(kFrameBufferCount, kMinFrameBuffers, kMaxFrameBuffers, kDefaultFrameBuffers));
    const char* platform = nullptr;
    dc1394error_t error = dc1394_camera_get_platform_string(camera, &platform);
    if (error != DC1394_SUCCESS || !hasIsochronousTransport(platform)) return error;
    dc1394speed_t speed = DC1394_ISO_SPEED_400;
    uint32_t channel = 0;
    error = dc1394_video_get_iso_speed(camera, &speed);
    if (error == DC1394_SUCCESS) error = dc1394_video_get_iso_channel(camera, &channel);
    if (error != DC1394_SUCCESS) return error;
    const dc1394speed_t fastest =
        camera->bmode_capable == DC1394_TRUE ? DC1394_ISO_SPEED_MAX : DC1394_ISO_SPEED_400;
    features.push_back(onlyOn(kPhySpeed, DC1394_ISO_SPEED_MIN, fastest, speed));
    features.push_back(onlyOn(kIsoChannel, 0, kLastIsoChannel, channel));
    return DC1394_SUCCESS;
}

dc1394error_t readLoadedMemoryChannel(dc1394camera_t* camera, uint32_t& channel) {
    uint32_t value = 0;
    const dc1394error_t error = dc1394_get_control_register(camera, kCurrentMemoryChannel, &value);
    channel = value >> 28;
    return error;
}

dc1394error_t saveMemoryChannel(dc1394camera_t* camera, uint32_t channel) {
    dc1394error_t error = dc1394_memory_save(camera, channel);
    const auto deadline = std::chrono::steady_clock::now() + kMemorySaveLimit;
    for (dc1394bool_t busy = DC1394_TRUE; error == DC1394_SUCCESS;) {
        error = dc1394_memory_busy(camera, &busy);
        if (error != DC1394_SUCCESS || busy == DC1394_FALSE) return error;
        if (std::chrono::steady_clock::now() > deadline) return DC1394_FAILURE;
        std::this_thread::sleep_for(kMemoryPollInterval);
    }
    return error;
}

}  // namespace fwdc1394
