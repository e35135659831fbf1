#include "aravis_camera.h"

#include <algorithm>
#include <numeric>

#include "bus_load_rate.h"
#include "camera_area.h"
#include "camera_lut.h"
#include "camera_trigger.h"
#include "feature_map.h"
#include "frame_conversion.h"
#include "fw_status.h"
#include "glib_log_route.h"
#include "pixel_format.h"
#include "pixel_format_map.h"

namespace fwaravis {
namespace {

// Binning modes offered beyond 1 × 1 (mode n bins (n + 1) × (n + 1)).
constexpr int64_t kLargestBinning = 4;

constexpr uint32_t kMappedFeatures[] = {
    kBrightness,   kAutoExposure, kSharpness, kWhiteBalanceBlue, kWhiteBalanceRed,
    kHue,          kSaturation,   kGamma,     kShutter,          kGain,
    kTriggerDelay, kLut,          kMirrorX,   kAutoShutterLow,   kAutoShutterHigh,
    kAutoGainLow,  kAutoGainHigh, kBurstCount};

uint32_t bayerOf(const PixelFormatMapping& mapping) {
    return mapping.bayerPattern == kNoBayerPattern ? 0 : mapping.bayerPattern;
}

int64_t largestBinning(const GenicamAccess& genicam) {
    if (!genicam.implemented("BinningHorizontal") || !genicam.implemented("BinningVertical"))
        return 1;
    int64_t min = 1, horizontal = 1, vertical = 1;
    if (genicam.integerBounds("BinningHorizontal", min, horizontal) != FW_STATUS_OK) return 1;
    if (genicam.integerBounds("BinningVertical", min, vertical) != FW_STATUS_OK) return 1;
    return std::clamp<int64_t>(std::min(horizontal, vertical), 1, kLargestBinning);
}

}  // namespace

AravisCamera::AravisCamera(const DirectoryEntry& entry, uint32_t cameraId, fwc::BusHost& host)
    : id_(cameraId), deviceId_(entry.deviceId), host_(host) {
    description_.id = cameraId;
    description_.vendor = entry.vendor;
    description_.model = entry.model;
}

AravisCamera::~AravisCamera() { close(); }

int32_t AravisCamera::fail(int32_t status) {
    const std::string message = takeGlibMessage();
    if (status == FW_STATUS_OK || message.empty()) return status;
    return host_.fail(status, message);
}

int32_t AravisCamera::open(const std::string& busKey) {
    std::lock_guard lock(mutex_);
    if (session_) return FWC_ERR_CAMERA_ALREADY_OPEN;
    if (lost_) return FWC_ERR_CAMERA_UNPLUGGED;
    int32_t status = FW_STATUS_OK;
    claim_ = fwc::claimCamera(busKey, id_, status);
    if (!claim_) return status;
    status = CameraSession::open(deviceId_, session_);
    if (status == FW_STATUS_OK) status = describeOpenCamera();
    if (status != FW_STATUS_OK) {
        session_.reset();
        claim_.reset();
    }
    return fail(status);
}

void AravisCamera::markLost() {
    // Calls from now on fail at once, even while one still waits for the camera.
    lost_ = true;
    std::lock_guard lock(mutex_);
    if (session_) session_->markControlLost();
}

int32_t AravisCamera::checkOpen() {
    if (lost_) return FWC_ERR_CAMERA_UNPLUGGED;
    std::lock_guard lock(mutex_);
    if (session_ && session_->controlLost()) return FWC_ERR_CAMERA_UNPLUGGED;
    return session_ ? FW_STATUS_OK : FWC_ERR_CAMERA_NOT_OPEN;
}

void AravisCamera::stopLocked() {
    if (session_) session_->stopStream();
    std::lock_guard ringLock(ringMutex_);
    plan_.end();
}

int32_t AravisCamera::close() {
    std::lock_guard lock(mutex_);
    if (!session_) return FWC_ERR_CAMERA_NOT_OPEN;
    stopLocked();
    session_.reset();
    claim_.reset();
    return FW_STATUS_OK;
}

int32_t AravisCamera::describeOpenCamera() {
    const GenicamAccess& genicam = session_->genicam();
    genicam.string("DeviceVendorName", description_.vendor);
    genicam.string("DeviceModelName", description_.model);
    describeFormats();
    describeFeatures();
    LutInfo lut;
    description_.lut = readLutInfo(genicam, lut) == FW_STATUS_OK
                           ? fwc::LutInfo{lut.count, lut.maxValue, lut.elements}
                           : fwc::LutInfo{0, 255, 256};
    TriggerSetting trigger;
    description_.trigger.present = readTrigger(genicam, trigger) == FW_STATUS_OK;
    description_.trigger.mode = trigger.mode;
    description_.trigger.active = trigger.active ? 1 : 0;
    description_.trigger.polarity = trigger.polarity;
    if (hasFrameRateLimit(genicam)) readBusLoad(genicam, description_.current.busLoad);
    {
        std::lock_guard ringLock(ringMutex_);
        triggerActive_ = trigger.active;
    }
    return readCurrentFormat();
}

void AravisCamera::describeFormats() {
    pixelFormats_.clear();
    std::vector<uint32_t> codings;
    GError* error = nullptr;
    guint count = 0;
    gint64* formats = arv_camera_dup_available_pixel_formats(session_->camera(), &count, &error);
    statusFromError(error);
    for (guint index = 0; formats != nullptr && index < count; ++index) {
        const auto mapping = mapPixelFormat(static_cast<uint32_t>(formats[index]));
        if (!mapping) continue;
        if (pixelFormats_[mapping->coding].empty()) codings.push_back(mapping->coding);
        pixelFormats_[mapping->coding].push_back(formats[index]);
    }
    g_free(formats);

    const GenicamAccess& genicam = session_->genicam();
    AreaLimits limits;
    readAreaLimits(genicam, limits);
    int64_t binning = 1;
    if (genicam.implemented("BinningHorizontal")) genicam.integer("BinningHorizontal", binning);
    const uint64_t sensorWidth =
        uint64_t{limits.maxWidth} * static_cast<uint64_t>(std::max<int64_t>(binning, 1));
    const uint64_t sensorHeight =
        uint64_t{limits.maxHeight} * static_cast<uint64_t>(std::max<int64_t>(binning, 1));
    description_.format7.clear();
    for (int64_t factor = 1; factor <= largestBinning(genicam); ++factor) {
        fwc::Format7Mode mode;
        mode.mode = static_cast<uint32_t>(factor - 1);
        mode.maxWidth = static_cast<uint32_t>(sensorWidth / static_cast<uint64_t>(factor));
        mode.maxHeight = static_cast<uint32_t>(sensorHeight / static_cast<uint64_t>(factor));
        mode.unitWidth = limits.unitWidth;
        mode.unitHeight = limits.unitHeight;
        mode.unitLeft = std::min(limits.unitLeft, mode.maxWidth);
        mode.unitTop = std::min(limits.unitTop, mode.maxHeight);
        mode.codings = codings;
        description_.format7.push_back(mode);
    }
}

void AravisCamera::describeFeatures() {
    const FeatureAccess features(session_->genicam());
    description_.features.clear();
    for (uint32_t id : kMappedFeatures) {
        fwc::Feature feature;
        feature.id = id;
        if (features.bounds(id, feature.min, feature.max) != FW_STATUS_OK) continue;
        features.value(id, feature.value);
        for (uint32_t status = FWC_STATUS_OFF; status <= FWC_STATUS_AUTO; ++status)
            if (features.hasStatus(id, status) == FW_STATUS_OK) feature.statuses.push_back(status);
        features.status(id, feature.status);
        description_.features.push_back(feature);
    }
    libraryFeatures_.describe(session_->genicam(), description_.features);
}

int32_t AravisCamera::readCurrentFormat() {
    const GenicamAccess& genicam = session_->genicam();
    int64_t pixelFormat = 0, binning = 1;
    int32_t status = genicam.integer("PixelFormat", pixelFormat);
    if (status == FW_STATUS_OK && genicam.implemented("BinningHorizontal"))
        status = genicam.integer("BinningHorizontal", binning);
    Area area;
    if (status == FW_STATUS_OK) status = readArea(genicam, area);
    if (status != FW_STATUS_OK) return status;
    const auto mapping = mapPixelFormat(static_cast<uint32_t>(pixelFormat));
    fwc::CurrentFormat& current = description_.current;
    current.format = fwc::kFormat7;
    current.mode = static_cast<uint32_t>(std::max<int64_t>(binning, 1) - 1);
    current.coding = mapping ? mapping->coding : uint32_t{FWC_CODING_MONO8};
    current.rate = current.coding;
    current.left = area.left;
    current.top = area.top;
    current.width = area.width;
    current.height = area.height;
    description_.bayer = mapping ? bayerOf(*mapping) : 0;
    // A format without coding cannot be delivered: the first with one takes its place.
    if (!mapping && !pixelFormats_.empty()) {
        fwc::FreeGrabRequest request{current.mode,
                                     description_.format7.front().codings.front(),
                                     {area.left, area.top, area.width, area.height},
                                     current.busLoad};
        return applyFreeGrab(request);
    }
    return FW_STATUS_OK;
}

void AravisCamera::currentImageFormat(uint32_t& width, uint32_t& height, uint32_t& coding,
                                      uint32_t& bitDepth) {
    std::lock_guard lock(mutex_);
    width = description_.current.width;
    height = description_.current.height;
    coding = description_.current.coding;
    bitDepth = FWC_CodingBitDepth(coding);
}

void AravisCamera::currentFixedFormat(uint32_t& format, uint32_t& mode, uint32_t& rate) {
    std::lock_guard lock(mutex_);
    format = fwc::kFormat7;
    mode = description_.current.mode;
    rate = description_.current.coding;
}

uint32_t AravisCamera::bayerPattern() {
    std::lock_guard lock(mutex_);
    return description_.bayer;
}

// GenICam has no fixed formats.
void AravisCamera::supportedFixedFormats(uint32_t* table) const {
    std::fill(table, table + FWC_FIXED_FORMATS * FWC_FIXED_MODES * FWC_FIXED_RATES, 0u);
}

int32_t AravisCamera::freeModeEntry(uint32_t position, fwc::Format7Entry& entry) const {
    std::lock_guard lock(mutex_);
    return fwc::format7Entry(description_.format7, position, entry);
}

int32_t AravisCamera::freeModeInfo(uint32_t mode, uint32_t kind, uint32_t& value) const {
    std::lock_guard lock(mutex_);
    return fwc::format7Info(description_.format7, mode, kind, value);
}

fwc::AreaOfInterest AravisCamera::aoi() {
    std::lock_guard lock(mutex_);
    const fwc::CurrentFormat& current = description_.current;
    return {current.left, current.top, current.width, current.height};
}

int32_t AravisCamera::prepareFixedGrab(uint32_t, uint32_t, uint32_t) {
    return FWC_ERR_FORMAT_UNSUPPORTED;
}

int32_t AravisCamera::pixelFormatFor(uint32_t coding, int64_t& pixelFormat) const {
    const auto found = pixelFormats_.find(coding);
    if (found == pixelFormats_.end()) return FWC_ERR_CODING_UNSUPPORTED;
    // The camera's present format when it has this coding, so a Bayer phase is kept.
    int64_t present = 0;
    session_->genicam().integer("PixelFormat", present);
    const auto& candidates = found->second;
    pixelFormat = std::find(candidates.begin(), candidates.end(), present) != candidates.end()
                      ? present
                      : candidates.front();
    return FW_STATUS_OK;
}

int32_t AravisCamera::applyFreeGrab(fwc::FreeGrabRequest& request) {
    const fwc::Format7Mode* mode = fwc::findFormat7Mode(description_.format7, request.mode);
    if (mode == nullptr) return FWC_ERR_NO_FREE_MODE;
    int64_t pixelFormat = 0;
    int32_t status = pixelFormatFor(request.coding, pixelFormat);
    if (status != FW_STATUS_OK) return status;
    const GenicamAccess& genicam = session_->genicam();
    if (genicam.implemented("BinningHorizontal") && genicam.implemented("BinningVertical")) {
        status = genicam.setInteger("BinningHorizontal", request.mode + 1);
        if (status == FW_STATUS_OK)
            status = genicam.setInteger("BinningVertical", request.mode + 1);
    }
    if (status == FW_STATUS_OK) status = genicam.setInteger("PixelFormat", pixelFormat);
    AreaLimits limits;
    if (status == FW_STATUS_OK) status = readAreaLimits(genicam, limits);
    if (status != FW_STATUS_OK) return status;
    limits.unitWidth = std::lcm(limits.unitWidth, fwc::codingPixelGroup(request.coding));
    const Area accepted =
        fitArea({request.aoi.left, request.aoi.top, request.aoi.width, request.aoi.height}, limits);
    status = writeArea(genicam, accepted);
    if (status == FW_STATUS_OK) status = readCurrentFormat();
    if (status != FW_STATUS_OK) return status;
    description_.current.busLoad = fwc::boundBusLoad(request.busLoad);
    if (hasFrameRateLimit(genicam)) {
        status = writeBusLoad(genicam, request.busLoad);
        if (status == FW_STATUS_OK) status = readBusLoad(genicam, description_.current.busLoad);
        if (status != FW_STATUS_OK) return status;
    }
    request.aoi = {description_.current.left, description_.current.top, description_.current.width,
                   description_.current.height};
    request.busLoad = description_.current.busLoad;
    return FW_STATUS_OK;
}

int32_t AravisCamera::prepareFreeGrab(fwc::FreeGrabRequest& request) {
    std::lock_guard lock(mutex_);
    if (!session_) return FWC_ERR_CAMERA_NOT_OPEN;
    {
        std::lock_guard ringLock(ringMutex_);
        if (plan_.wantsFrames()) return FWC_ERR_ACQUISITION_RUNNING;
    }
    stopLocked();
    return fail(applyFreeGrab(request));
}

int32_t AravisCamera::startAcquisition(uint32_t count, bool multiShot) {
    std::lock_guard lock(mutex_);
    if (!session_) return FWC_ERR_CAMERA_NOT_OPEN;
    if (count == 0) return FWC_ERR_INVALID_ARGUMENT;
    {
        std::lock_guard ringLock(ringMutex_);
        switch (plan_.join(count, multiShot)) {
        case fwc::AcquisitionPlan::Start::added: return FW_STATUS_OK;
        case fwc::AcquisitionPlan::Start::refused: return FWC_ERR_ACQUISITION_RUNNING;
        case fwc::AcquisitionPlan::Start::fresh: break;
        }
    }
    // The camera streams on after counted frames until the next start or stop.
    stopLocked();
    const fwc::CurrentFormat& current = description_.current;
    {
        std::lock_guard ringLock(ringMutex_);
        frameBytes_ = codingFrameBytes(current.coding, current.width, current.height);
        unfetched_.clear();
        plan_.begin(count, multiShot);
    }
    const int32_t status = session_->startStream(*this, libraryFeatures_.streamBuffers());
    if (status != FW_STATUS_OK) {
        std::lock_guard ringLock(ringMutex_);
        plan_.end();
    }
    return fail(status);
}

int32_t AravisCamera::stopAcquisition() {
    std::lock_guard lock(mutex_);
    stopLocked();
    return FW_STATUS_OK;
}

int32_t AravisCamera::copyNewestFrame(void* buffer, uint32_t bufferSize) {
    const int32_t status = newestFrame_.copyNewest(buffer, bufferSize);
    if (status == FW_STATUS_OK) {
        std::lock_guard ringLock(ringMutex_);
        unfetched_.clear();
    }
    return status;
}

// On the stream thread.
bool AravisCamera::wantsFrame(size_t bytes) {
    std::lock_guard ringLock(ringMutex_);
    if (!plan_.wantsFrames()) return false;
    if (bytes != frameBytes_) {
        host_.raise(id_, FWC_NOTIFY_FRAME_DROPPED);
        return false;
    }
    return true;
}

void AravisCamera::frameCompleted(uint64_t frameId) {
    libraryFeatures_.frameArrived(frameId);
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

void AravisCamera::framesDropped(uint32_t) { host_.raise(id_, FWC_NOTIFY_FRAME_DROPPED); }

void AravisCamera::controlLost() { host_.raise(id_, FWC_NOTIFY_ERROR); }

std::optional<fwc::Feature> AravisCamera::describedFeature(uint32_t featureId) const {
    std::lock_guard lock(mutex_);
    return fwc::copyOfFeature(description_.features, featureId);
}

// The library's own features, or the camera's through the mapping table.
template <typename LibraryCall, typename CameraCall>
static int32_t withFeatures(std::unique_ptr<CameraSession>& session, uint32_t featureId,
                            LibraryCall libraryCall, CameraCall cameraCall) {
    if (!session) return FWC_ERR_CAMERA_NOT_OPEN;
    if (LibraryFeatures::serves(featureId)) return libraryCall(session->genicam());
    return cameraCall(FeatureAccess(session->genicam()));
}

int32_t AravisCamera::featureValue(uint32_t featureId, uint32_t& value) {
    std::lock_guard lock(mutex_);
    return fail(withFeatures(
        session_, featureId,
        [&](const GenicamAccess& genicam) {
            return libraryFeatures_.value(genicam, featureId, value);
        },
        [&](const FeatureAccess& features) { return features.value(featureId, value); }));
}

int32_t AravisCamera::setFeatureValue(uint32_t featureId, uint32_t value) {
    std::lock_guard lock(mutex_);
    const int32_t status = fail(withFeatures(
        session_, featureId,
        [&](const GenicamAccess& genicam) {
            return libraryFeatures_.setValue(genicam, featureId, value);
        },
        [&](const FeatureAccess& features) { return features.setValue(featureId, value); }));
    if (status == FWC_ERR_INVALID_ARGUMENT && LibraryFeatures::serves(featureId))
        return host_.fail(status, "feature " + std::to_string(featureId) + " is read-only");
    return status;
}

int32_t AravisCamera::featureStatus(uint32_t featureId, uint32_t& status) {
    std::lock_guard lock(mutex_);
    return fail(withFeatures(
        session_, featureId,
        [&](const GenicamAccess& genicam) {
            return libraryFeatures_.status(genicam, featureId, status);
        },
        [&](const FeatureAccess& features) { return features.status(featureId, status); }));
}

int32_t AravisCamera::setFeatureStatus(uint32_t featureId, uint32_t status) {
    std::lock_guard lock(mutex_);
    return fail(withFeatures(
        session_, featureId,
        [&](const GenicamAccess& genicam) {
            return libraryFeatures_.setStatus(genicam, featureId, status);
        },
        [&](const FeatureAccess& features) { return features.setStatus(featureId, status); }));
}

int32_t AravisCamera::registerValue(uint32_t address, uint32_t& value) {
    std::lock_guard lock(mutex_);
    if (!session_) return FWC_ERR_CAMERA_NOT_OPEN;
    GError* error = nullptr;
    guint32 read = 0;
    arv_device_read_register(session_->genicam().device(), address, &read, &error);
    value = read;
    return fail(statusFromError(error));
}

int32_t AravisCamera::setRegister(uint32_t address, uint32_t value) {
    std::lock_guard lock(mutex_);
    if (!session_) return FWC_ERR_CAMERA_NOT_OPEN;
    GError* error = nullptr;
    arv_device_write_register(session_->genicam().device(), address, value, &error);
    return fail(statusFromError(error));
}

int32_t AravisCamera::uploadLut(uint32_t lut, const uint8_t* values, uint32_t count) {
    std::lock_guard lock(mutex_);
    if (!session_) return FWC_ERR_CAMERA_NOT_OPEN;
    const int32_t status = fwaravis::uploadLut(session_->genicam(), lut, values, count);
    if (status == FW_STATUS_OK) lut_.values.assign(values, values + count);
    return fail(status);
}

int32_t AravisCamera::useLut(uint32_t lut, bool on) {
    std::lock_guard lock(mutex_);
    if (!session_) return FWC_ERR_CAMERA_NOT_OPEN;
    const int32_t status = fwaravis::useLut(session_->genicam(), lut, on);
    if (status == FW_STATUS_OK) lut_.inUse = on;
    return fail(status);
}

int32_t AravisCamera::trigger(fwc::TriggerInfo& trigger, uint32_t& pulses) {
    std::lock_guard lock(mutex_);
    if (!session_) return FWC_ERR_CAMERA_NOT_OPEN;
    TriggerSetting setting;
    const int32_t status = readTrigger(session_->genicam(), setting);
    trigger = {status == FW_STATUS_OK, setting.mode, setting.active ? 1u : 0u, setting.polarity};
    std::lock_guard ringLock(ringMutex_);
    pulses = triggeredFrames_;
    return fail(status);
}

int32_t AravisCamera::setTrigger(uint32_t mode, uint32_t active, uint32_t polarity) {
    std::lock_guard lock(mutex_);
    if (!session_) return FWC_ERR_CAMERA_NOT_OPEN;
    if (active > 1) return FWC_ERR_INVALID_ARGUMENT;
    const int32_t status = writeTrigger(session_->genicam(), {mode, active == 1, polarity});
    if (status == FW_STATUS_OK) {
        std::lock_guard ringLock(ringMutex_);
        triggerActive_ = active == 1;
    }
    return fail(status);
}

fwc::CameraSettings AravisCamera::settings() {
    std::lock_guard lock(mutex_);
    fwc::CameraSettings settings;
    settings.format = description_.current;
    settings.features = description_.features;
    settings.lut = lut_;
    if (!session_) return settings;
    const FeatureAccess features(session_->genicam());
    for (fwc::Feature& feature : settings.features) {
        if (LibraryFeatures::serves(feature.id)) {
            libraryFeatures_.value(session_->genicam(), feature.id, feature.value);
            continue;
        }
        features.value(feature.id, feature.value);
        features.status(feature.id, feature.status);
    }
    TriggerSetting trigger;
    settings.trigger.present = readTrigger(session_->genicam(), trigger) == FW_STATUS_OK;
    settings.trigger.mode = trigger.mode;
    settings.trigger.active = trigger.active ? 1 : 0;
    settings.trigger.polarity = trigger.polarity;
    return settings;
}

int32_t AravisCamera::checkSettings(const fwc::CameraSettings& settings,
                                    std::string& problem) const {
    const fwc::Format7Mode* mode = fwc::findFormat7Mode(description_.format7, settings.format.mode);
    if (settings.format.format != fwc::kFormat7 || mode == nullptr) {
        problem = "format not offered by the camera";
        return FWC_ERR_FORMAT_UNSUPPORTED;
    }
    if (std::find(mode->codings.begin(), mode->codings.end(), settings.format.coding) ==
        mode->codings.end()) {
        problem = "colour coding not offered by the camera";
        return FWC_ERR_CODING_UNSUPPORTED;
    }
    for (const fwc::Feature& feature : settings.features) {
        const fwc::Feature* described = fwc::findFeature(description_.features, feature.id);
        if (described == nullptr) {
            problem = "feature " + std::to_string(feature.id) + " not present";
            return FWC_ERR_FEATURE_NOT_PRESENT;
        }
        if (feature.value < described->min || feature.value > described->max) {
            problem = "feature " + std::to_string(feature.id) + " out of range";
            return FWC_ERR_VALUE_OUT_OF_RANGE;
        }
    }
    if (!settings.lut.values.empty() && settings.lut.values.size() != description_.lut.elements) {
        problem = "look-up table size differs from the camera's";
        return FWC_ERR_LUT_SIZE;
    }
    return FW_STATUS_OK;
}

// A read-only feature or an action (a bus trigger, loading a user set over the settings
// just applied) is not carried back to the camera.
int32_t AravisCamera::applyFeature(const fwc::Feature& feature) {
    if (LibraryFeatures::serves(feature.id)) {
        if (!LibraryFeatures::isSetting(feature.id)) return FW_STATUS_OK;
        return libraryFeatures_.setValue(session_->genicam(), feature.id, feature.value);
    }
    const FeatureAccess features(session_->genicam());
    int32_t status = features.setStatus(feature.id, feature.status);
    if (status == FW_STATUS_OK && feature.status == FWC_STATUS_ON)
        status = features.setValue(feature.id, feature.value);
    return status;
}

int32_t AravisCamera::applySettings(const fwc::CameraSettings& settings, std::string& problem) {
    std::lock_guard lock(mutex_);
    if (!session_) return FWC_ERR_CAMERA_NOT_OPEN;
    int32_t status = checkSettings(settings, problem);
    if (status != FW_STATUS_OK) return status;
    fwc::FreeGrabRequest request{
        settings.format.mode,
        settings.format.coding,
        {settings.format.left, settings.format.top, settings.format.width, settings.format.height},
        settings.format.busLoad};
    status = applyFreeGrab(request);
    for (const fwc::Feature& feature : settings.features) {
        if (status != FW_STATUS_OK) break;
        status = applyFeature(feature);
    }
    if (status == FW_STATUS_OK && settings.trigger.present && description_.trigger.present)
        status = writeTrigger(
            session_->genicam(),
            {settings.trigger.mode, settings.trigger.active == 1, settings.trigger.polarity});
    if (status == FW_STATUS_OK && !settings.lut.values.empty()) {
        status = fwaravis::uploadLut(session_->genicam(), 0, settings.lut.values.data(),
                                     static_cast<uint32_t>(settings.lut.values.size()));
        if (status == FW_STATUS_OK) lut_.values = settings.lut.values;
    }
    if (status == FW_STATUS_OK && description_.lut.count != 0) {
        status = fwaravis::useLut(session_->genicam(), 0, settings.lut.inUse);
        if (status == FW_STATUS_OK) lut_.inUse = settings.lut.inUse;
    }
    if (status != FW_STATUS_OK) problem = "the camera refused a setting";
    return fail(status);
}

}  // namespace fwaravis
