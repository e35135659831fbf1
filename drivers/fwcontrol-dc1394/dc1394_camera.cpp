#include "dc1394_camera.h"

#include <algorithm>
#include <string>
#include <vector>

#include "capture_setup_problem.h"
#include "feature_control.h"
#include "fw_status.h"
#include "iidc_mapping.h"
#include "pixel_format.h"
#include "trigger_input.h"

namespace fwdc1394 {
namespace {

// FWC register addresses are the low 32 bits of the camera's CSR space, whose offsets
// libdc1394 counts from its configuration ROM base (0xFFFFF0000000).
constexpr uint32_t kCsrSpaceBase = 0xF0000000u;

bool contains(const std::vector<uint32_t>& values, uint32_t value) {
    return std::find(values.begin(), values.end(), value) != values.end();
}

const fwc::FixedFormat* findFixedFormat(const std::vector<fwc::FixedFormat>& formats,
                                        uint32_t format, uint32_t mode) {
    for (const fwc::FixedFormat& candidate : formats)
        if (candidate.format == format && candidate.mode == mode) return &candidate;
    return nullptr;
}

}  // namespace

Dc1394Camera::Dc1394Camera(std::shared_ptr<BusContext> context, const CameraIdentity& identity,
                           uint32_t cameraId, fwc::BusHost& host)
    : context_(std::move(context)), identity_(identity), id_(cameraId), host_(host) {
    inquiry_.description.id = cameraId;
    inquiry_.description.vendor = identity.vendor;
    inquiry_.description.model = identity.model;
}

Dc1394Camera::~Dc1394Camera() { close(); }

bool Dc1394Camera::stillOnBus() const {
    return context_->present({identity_.guid, identity_.unit});
}

int32_t Dc1394Camera::fail(dc1394error_t error, const char* call) {
    if (error == DC1394_SUCCESS) return FW_STATUS_OK;
    return failWith(error, std::string(call) + " failed: " + dc1394_error_get_string(error));
}

int32_t Dc1394Camera::failWith(dc1394error_t error, const std::string& detail) {
    if (error == DC1394_SUCCESS) return FW_STATUS_OK;
    if (!stillOnBus()) {
        lost_ = true;
        return FWC_ERR_CAMERA_UNPLUGGED;
    }
    return host_.fail(FWC_ERR_RESOURCES, detail);
}

int32_t Dc1394Camera::usable() const {
    if (lost_) return FWC_ERR_CAMERA_UNPLUGGED;
    return camera_ != nullptr ? FW_STATUS_OK : FWC_ERR_CAMERA_NOT_OPEN;
}

int32_t Dc1394Camera::open(const std::string& claimBusKey) {
    std::lock_guard life(lifecycle_);
    std::lock_guard lock(mutex_);
    if (camera_ != nullptr) return FWC_ERR_CAMERA_ALREADY_OPEN;
    if (lost_) return FWC_ERR_CAMERA_UNPLUGGED;
    int32_t status = FW_STATUS_OK;
    claim_ = fwc::claimCamera(claimBusKey, id_, status);
    if (!claim_) return status;
    camera_ = context_->openCamera({identity_.guid, identity_.unit});
    if (camera_ == nullptr) {
        claim_.reset();
        return fail(DC1394_FAILURE, "dc1394_camera_new_unit");
    }
    status = fail(inquireCamera(camera_, inquiry_), "reading the camera's formats and features");
    if (status != FW_STATUS_OK) {
        context_->closeCamera(camera_);
        camera_ = nullptr;
        claim_.reset();
        return status;
    }
    refreshBayer();
    std::lock_guard ringLock(ringMutex_);
    triggerActive_ = inquiry_.description.trigger.active == 1;
    return FW_STATUS_OK;
}

void Dc1394Camera::markLost() { lost_ = true; }

bool Dc1394Camera::gone() const {
    std::lock_guard lock(mutex_);
    return lost_ && camera_ == nullptr;
}

int32_t Dc1394Camera::checkOpen() {
    std::lock_guard lock(mutex_);
    return usable();
}

int32_t Dc1394Camera::close() {
    std::lock_guard life(lifecycle_);
    stopCapture();
    std::lock_guard lock(mutex_);
    if (camera_ == nullptr) return FWC_ERR_CAMERA_NOT_OPEN;
    context_->closeCamera(camera_);
    camera_ = nullptr;
    claim_.reset();
    return FW_STATUS_OK;
}

void Dc1394Camera::refreshBayer() {
    const fwc::CurrentFormat& current = inquiry_.description.current;
    const auto found = inquiry_.bayerByMode.find(current.mode);
    inquiry_.description.bayer =
        current.format == fwc::kFormat7 && found != inquiry_.bayerByMode.end() ? found->second : 0;
}

void Dc1394Camera::currentImageFormat(uint32_t& width, uint32_t& height, uint32_t& coding,
                                      uint32_t& bitDepth) {
    std::lock_guard lock(mutex_);
    const fwc::CurrentFormat& current = inquiry_.description.current;
    width = current.width;
    height = current.height;
    coding = current.coding;
    bitDepth = FWC_CodingBitDepth(coding);
}

void Dc1394Camera::currentFixedFormat(uint32_t& format, uint32_t& mode, uint32_t& rate) {
    std::lock_guard lock(mutex_);
    const fwc::CurrentFormat& current = inquiry_.description.current;
    format = current.format;
    mode = current.mode;
    rate = current.format == fwc::kFormat7 ? current.coding : current.rate;
}

uint32_t Dc1394Camera::bayerPattern() {
    std::lock_guard lock(mutex_);
    return inquiry_.description.bayer;
}

void Dc1394Camera::supportedFixedFormats(uint32_t* table) const {
    std::lock_guard lock(mutex_);
    std::fill_n(table, FWC_FIXED_FORMATS * FWC_FIXED_MODES * FWC_FIXED_RATES, 0u);
    for (const fwc::FixedFormat& format : inquiry_.description.fixedFormats)
        for (const uint32_t rate : format.rates)
            if (rate < FWC_FIXED_RATES)
                table[(format.format * FWC_FIXED_MODES + format.mode) * FWC_FIXED_RATES + rate] = 1;
}

int32_t Dc1394Camera::freeModeEntry(uint32_t position, fwc::Format7Entry& entry) const {
    std::lock_guard lock(mutex_);
    return fwc::format7Entry(inquiry_.description.format7, position, entry);
}

int32_t Dc1394Camera::freeModeInfo(uint32_t mode, uint32_t kind, uint32_t& value) const {
    std::lock_guard lock(mutex_);
    return fwc::format7Info(inquiry_.description.format7, mode, kind, value);
}

fwc::AreaOfInterest Dc1394Camera::aoi() {
    std::lock_guard lock(mutex_);
    const fwc::CurrentFormat& current = inquiry_.description.current;
    return {current.left, current.top, current.width, current.height};
}

int32_t Dc1394Camera::applyFixedFormat(uint32_t format, uint32_t mode, uint32_t rate) {
    const fwc::FixedFormat* found =
        findFixedFormat(inquiry_.description.fixedFormats, format, mode);
    const auto videoMode = videoModeOf(format, mode);
    if (found == nullptr || !contains(found->rates, rate) || !videoMode)
        return FWC_ERR_FORMAT_UNSUPPORTED;
    int32_t status = fail(dc1394_video_set_mode(camera_, *videoMode), "dc1394_video_set_mode");
    if (status == FW_STATUS_OK)
        status = fail(dc1394_video_set_framerate(camera_, framerateOf(rate)),
                      "dc1394_video_set_framerate");
    if (status == FW_STATUS_OK)
        status = fail(readCurrentFormat(camera_, inquiry_.description.current),
                      "reading the video mode");
    refreshBayer();
    return status;
}

int32_t Dc1394Camera::applyFreeGrab(fwc::FreeGrabRequest& request) {
    const fwc::Format7Mode* mode = fwc::findFormat7Mode(inquiry_.description.format7, request.mode);
    if (mode == nullptr) return FWC_ERR_NO_FREE_MODE;
    if (!contains(mode->codings, request.coding)) return FWC_ERR_CODING_UNSUPPORTED;
    const fwc::AreaOfInterest area = fwc::roundAoi(*mode, request.coding, false, request.aoi);
    const uint32_t busLoad = fwc::boundBusLoad(request.busLoad);
    const dc1394video_mode_t videoMode = format7VideoMode(request.mode);
    int32_t status = fail(dc1394_video_set_mode(camera_, videoMode), "dc1394_video_set_mode");
    if (status == FW_STATUS_OK)
        status = fail(dc1394_format7_set_roi(
                          camera_, videoMode, colorCodingOf(request.coding), DC1394_USE_MAX_AVAIL,
                          static_cast<int32_t>(area.left), static_cast<int32_t>(area.top),
                          static_cast<int32_t>(area.width), static_cast<int32_t>(area.height)),
                      "dc1394_format7_set_roi");
    // The bus load is the share of the largest packet the area allows, in whole units.
    uint32_t unitBytes = 0, maxBytes = 0;
    if (status == FW_STATUS_OK)
        status =
            fail(dc1394_format7_get_packet_parameters(camera_, videoMode, &unitBytes, &maxBytes),
                 "dc1394_format7_get_packet_parameters");
    if (status == FW_STATUS_OK && busLoad < 1000 && unitBytes != 0) {
        const uint64_t share = uint64_t{maxBytes} * busLoad / 1000 / unitBytes * unitBytes;
        const auto packet = static_cast<uint32_t>(std::max<uint64_t>(share, unitBytes));
        status = fail(dc1394_format7_set_packet_size(camera_, videoMode, packet),
                      "dc1394_format7_set_packet_size");
    }
    if (status == FW_STATUS_OK)
        status = fail(readCurrentFormat(camera_, inquiry_.description.current),
                      "reading the Format 7 area");
    refreshBayer();
    if (status != FW_STATUS_OK) return status;
    fwc::CurrentFormat& current = inquiry_.description.current;
    current.busLoad = busLoad;
    request.aoi = {current.left, current.top, current.width, current.height};
    request.busLoad = busLoad;
    return FW_STATUS_OK;
}

int32_t Dc1394Camera::prepareFixedGrab(uint32_t format, uint32_t mode, uint32_t rate) {
    std::lock_guard life(lifecycle_);
    {
        std::lock_guard ringLock(ringMutex_);
        if (plan_.wantsFrames()) return FWC_ERR_ACQUISITION_RUNNING;
    }
    const int32_t stopped = stopCapture();
    std::lock_guard lock(mutex_);
    const int32_t status = usable();
    if (status != FW_STATUS_OK) return status;
    return stopped != FW_STATUS_OK ? stopped : applyFixedFormat(format, mode, rate);
}

int32_t Dc1394Camera::prepareFreeGrab(fwc::FreeGrabRequest& request) {
    std::lock_guard life(lifecycle_);
    {
        std::lock_guard ringLock(ringMutex_);
        if (plan_.wantsFrames()) return FWC_ERR_ACQUISITION_RUNNING;
    }
    const int32_t stopped = stopCapture();
    std::lock_guard lock(mutex_);
    const int32_t status = usable();
    if (status != FW_STATUS_OK) return status;
    return stopped != FW_STATUS_OK ? stopped : applyFreeGrab(request);
}

int32_t Dc1394Camera::startAcquisition(uint32_t count, bool multiShot) {
    std::lock_guard life(lifecycle_);
    if (count == 0) return FWC_ERR_INVALID_ARGUMENT;
    {
        std::lock_guard ringLock(ringMutex_);
        switch (plan_.join(count, multiShot)) {
        case fwc::AcquisitionPlan::Start::added: return FW_STATUS_OK;
        case fwc::AcquisitionPlan::Start::refused: return FWC_ERR_ACQUISITION_RUNNING;
        case fwc::AcquisitionPlan::Start::fresh: break;
        }
    }
    // A counted acquisition that has its frames keeps streaming until this start.
    int32_t status = stopCapture();
    std::lock_guard lock(mutex_);
    if (const int32_t state = usable(); state != FW_STATUS_OK) return state;
    if (status != FW_STATUS_OK) return status;
    const fwc::CurrentFormat& current = inquiry_.description.current;
    newest_.start(frameBuffers_, fwc::frameBytes(current.coding, current.width, current.height));
    {
        std::lock_guard ringLock(ringMutex_);
        unfetched_.clear();
        plan_.begin(count, multiShot);
    }
    const uint32_t flags =
        fixedIsoChannel_ ? DC1394_CAPTURE_FLAGS_BANDWIDTH_ALLOC : DC1394_CAPTURE_FLAGS_DEFAULT;
    const dc1394error_t setup = dc1394_capture_setup(camera_, frameBuffers_, flags);
    status = failWith(setup, captureSetupProblem(setup));
    capturing_ = status == FW_STATUS_OK;
    dmaBuffers_ = frameBuffers_;
    if (status == FW_STATUS_OK)
        status = fail(dc1394_video_set_transmission(camera_, DC1394_ON),
                      "dc1394_video_set_transmission");
    gaps_.reset();
    if (status == FW_STATUS_OK) {
        thread_ = std::make_unique<CaptureThread>(dc1394_capture_get_fileno(camera_),
                                                  [this] { return drainFrames(); });
        if (!thread_->started()) status = host_.fail(FWC_ERR_RESOURCES, "no capture thread");
    }
    if (status == FW_STATUS_OK) return FW_STATUS_OK;
    thread_.reset();
    if (capturing_) {
        newest_.stop();
        dc1394_capture_stop(camera_);
    }
    capturing_ = false;
    std::lock_guard ringLock(ringMutex_);
    plan_.end();
    return status;
}

int32_t Dc1394Camera::stopCapture() {
    std::unique_ptr<CaptureThread> thread;
    {
        std::lock_guard lock(mutex_);
        thread = std::move(thread_);
    }
    thread.reset();
    std::lock_guard lock(mutex_);
    int32_t status = FW_STATUS_OK;
    if (capturing_) {
        // A camera that has left the bus can no longer be told to stop sending.
        if (!lost_)
            status = fail(dc1394_video_set_transmission(camera_, DC1394_OFF),
                          "dc1394_video_set_transmission");
        // libdc1394 frees its buffers: the newest frame stays fetchable from a copy.
        newest_.stop();
        const dc1394error_t stopped = dc1394_capture_stop(camera_);
        if (status == FW_STATUS_OK) status = fail(stopped, "dc1394_capture_stop");
        capturing_ = false;
    }
    std::lock_guard ringLock(ringMutex_);
    plan_.end();
    return lost_ ? FW_STATUS_OK : status;
}

int32_t Dc1394Camera::stopAcquisition() {
    std::lock_guard life(lifecycle_);
    return stopCapture();
}

int32_t Dc1394Camera::copyNewestFrame(void* buffer, uint32_t bufferSize) {
    const int32_t status = newest_.copyNewest(buffer, bufferSize);
    if (status == FW_STATUS_OK) {
        std::lock_guard ringLock(ringMutex_);
        unfetched_.clear();
    }
    return status;
}

// On the capture thread, under mutex_: dequeues every completed frame (they come oldest
// first); each good one of the expected size becomes the newest when the acquisition wants
// frames, and the frames no longer needed go back as they can.
Dc1394Camera::Drained Dc1394Camera::dequeueReady(bool wanted) {
    Drained drained;
    const size_t frameBytes = newest_.frameBytes();
    for (;;) {
        // With every buffer out, libdc1394's next dequeue would wait for one of ours. Frames
        // are taken and given back only under mutex_, so the count read here stays right
        // until this frame is taken.
        uint32_t held = newest_.outstanding();
        if (held >= dmaBuffers_) {
            dc1394video_frame_t* oldest = newest_.releaseOldest();
            if (oldest != nullptr) --held;
            drained.error = dc1394_capture_enqueue(camera_, oldest);
        }
        if (drained.error != DC1394_SUCCESS) return drained;
        dc1394video_frame_t* frame = nullptr;
        drained.error = dc1394_capture_dequeue(camera_, DC1394_CAPTURE_POLICY_POLL, &frame);
        if (drained.error != DC1394_SUCCESS || frame == nullptr) return drained;
        // A ring that has filled up loses the frames that complete meanwhile; the frames
        // still held (the newest, one being fetched) are not in it.
        drained.dropped = drained.dropped || frame->frames_behind + 1 + held >= dmaBuffers_;
        drained.dropped = gaps_.lostBefore(frame->timestamp) || drained.dropped;
        const bool corrupt = dc1394_capture_is_frame_corrupt(camera_, frame) == DC1394_TRUE;
        const bool misfit = frame->image_bytes != frameBytes;
        drained.dropped = drained.dropped || corrupt || (wanted && misfit);
        newest_.taken(frame);
        if (wanted && !corrupt && !misfit) {
            newest_.replace(frame);
            drained.delivered = true;
        }
        drained.error = giveBackFrames();
        if (drained.error != DC1394_SUCCESS) return drained;
    }
}

// Under mutex_: in the order they were dequeued, as libdc1394 refills its ring in order.
dc1394error_t Dc1394Camera::giveBackFrames() {
    while (dc1394video_frame_t* frame = newest_.nextToGiveBack()) {
        const dc1394error_t error = dc1394_capture_enqueue(camera_, frame);
        if (error != DC1394_SUCCESS) return error;
    }
    return DC1394_SUCCESS;
}

bool Dc1394Camera::wantsFrames() {
    std::lock_guard ringLock(ringMutex_);
    return plan_.wantsFrames();
}

// A drain delivers its newest frame only: the older ones it found count as skipped.
void Dc1394Camera::countDelivered() {
    bool pushedOut = false;
    {
        std::lock_guard ringLock(ringMutex_);
        pushedOut = unfetched_.completed();
        if (triggerActive_) ++triggeredFrames_;
        plan_.frameTaken();
    }
    if (pushedOut) host_.raise(id_, FWC_NOTIFY_FRAME_DROPPED);
    host_.raise(id_, FWC_NOTIFY_FRAME_COMPLETE);
}

// On the capture thread: no frame is copied here, the newest stays in libdc1394's buffer.
bool Dc1394Camera::drainFrames() {
    std::unique_lock lock(mutex_);
    if (camera_ == nullptr || !capturing_) return false;
    const Drained drained = dequeueReady(wantsFrames());
    const bool gone = drained.error != DC1394_SUCCESS && !stillOnBus();
    if (gone) lost_ = true;
    lock.unlock();
    if (drained.dropped) host_.raise(id_, FWC_NOTIFY_FRAME_DROPPED);
    if (drained.delivered) countDelivered();
    if (drained.error == DC1394_SUCCESS) return true;
    host_.raise(id_, FWC_NOTIFY_ERROR);
    if (gone) host_.raiseNodeListChanged();
    return false;
}

std::optional<fwc::Feature> Dc1394Camera::describedFeature(uint32_t featureId) const {
    std::lock_guard lock(mutex_);
    return fwc::copyOfFeature(inquiry_.description.features, featureId);
}

template <typename Use>
int32_t Dc1394Camera::withFeature(uint32_t featureId, Use use) {
    std::lock_guard lock(mutex_);
    if (const int32_t status = usable(); status != FW_STATUS_OK) return status;
    const fwc::Feature* feature = fwc::findFeature(inquiry_.description.features, featureId);
    if (feature == nullptr) return FWC_ERR_FEATURE_NOT_PRESENT;
    return use(*feature);
}

int32_t Dc1394Camera::featureValue(uint32_t featureId, uint32_t& value) {
    return withFeature(featureId,
                       [&](const fwc::Feature&) -> int32_t { return readValue(featureId, value); });
}

int32_t Dc1394Camera::setFeatureValue(uint32_t featureId, uint32_t value) {
    return withFeature(featureId, [&](const fwc::Feature& feature) -> int32_t {
        if (value < feature.min || value > feature.max) return FWC_ERR_VALUE_OUT_OF_RANGE;
        return writeValue(featureId, value);
    });
}

int32_t Dc1394Camera::featureStatus(uint32_t featureId, uint32_t& status) {
    return withFeature(featureId, [&](const fwc::Feature&) -> int32_t {
        if (!dc1394FeatureOf(featureId)) {
            status = FWC_STATUS_ON;
            return FW_STATUS_OK;
        }
        return fail(readFeatureStatus(camera_, featureId, status), "reading a feature's status");
    });
}

int32_t Dc1394Camera::setFeatureStatus(uint32_t featureId, uint32_t status) {
    return withFeature(featureId, [&](const fwc::Feature& feature) -> int32_t {
        if (status > FWC_STATUS_AUTO) return FWC_ERR_INVALID_ARGUMENT;
        if (!contains(feature.statuses, status)) return FWC_ERR_FEATURE_STATUS_UNSUPPORTED;
        return writeStatus(featureId, status);
    });
}

int32_t Dc1394Camera::readValue(uint32_t featureId, uint32_t& value) {
    switch (featureId) {
    case kUserProfile:
        return fail(readLoadedMemoryChannel(camera_, value), "reading the memory channel");
    case kFrameBufferCount: value = frameBuffers_; return FW_STATUS_OK;
    case kPhySpeed: {
        dc1394speed_t speed = DC1394_ISO_SPEED_400;
        const dc1394error_t error = dc1394_video_get_iso_speed(camera_, &speed);
        value = speed;
        return fail(error, "dc1394_video_get_iso_speed");
    }
    case kIsoChannel:
        return fail(dc1394_video_get_iso_channel(camera_, &value), "dc1394_video_get_iso_channel");
    default: return fail(readFeatureValue(camera_, featureId, value), "reading a feature's value");
    }
}

// The speed and the channel are the camera's isochronous stream's: not while it streams.
int32_t Dc1394Camera::writeValue(uint32_t featureId, uint32_t value) {
    switch (featureId) {
    case kUserProfile: return loadMemoryChannel(value);
    case kFrameBufferCount: frameBuffers_ = value; return FW_STATUS_OK;
    case kPhySpeed:
        if (capturing_) return FWC_ERR_ACQUISITION_RUNNING;
        return fail(dc1394_video_set_iso_speed(camera_, static_cast<dc1394speed_t>(value)),
                    "dc1394_video_set_iso_speed");
    case kIsoChannel: {
        if (capturing_) return FWC_ERR_ACQUISITION_RUNNING;
        const int32_t status =
            fail(dc1394_video_set_iso_channel(camera_, value), "dc1394_video_set_iso_channel");
        fixedIsoChannel_ = fixedIsoChannel_ || status == FW_STATUS_OK;
        return status;
    }
    default: return fail(writeFeatureValue(camera_, featureId, value), "writing a feature's value");
    }
}

// status is one of the feature's: the driver settings' only one, on, changes nothing.
int32_t Dc1394Camera::writeStatus(uint32_t featureId, uint32_t status) {
    if (featureId == kUserProfile && status == FWC_STATUS_ONE_PUSH)
        return saveLoadedMemoryChannel();
    if (!dc1394FeatureOf(featureId)) return FW_STATUS_OK;
    return fail(writeFeatureStatus(camera_, featureId, status), "writing a feature's status");
}

// A channel holds the camera's whole state: the video mode and the trigger come with it.
int32_t Dc1394Camera::loadMemoryChannel(uint32_t channel) {
    if (capturing_) return FWC_ERR_ACQUISITION_RUNNING;
    int32_t status = fail(dc1394_memory_load(camera_, channel), "dc1394_memory_load");
    if (status == FW_STATUS_OK)
        status = fail(readCurrentFormat(camera_, inquiry_.description.current),
                      "reading the video mode");
    refreshBayer();
    dc1394switch_t power = DC1394_OFF;
    if (status == FW_STATUS_OK && inquiry_.description.trigger.present)
        status = fail(dc1394_external_trigger_get_power(camera_, &power),
                      "dc1394_external_trigger_get_power");
    if (status != FW_STATUS_OK) return status;
    std::lock_guard ringLock(ringMutex_);
    triggerActive_ = power == DC1394_ON;
    return FW_STATUS_OK;
}

// Channel 0 holds the factory settings, which no camera overwrites.
int32_t Dc1394Camera::saveLoadedMemoryChannel() {
    uint32_t channel = 0;
    const int32_t status =
        fail(readLoadedMemoryChannel(camera_, channel), "reading the memory channel");
    if (status != FW_STATUS_OK) return status;
    if (channel == 0)
        return host_.fail(FWC_ERR_FEATURE_STATUS_UNSUPPORTED,
                          "memory channel 0 holds the factory settings: load channel 1 or "
                          "above before saving");
    return fail(saveMemoryChannel(camera_, channel), "saving the memory channel");
}

int32_t Dc1394Camera::registerValue(uint32_t address, uint32_t& value) {
    std::lock_guard lock(mutex_);
    if (const int32_t status = usable(); status != FW_STATUS_OK) return status;
    if (address < kCsrSpaceBase) return FWC_ERR_REGISTER_ADDRESS;
    return fail(dc1394_get_register(camera_, address - kCsrSpaceBase, &value),
                "dc1394_get_register");
}

int32_t Dc1394Camera::setRegister(uint32_t address, uint32_t value) {
    std::lock_guard lock(mutex_);
    if (const int32_t status = usable(); status != FW_STATUS_OK) return status;
    if (address < kCsrSpaceBase) return FWC_ERR_REGISTER_ADDRESS;
    return fail(dc1394_set_register(camera_, address - kCsrSpaceBase, value),
                "dc1394_set_register");
}

// IIDC has no standard look-up table.
int32_t Dc1394Camera::uploadLut(uint32_t, const uint8_t*, uint32_t) {
    std::lock_guard lock(mutex_);
    const int32_t status = usable();
    return status != FW_STATUS_OK ? status : FWC_ERR_NO_LUT;
}

int32_t Dc1394Camera::useLut(uint32_t, bool) {
    std::lock_guard lock(mutex_);
    const int32_t status = usable();
    return status != FW_STATUS_OK ? status : FWC_ERR_NO_LUT;
}

int32_t Dc1394Camera::trigger(fwc::TriggerInfo& trigger, uint32_t& pulses) {
    std::lock_guard lock(mutex_);
    if (const int32_t status = usable(); status != FW_STATUS_OK) return status;
    if (!inquiry_.description.trigger.present) return FWC_ERR_NO_TRIGGER;
    dc1394trigger_mode_t mode = DC1394_TRIGGER_MODE_0;
    dc1394switch_t power = DC1394_OFF;
    dc1394trigger_polarity_t polarity = DC1394_TRIGGER_ACTIVE_LOW;
    dc1394bool_t hasPolarity = DC1394_FALSE;
    dc1394error_t error = dc1394_external_trigger_get_mode(camera_, &mode);
    if (error == DC1394_SUCCESS) error = dc1394_external_trigger_get_power(camera_, &power);
    if (error == DC1394_SUCCESS)
        error = dc1394_external_trigger_has_polarity(camera_, &hasPolarity);
    if (error == DC1394_SUCCESS && hasPolarity == DC1394_TRUE)
        error = dc1394_external_trigger_get_polarity(camera_, &polarity);
    trigger = {true, fwcTriggerModeOf(mode), power == DC1394_ON ? 1u : 0u,
               polarity == DC1394_TRIGGER_ACTIVE_HIGH ? 1u : 0u};
    {
        std::lock_guard ringLock(ringMutex_);
        pulses = triggeredFrames_;
    }
    return fail(error, "reading the trigger");
}

// An active trigger waits for an input line of the camera.
int32_t Dc1394Camera::selectInputSource() {
    dc1394trigger_sources_t supported{};
    dc1394trigger_source_t present = DC1394_TRIGGER_SOURCE_0;
    dc1394error_t error = dc1394_external_trigger_get_supported_sources(camera_, &supported);
    if (error == DC1394_SUCCESS && supported.num > 0)
        error = dc1394_external_trigger_get_source(camera_, &present);
    if (error != DC1394_SUCCESS) return fail(error, "reading the trigger's sources");
    const auto input = inputSourceFor(supported, present);
    if (!input)
        return host_.fail(FWC_ERR_NO_TRIGGER,
                          "the camera's trigger has the software source only, no input line");
    if (*input == present) return FW_STATUS_OK;
    return fail(dc1394_external_trigger_set_source(camera_, *input),
                "dc1394_external_trigger_set_source");
}

int32_t Dc1394Camera::applyTrigger(uint32_t mode, uint32_t active, uint32_t polarity) {
    if (!inquiry_.description.trigger.present) return FWC_ERR_NO_TRIGGER;
    const auto iidcMode = triggerModeOf(mode);
    if (!iidcMode || active > 1 || polarity > 1) return FWC_ERR_INVALID_ARGUMENT;
    if (active == 1) {
        if (const int32_t status = selectInputSource(); status != FW_STATUS_OK) return status;
    }
    dc1394bool_t hasPolarity = DC1394_FALSE;
    dc1394error_t error = dc1394_external_trigger_set_mode(camera_, *iidcMode);
    if (error == DC1394_SUCCESS)
        error = dc1394_external_trigger_has_polarity(camera_, &hasPolarity);
    if (error == DC1394_SUCCESS && hasPolarity == DC1394_TRUE)
        error = dc1394_external_trigger_set_polarity(
            camera_, polarity == 1 ? DC1394_TRIGGER_ACTIVE_HIGH : DC1394_TRIGGER_ACTIVE_LOW);
    if (error == DC1394_SUCCESS)
        error = dc1394_external_trigger_set_power(camera_, active == 1 ? DC1394_ON : DC1394_OFF);
    const int32_t status = fail(error, "writing the trigger");
    if (status == FW_STATUS_OK) {
        std::lock_guard ringLock(ringMutex_);
        triggerActive_ = active == 1;
    }
    return status;
}

int32_t Dc1394Camera::setTrigger(uint32_t mode, uint32_t active, uint32_t polarity) {
    std::lock_guard lock(mutex_);
    if (const int32_t status = usable(); status != FW_STATUS_OK) return status;
    return applyTrigger(mode, active, polarity);
}

fwc::CameraSettings Dc1394Camera::settings() {
    std::lock_guard lock(mutex_);
    fwc::CameraSettings settings;
    settings.format = inquiry_.description.current;
    // The file keeps the camera's IIDC features; memory channels and driver settings stay out.
    settings.features = inquiry_.description.features;
    std::erase_if(settings.features,
                  [](const fwc::Feature& feature) { return !dc1394FeatureOf(feature.id); });
    settings.trigger = inquiry_.description.trigger;
    if (usable() != FW_STATUS_OK) return settings;
    for (fwc::Feature& feature : settings.features) {
        readFeatureValue(camera_, feature.id, feature.value);
        readFeatureStatus(camera_, feature.id, feature.status);
    }
    if (settings.trigger.present) {
        dc1394trigger_mode_t mode = DC1394_TRIGGER_MODE_0;
        dc1394switch_t power = DC1394_OFF;
        if (dc1394_external_trigger_get_mode(camera_, &mode) == DC1394_SUCCESS)
            settings.trigger.mode = fwcTriggerModeOf(mode);
        if (dc1394_external_trigger_get_power(camera_, &power) == DC1394_SUCCESS)
            settings.trigger.active = power == DC1394_ON ? 1 : 0;
    }
    return settings;
}

int32_t Dc1394Camera::checkSettings(const fwc::CameraSettings& settings,
                                    std::string& problem) const {
    const fwc::CurrentFormat& format = settings.format;
    const fwc::CameraDescription& description = inquiry_.description;
    if (format.format == fwc::kFormat7) {
        const fwc::Format7Mode* mode = fwc::findFormat7Mode(description.format7, format.mode);
        if (mode == nullptr) {
            problem = "Format 7 mode not offered by the camera";
            return FWC_ERR_NO_FREE_MODE;
        }
        if (!contains(mode->codings, format.coding)) {
            problem = "colour coding not offered by the camera";
            return FWC_ERR_CODING_UNSUPPORTED;
        }
    } else {
        const fwc::FixedFormat* fixed =
            findFixedFormat(description.fixedFormats, format.format, format.mode);
        if (fixed == nullptr || !contains(fixed->rates, format.rate)) {
            problem = "format not offered by the camera";
            return FWC_ERR_FORMAT_UNSUPPORTED;
        }
    }
    for (const fwc::Feature& feature : settings.features) {
        const fwc::Feature* described = fwc::findFeature(description.features, feature.id);
        if (described == nullptr || !dc1394FeatureOf(feature.id)) {
            problem = "feature " + std::to_string(feature.id) + " not present";
            return FWC_ERR_FEATURE_NOT_PRESENT;
        }
        if (feature.value < described->min || feature.value > described->max) {
            problem = "feature " + std::to_string(feature.id) + " out of range";
            return FWC_ERR_VALUE_OUT_OF_RANGE;
        }
        if (!contains(described->statuses, feature.status)) {
            problem = "feature " + std::to_string(feature.id) + " status not supported";
            return FWC_ERR_FEATURE_STATUS_UNSUPPORTED;
        }
    }
    if (settings.trigger.present && !description.trigger.present) {
        problem = "the camera has no trigger input";
        return FWC_ERR_NO_TRIGGER;
    }
    return FW_STATUS_OK;
}

int32_t Dc1394Camera::applySettings(const fwc::CameraSettings& settings, std::string& problem) {
    std::lock_guard life(lifecycle_);
    {
        std::lock_guard ringLock(ringMutex_);
        if (plan_.wantsFrames()) return FWC_ERR_ACQUISITION_RUNNING;
    }
    int32_t status = stopCapture();
    std::lock_guard lock(mutex_);
    if (const int32_t state = usable(); state != FW_STATUS_OK) return state;
    if (status == FW_STATUS_OK) status = checkSettings(settings, problem);
    if (status != FW_STATUS_OK) return status;
    const fwc::CurrentFormat& format = settings.format;
    if (format.format == fwc::kFormat7) {
        fwc::FreeGrabRequest request{format.mode,
                                     format.coding,
                                     {format.left, format.top, format.width, format.height},
                                     format.busLoad};
        status = applyFreeGrab(request);
    } else {
        status = applyFixedFormat(format.format, format.mode, format.rate);
    }
    for (const fwc::Feature& feature : settings.features) {
        if (status != FW_STATUS_OK) break;
        status = fail(writeFeatureStatus(camera_, feature.id, feature.status),
                      "writing a feature's status");
        if (status == FW_STATUS_OK && feature.status == FWC_STATUS_ON)
            status = fail(writeFeatureValue(camera_, feature.id, feature.value),
                          "writing a feature's value");
    }
    if (status == FW_STATUS_OK && settings.trigger.present)
        status =
            applyTrigger(settings.trigger.mode, settings.trigger.active, settings.trigger.polarity);
    if (status != FW_STATUS_OK && problem.empty()) problem = "the camera refused a setting";
    return status;
}

}  // namespace fwdc1394
