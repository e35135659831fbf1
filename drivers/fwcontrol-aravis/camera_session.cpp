#include "camera_session.h"

#include <arpa/inet.h>

#include "frame_conversion.h"
#include "fw_status.h"

namespace fwaravis {
namespace {

bool isIpv4Address(const std::string& text) {
    in_addr parsed{};
    return inet_pton(AF_INET, text.c_str(), &parsed) == 1;
}

// GigE Vision: large packets where the path allows them (the loopback does), receive
// buffers sized by Aravis to the frame.
void tuneGigeStream(ArvCamera* camera) {
    GError* error = nullptr;
    arv_camera_gv_auto_packet_size(camera, &error);
    statusFromError(error);
}

}  // namespace

CameraSession::CameraSession(ArvCamera* camera)
    : camera_(camera), genicam_(arv_camera_get_device(camera)) {
    // Aravis writes any value; out-of-range writes would reach the camera unchecked.
    arv_camera_set_range_check_policy(camera_, ARV_RANGE_CHECK_POLICY_ENABLE);
    controlLostHandler_ = g_signal_connect(arv_camera_get_device(camera_), "control-lost",
                                           G_CALLBACK(onControlLost), this);
}

int32_t CameraSession::open(const std::string& deviceId, std::unique_ptr<CameraSession>& session) {
    GError* error = nullptr;
    ArvCamera* camera = arv_camera_new(deviceId.c_str(), &error);
    if (camera == nullptr) {
        const int32_t status = statusFromError(error);
        return status == FWC_ERR_RESOURCES ? FWC_ERR_CAMERA_UNPLUGGED : status;
    }
    if (error != nullptr) g_error_free(error);
    ArvDevice* device = arv_camera_get_device(camera);
    if (ARV_IS_GV_DEVICE(device) && !arv_gv_device_is_controller(ARV_GV_DEVICE(device))) {
        g_object_unref(camera);
        return FWC_ERR_CAMERA_BUSY;
    }
    if (isIpv4Address(deviceId)) tuneGigeStream(camera);
    session.reset(new CameraSession(camera));
    return FW_STATUS_OK;
}

CameraSession::~CameraSession() {
    stopStream();
    g_signal_handler_disconnect(arv_camera_get_device(camera_), controlLostHandler_);
    g_object_unref(camera_);
}

void CameraSession::markControlLost() {
    if (controlLost_.exchange(true)) return;
    std::lock_guard lock(listenerMutex_);
    if (listener_ != nullptr) listener_->controlLost();
}

void CameraSession::onControlLost(ArvDevice*, gpointer self) {
    static_cast<CameraSession*>(self)->markControlLost();
}

int32_t CameraSession::startStream(StreamListener& listener, uint32_t buffers) {
    if (controlLost()) return FWC_ERR_CAMERA_UNPLUGGED;
    if (stream_ != nullptr) return FWC_ERR_ACQUISITION_RUNNING;
    GError* error = nullptr;
    const ArvPixelFormat format = arv_camera_get_pixel_format(camera_, &error);
    gint x = 0, y = 0, width = 0, height = 0;
    if (error == nullptr) arv_camera_get_region(camera_, &x, &y, &width, &height, &error);
    const guint payload = error == nullptr ? arv_camera_get_payload(camera_, &error) : 0;
    if (error != nullptr) return statusFromError(error);
    const auto mapping = mapPixelFormat(format);
    if (!mapping) return FWC_ERR_CODING_UNSUPPORTED;
    mapping_ = *mapping;
    width_ = static_cast<uint32_t>(width);
    height_ = static_cast<uint32_t>(height);
    drops_.reset();

    ArvStream* stream = arv_camera_create_stream(camera_, nullptr, nullptr, &error);
    if (stream == nullptr) return statusFromError(error);
    if (ARV_IS_GV_STREAM(stream))
        g_object_set(stream, "socket-buffer", ARV_GV_STREAM_SOCKET_BUFFER_AUTO, nullptr);
    for (uint32_t index = 0; index < buffers; ++index)
        arv_stream_push_buffer(stream, arv_buffer_new_allocate(payload));
    {
        std::lock_guard lock(listenerMutex_);
        listener_ = &listener;
    }
    stream_ = stream;
    newBufferHandler_ = g_signal_connect(stream_, "new-buffer", G_CALLBACK(onNewBuffer), this);
    arv_stream_set_emit_signals(stream_, TRUE);
    arv_camera_set_acquisition_mode(camera_, ARV_ACQUISITION_MODE_CONTINUOUS, &error);
    if (error == nullptr) arv_camera_start_acquisition(camera_, &error);
    const int32_t status = statusFromError(error);
    if (status != FW_STATUS_OK) stopStream();
    return status;
}

void CameraSession::stopStream() {
    if (stream_ == nullptr) return;
    if (!controlLost()) {
        GError* error = nullptr;
        arv_camera_stop_acquisition(camera_, &error);
        statusFromError(error);
    }
    arv_stream_set_emit_signals(stream_, FALSE);
    g_signal_handler_disconnect(stream_, newBufferHandler_);
    // The last reference joins the stream's thread: no buffer arrives after this.
    g_object_unref(stream_);
    stream_ = nullptr;
    std::lock_guard lock(listenerMutex_);
    listener_ = nullptr;
}

// On the stream thread, once a buffer is in the output queue.
void CameraSession::onNewBuffer(ArvStream* stream, gpointer self) {
    auto* session = static_cast<CameraSession*>(self);
    std::lock_guard lock(session->listenerMutex_);
    while (ArvBuffer* buffer = arv_stream_try_pop_buffer(stream)) {
        if (session->listener_ != nullptr) session->takeBuffer(*session->listener_, buffer);
        arv_stream_push_buffer(stream, buffer);
    }
}

void CameraSession::takeBuffer(StreamListener& listener, ArvBuffer* buffer) {
    const bool complete = arv_buffer_get_status(buffer) == ARV_BUFFER_STATUS_SUCCESS;
    uint32_t dropped = drops_.onBuffer(complete, arv_buffer_get_frame_id(buffer));
    if (complete) {
        size_t size = 0;
        const auto* data = static_cast<const uint8_t*>(arv_buffer_get_image_data(buffer, &size));
        const bool whole = data != nullptr && arv_buffer_get_image_pixel_format(buffer) != 0 &&
                           static_cast<uint32_t>(arv_buffer_get_image_width(buffer)) == width_ &&
                           static_cast<uint32_t>(arv_buffer_get_image_height(buffer)) == height_ &&
                           size >= cameraFrameBytes(mapping_, width_, height_);
        uint8_t* destination =
            whole ? listener.frameDestination(codingFrameBytes(mapping_.coding, width_, height_))
                  : nullptr;
        if (destination != nullptr) {
            convertFrame(mapping_, data, destination, width_, height_);
            listener.frameCompleted(arv_buffer_get_frame_id(buffer));
        } else {
            ++dropped;
        }
    }
    if (dropped != 0) listener.framesDropped(dropped);
}

}  // namespace fwaravis
