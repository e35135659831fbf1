// One open GenICam camera: its features through GenicamAccess, and the stream, whose
// frames are converted into a StreamListener on Aravis's stream thread. The caller
// serialises control calls; streaming runs beside them.
#pragma once

#include <arv.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "frame_drop_counter.h"
#include "genicam_access.h"
#include "pixel_format_map.h"
#include "stream_listener.h"

namespace fwaravis {

class CameraSession {
public:
    // deviceId: an IPv4 address (a GigE Vision camera opened by unicast) or Aravis's device
    // id. A GigE Vision camera another host or process controls: FWC_ERR_CAMERA_BUSY.
    static int32_t open(const std::string& deviceId, std::unique_ptr<CameraSession>& session);
    // Stops the stream and releases the camera (and a GigE Vision camera's control).
    ~CameraSession();
    CameraSession(const CameraSession&) = delete;
    CameraSession& operator=(const CameraSession&) = delete;

    const GenicamAccess& genicam() const { return genicam_; }
    ArvCamera* camera() const { return camera_; }

    // Allocates `buffers` frame buffers once, then starts acquiring: frames go to listener
    // until stopStream. The current pixel format must have a coding.
    int32_t startStream(StreamListener& listener, uint32_t buffers);
    // After it returns no listener call is running or will come. A camera that lost
    // control is not asked to stop.
    void stopStream();
    bool streaming() const { return stream_ != nullptr; }

    // Control lost: every later call fails fast with FWC_ERR_CAMERA_UNPLUGGED.
    void markControlLost();
    bool controlLost() const { return controlLost_.load(); }

private:
    explicit CameraSession(ArvCamera* camera);
    static void onNewBuffer(ArvStream* stream, gpointer self);
    static void onControlLost(ArvDevice* device, gpointer self);
    // On the stream thread, under listenerMutex_.
    void takeBuffer(StreamListener& listener, ArvBuffer* buffer);

    ArvCamera* camera_;
    GenicamAccess genicam_;
    gulong controlLostHandler_ = 0;
    std::atomic<bool> controlLost_{false};

    // Guards the listener and the stream's frame state between the control thread, the
    // stream thread and a lost control.
    std::mutex listenerMutex_;
    StreamListener* listener_ = nullptr;
    ArvStream* stream_ = nullptr;
    gulong newBufferHandler_ = 0;
    // Written before the stream starts, read on its thread only.
    PixelFormatMapping mapping_;
    uint32_t width_ = 0;
    uint32_t height_ = 0;
    FrameDropCounter drops_;
};

}  // namespace fwaravis
