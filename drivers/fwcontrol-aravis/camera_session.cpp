#include "camera_session.h"

#include <arpa/inet.h>

#include <atomic>
#include <mutex>
#include <thread>

#include "frame_conversion.h"
#include "frame_drop_counter.h"
#include "fw_status.h"
#include "newest_frame.h"
#include "pixel_format_map.h"

namespace fwaravis {

struct CameraSession::SharedState {
    std::atomic<bool> controlLost{false};
    // Guards the listener and the frame state between the control thread, the stream
    // thread and a lost control.
    std::mutex mutex;
    StreamListener* listener = nullptr;
    PixelFormatMapping mapping;
    uint32_t width = 0;
    uint32_t height = 0;
    FrameDropCounter drops;
};

namespace {

using SharedState = CameraSession::SharedState;

bool isIpv4Address(const std::string& text) {
    in_addr parsed{};
    return inet_pton(AF_INET, text.c_str(), &parsed) == 1;
}

// GigE Vision: the largest packets the path carries (the loopback's are large). A camera
// that cannot fire test packets keeps its own packet size and streams as well, so a
// failed negotiation is not a failed open.
void tuneGigeStream(ArvCamera* camera) {
    GError* error = nullptr;
    arv_camera_gv_auto_packet_size(camera, &error);
    if (error != nullptr) g_error_free(error);
}

// GObject hands a handler's data to the emitting thread under its own locks; this fence
// makes the hand-over visible to the thread sanitizer too.
std::atomic<unsigned> handedToSignals{0};

// A signal handler's data: one more owner of the shared state, dropped by GLib once no
// emission can reach the handler.
gpointer shareWithSignal(const std::shared_ptr<SharedState>& shared) {
    gpointer data = new std::shared_ptr<SharedState>(shared);
    handedToSignals.fetch_add(1, std::memory_order_release);
    return data;
}
void releaseFromSignal(gpointer data, GClosure*) {
    delete static_cast<std::shared_ptr<SharedState>*>(data);
}
SharedState& stateOf(gpointer data) {
    handedToSignals.load(std::memory_order_acquire);
    return **static_cast<std::shared_ptr<SharedState>*>(data);
}

void reportLoss(SharedState& state) {
    if (state.controlLost.exchange(true)) return;
    std::lock_guard lock(state.mutex);
    if (state.listener != nullptr) state.listener->controlLost();
}

// On Aravis's heartbeat thread.
void onControlLost(ArvDevice*, gpointer data) { reportLoss(stateOf(data)); }

// On the stream thread, under the state's mutex: a whole frame the listener wants becomes
// its newest frame. Returns the buffer the stream may fill again, or null.
ArvBuffer* takeBuffer(SharedState& state, ArvBuffer* buffer) {
    StreamListener& listener = *state.listener;
    const bool complete = arv_buffer_get_status(buffer) == ARV_BUFFER_STATUS_SUCCESS;
    uint32_t dropped = state.drops.onBuffer(complete, arv_buffer_get_frame_id(buffer));
    ArvBuffer* unused = buffer;
    if (complete) {
        size_t size = 0;
        const bool whole =
            arv_buffer_get_image_data(buffer, &size) != nullptr &&
            static_cast<uint32_t>(arv_buffer_get_image_width(buffer)) == state.width &&
            static_cast<uint32_t>(arv_buffer_get_image_height(buffer)) == state.height &&
            size >= cameraFrameBytes(state.mapping, state.width, state.height);
        if (!whole) {
            ++dropped;
        } else if (listener.wantsFrame(
                       codingFrameBytes(state.mapping.coding, state.width, state.height))) {
            unused = listener.newestFrame().replace(buffer);
            listener.frameCompleted(arv_buffer_get_frame_id(buffer));
        }
    }
    if (dropped != 0) listener.framesDropped(dropped);
    return unused;
}

// On the stream thread, once a buffer is in the output queue.
void onNewBuffer(ArvStream* stream, gpointer data) {
    SharedState& state = stateOf(data);
    std::lock_guard lock(state.mutex);
    while (ArvBuffer* buffer = arv_stream_try_pop_buffer(stream)) {
        ArvBuffer* unused = state.listener != nullptr ? takeBuffer(state, buffer) : buffer;
        if (unused != nullptr) arv_stream_push_buffer(stream, unused);
    }
}

}  // namespace

CameraSession::CameraSession(ArvCamera* camera)
    : camera_(camera),
      genicam_(arv_camera_get_device(camera)),
      shared_(std::make_shared<SharedState>()) {
    // Aravis writes any value unless asked to check: out-of-range writes would reach the camera.
    arv_camera_set_range_check_policy(camera_, ARV_RANGE_CHECK_POLICY_ENABLE);
    controlLostHandler_ = g_signal_connect_data(arv_camera_get_device(camera_), "control-lost",
                                                G_CALLBACK(onControlLost), shareWithSignal(shared_),
                                                releaseFromSignal, GConnectFlags{});
}

int32_t CameraSession::open(const std::string& deviceId, std::unique_ptr<CameraSession>& session) {
    GError* error = nullptr;
    ArvCamera* camera = arv_camera_new(deviceId.c_str(), &error);
    if (camera == nullptr) {
        const int32_t status = statusFromError(error);
        return status == FWC_ERR_RESOURCES ? FWC_ERR_CAMERA_UNPLUGGED : status;
    }
    statusFromError(error);
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
    if (!controlLost()) {
        g_object_unref(camera_);
        return;
    }
    // The stream first: its thread may still read the camera until it is joined.
    std::thread([camera = camera_, stream = lostStream_] {
        if (stream != nullptr) g_object_unref(stream);
        g_object_unref(camera);
    }).detach();
}

void CameraSession::markControlLost() { reportLoss(*shared_); }

bool CameraSession::controlLost() const { return shared_->controlLost.load(); }

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

