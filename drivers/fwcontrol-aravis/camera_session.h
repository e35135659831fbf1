// One open GenICam camera: its features through GenicamAccess, and the stream, whose
// complete frames become the StreamListener's newest frame on Aravis's stream thread,
// still in Aravis's buffers. The caller
// serialises control calls; streaming runs beside them.
#pragma once

#include <arv.h>

#include <cstdint>
#include <memory>
#include <string>

#include "genicam_access.h"
#include "stream_listener.h"

namespace fwaravis {

class CameraSession {
public:
    // deviceId: an IPv4 address (a GigE Vision camera opened by unicast) or Aravis's device
    // id. A GigE Vision camera another host or process controls: FWC_ERR_CAMERA_BUSY.
    static int32_t open(const std::string& deviceId, std::unique_ptr<CameraSession>& session);
    // Stops the stream and releases the camera (and a GigE Vision camera's control). A
    // camera that lost control is released on a thread of its own, as each of Aravis's
    // last requests to it waits for its timeout.
    ~CameraSession();
    CameraSession(const CameraSession&) = delete;
    CameraSession& operator=(const CameraSession&) = delete;

    const GenicamAccess& genicam() const { return genicam_; }
    ArvCamera* camera() const { return camera_; }

    // Allocates `buffers` frame buffers once, then acquires continuously: frames go to
    // listener until stopStream. The listener's newest frame holds up to two of the buffers. The pixel format must have a coding.
    int32_t startStream(StreamListener& listener, uint32_t buffers);
    // After it returns no listener call is running or will come. A camera that lost
    // control is not asked to stop.
    void stopStream();
    bool streaming() const { return stream_ != nullptr; }

    // Control lost: every later call fails fast with FWC_ERR_CAMERA_UNPLUGGED.
    void markControlLost();
    bool controlLost() const;

    // What Aravis's threads share with the session; outlives it while a signal can come.
    struct SharedState;

private:
    explicit CameraSession(ArvCamera* camera);

    ArvCamera* camera_;
    GenicamAccess genicam_;
    std::shared_ptr<SharedState> shared_;
    gulong controlLostHandler_ = 0;
    ArvStream* stream_ = nullptr;
    gulong newBufferHandler_ = 0;
    NewestFrame* newestFrame_ = nullptr;  // the streaming listener's
    // The stream of a camera that lost control, stopped without asking the camera.
    ArvStream* lostStream_ = nullptr;
};

}  // namespace fwaravis
