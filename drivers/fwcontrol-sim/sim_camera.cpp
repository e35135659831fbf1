#include "sim_camera.h"

#include <algorithm>
#include <optional>

#include "camera_state_store.h"
#include "fw_status.h"
#include "fwcontrol.h"
#include "pixel_format.h"

namespace fwc {

SimCamera::SimCamera(CameraDescription description, BusHost& host,
                     std::shared_ptr<const CameraStateStore> store)
    : description_(std::move(description)), host_(host), store_(std::move(store)) {
    format_ = description_.current;
    features_ = description_.features;
    registers_ = description_.registers;
    trigger_ = description_.trigger;
    rebuildTables();
    configure();
    restoreKeptState();
}

void SimCamera::restoreKeptState() {
    if (!store_) return;
    const std::optional<CameraState> kept = store_->kept(description_);
    if (!kept) return;
    std::string problem;
    if (applySettings(kept->settings, problem) != FW_STATUS_OK) return;
    std::lock_guard lock(mutex_);
    registers_ = kept->registers;
}

void SimCamera::keepStateLocked() {
    if (store_ && claim_)
        store_->keep(description_, {{format_, features_, trigger_, lut_}, registers_});
}

SimCamera::~SimCamera() { shutDown(); }

void SimCamera::shutDown() {
    std::unique_lock lock(mutex_);
    shutDown_ = true;
    stopThread(lock);
    keepStateLocked();
    claim_.reset();
}

int32_t SimCamera::checkOpen() {
    std::lock_guard lock(mutex_);
    return openStatusLocked();
}

int32_t SimCamera::openStatusLocked() const {
    if (shutDown_) return FWC_ERR_CAMERA_UNPLUGGED;
    return claim_ ? FW_STATUS_OK : FWC_ERR_CAMERA_NOT_OPEN;
}

int32_t SimCamera::open(const std::string& busKey) {
    {
        std::lock_guard lock(mutex_);
        if (shutDown_) return FWC_ERR_CAMERA_UNPLUGGED;
        if (claim_) return FWC_ERR_CAMERA_ALREADY_OPEN;
        int32_t status = FW_STATUS_OK;
        claim_ = claimCamera(busKey, description_.id, status);
        if (!claim_) return status;
    }
    // Another process may have changed the camera since this one last saw it.
    restoreKeptState();
    return FW_STATUS_OK;
}

int32_t SimCamera::close() {
    std::unique_lock lock(mutex_);
    if (shutDown_) return FWC_ERR_CAMERA_UNPLUGGED;
    if (!claim_) return FWC_ERR_CAMERA_NOT_OPEN;
    stopThread(lock);
    keepStateLocked();
    claim_.reset();
    return FW_STATUS_OK;
}

void SimCamera::currentImageFormat(uint32_t& width, uint32_t& height, uint32_t& coding,
                                   uint32_t& bitDepth) {
    std::lock_guard lock(mutex_);
    width = format_.width;
    height = format_.height;
    coding = format_.coding;
    bitDepth = FWC_CodingBitDepth(format_.coding);
}

void SimCamera::currentFixedFormat(uint32_t& format, uint32_t& mode, uint32_t& rate) {
    std::lock_guard lock(mutex_);
    format = format_.format;
    mode = format_.mode;
    rate = format_.format == kFormat7 ? format_.coding : format_.rate;
}

void SimCamera::supportedFixedFormats(uint32_t* table) const {
    std::fill_n(table, FWC_FIXED_FORMATS * FWC_FIXED_MODES * FWC_FIXED_RATES, 0u);
    for (const FixedFormat& format : description_.fixedFormats)
        for (const uint32_t rate : format.rates)
            table[(format.format * FWC_FIXED_MODES + format.mode) * FWC_FIXED_RATES + rate] = 1;
}

int32_t SimCamera::freeModeEntry(uint32_t position, Format7Entry& entry) const {
    return format7Entry(description_.format7, position, entry);
}

int32_t SimCamera::freeModeInfo(uint32_t mode, uint32_t kind, uint32_t& value) const {
    return format7Info(description_.format7, mode, kind, value);
}

AreaOfInterest SimCamera::aoi() {
    std::lock_guard lock(mutex_);
    return {format_.left, format_.top, format_.width, format_.height};
}

int32_t SimCamera::prepareFixedGrab(uint32_t format, uint32_t mode, uint32_t rate) {
    std::unique_lock lock(mutex_);
    if (const int32_t running = settleAcquisition(lock)) return running;
    CurrentFormat requested;
    requested.format = format;
    requested.mode = mode;
    requested.rate = rate;
    const int32_t status = validateFormat(requested);
    if (status != FW_STATUS_OK) return status;
    const FixedGeometry geometry = fixedGeometry(format, mode);
    requested.coding = geometry.coding;
    requested.width = geometry.width;
    requested.height = geometry.height;
    requested.busLoad = format_.busLoad;
    format_ = requested;
    configure();
    return FW_STATUS_OK;
}

int32_t SimCamera::prepareFreeGrab(FreeGrabRequest& request) {
    std::unique_lock lock(mutex_);
    if (const int32_t running = settleAcquisition(lock)) return running;
    const Format7Mode* mode = findMode(request.mode);
    if (mode == nullptr) return FWC_ERR_NO_FREE_MODE;
    if (std::find(mode->codings.begin(), mode->codings.end(), request.coding) ==
        mode->codings.end())
        return FWC_ERR_CODING_UNSUPPORTED;
    request.aoi = roundAoi(*mode, request.coding, description_.interlaced, request.aoi);
    request.busLoad = boundBusLoad(request.busLoad);
    format_.format = kFormat7;
    format_.mode = request.mode;
    format_.rate = 0;
    format_.coding = request.coding;
    format_.left = request.aoi.left;
    format_.top = request.aoi.top;
    format_.width = request.aoi.width;
    format_.height = request.aoi.height;
    format_.busLoad = request.busLoad;
    configure();
    return FW_STATUS_OK;
}

const Format7Mode* SimCamera::findMode(uint32_t mode) const {
    return findFormat7Mode(description_.format7, mode);
}

int32_t SimCamera::validateFormat(const CurrentFormat& format) const {
    if (format.format == kFormat7) {
        const Format7Mode* mode = findMode(format.mode);
        if (mode == nullptr) return FWC_ERR_NO_FREE_MODE;
        if (std::find(mode->codings.begin(), mode->codings.end(), format.coding) ==
            mode->codings.end())
            return FWC_ERR_CODING_UNSUPPORTED;
        const AreaOfInterest given{format.left, format.top, format.width, format.height};
        const AreaOfInterest accepted =
            roundAoi(*mode, format.coding, description_.interlaced, given);
        if (accepted.left != given.left || accepted.top != given.top ||
            accepted.width != given.width || accepted.height != given.height ||
            format.busLoad != boundBusLoad(format.busLoad))
            return FWC_ERR_INVALID_ARGUMENT;
        return FW_STATUS_OK;
    }
    for (const FixedFormat& fixed : description_.fixedFormats)
        if (fixed.format == format.format && fixed.mode == format.mode &&
            std::find(fixed.rates.begin(), fixed.rates.end(), format.rate) != fixed.rates.end())
            return FW_STATUS_OK;
    return FWC_ERR_FORMAT_UNSUPPORTED;
}

FrameWindow SimCamera::window() const {
    return {format_.left, format_.top, format_.width, format_.height};
}

void SimCamera::configure() {
    uint32_t sensorWidth = format_.width;
    uint32_t sensorHeight = format_.height;
    if (const Format7Mode* mode = findMode(format_.mode);
        format_.format == kFormat7 && mode != nullptr) {
        sensorWidth = mode->maxWidth;
        sensorHeight = mode->maxHeight;
    }
    if (scene_.sensorWidth() != sensorWidth || scene_.sensorHeight() != sensorHeight)
        scene_.render(sensorWidth, sensorHeight);
    encoder_ = {format_.width, format_.height, format_.coding, description_.bayer,
                description_.interlaced};
    sceneFrame_.resize(static_cast<size_t>(format_.width) * format_.height *
                       sceneChannels(format_.coding));
    ring_.reset(ringSize(), frameBytes(format_.coding, format_.width, format_.height));
}

double SimCamera::frameRateLocked() const {
    const double rate =
        format_.format == kFormat7
            ? format7FrameRate(format_.busLoad,
                               frameBytes(format_.coding, format_.width, format_.height))
            : fixedFrameRate(format_.rate);
    return std::min(rate, description_.maxFrameRate);
}

double SimCamera::frameRate() {
    std::lock_guard lock(mutex_);
    return frameRateLocked();
}

int32_t SimCamera::groundTruth(uint32_t frameNumber, uint8_t* buffer, uint32_t size,
                               uint32_t& channels) {
    std::lock_guard lock(mutex_);
    channels = sceneChannels(format_.coding);
    const size_t needed = static_cast<size_t>(format_.width) * format_.height * channels;
    if (size < needed) return FWC_ERR_BUFFER_TOO_SMALL;
    scene_.compose(frameNumber, window(), channels, tables_, buffer);
    return FW_STATUS_OK;
}

}  // namespace fwc