    ArvStream* stream = arv_camera_create_stream(camera_, nullptr, nullptr, &error);
    if (stream == nullptr) return statusFromError(error);
    if (ARV_IS_GV_STREAM(stream))
        g_object_set(stream, "socket-buffer", ARV_GV_STREAM_SOCKET_BUFFER_AUTO, nullptr);
    for (uint32_t index = 0; index < buffers; ++index)
        arv_stream_push_buffer(stream, arv_buffer_new_allocate(payload));
    newestFrame_ = &listener.newestFrame();
    newestFrame_->start(stream, *mapping, static_cast<uint32_t>(width),
                        static_cast<uint32_t>(height));
    {
        std::lock_guard lock(shared_->mutex);
        shared_->listener = &listener;
        shared_->mapping = *mapping;
        shared_->width = static_cast<uint32_t>(width);
        shared_->height = static_cast<uint32_t>(height);
        shared_->drops.reset();
    }
    stream_ = stream;
    newBufferHandler_ =
        g_signal_connect_data(stream_, "new-buffer", G_CALLBACK(onNewBuffer),
                              shareWithSignal(shared_), releaseFromSignal, GConnectFlags{});
    arv_stream_set_emit_signals(stream_, TRUE);
    arv_camera_set_acquisition_mode(camera_, ARV_ACQUISITION_MODE_CONTINUOUS, &error);
    if (error == nullptr) arv_camera_start_acquisition(camera_, &error);
    const int32_t status = statusFromError(error);
    if (status != FW_STATUS_OK) stopStream();
    return status;
}

void CameraSession::stopStream() {
    if (stream_ == nullptr) return;
    const bool lost = controlLost();
    if (!lost) {
        GError* error = nullptr;
        arv_camera_stop_acquisition(camera_, &error);
        statusFromError(error);
    }
    arv_stream_set_emit_signals(stream_, FALSE);
    g_signal_handler_disconnect(stream_, newBufferHandler_);
    {
        // A handler already running finishes first; none takes a frame after this.
        std::lock_guard lock(shared_->mutex);
        shared_->listener = nullptr;
    }
    newestFrame_->stop();
    ArvStream* stream = stream_;
    stream_ = nullptr;
    if (!lost) {
        g_object_unref(stream);  // joins the stream's thread
        return;
    }
    lostStream_ = stream;  // released with the camera
}

}  // namespace fwaravis
