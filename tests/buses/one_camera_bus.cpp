// libfwcontrol-testbus.so: a bus module of one camera, built for the tests only, to load by
// name beside the simulated bus. Its camera delivers 4 x 2 Mono8 frames whose bytes are
// the frame number, made at once when acquisition starts.
#include <algorithm>
#include <cstring>
#include <mutex>
#include <new>

#include "frame_ring.h"
#include "fw_status.h"
#include "fwcontrol_bus.h"

namespace {

using namespace fwc;

constexpr uint32_t kWidth = 4;
constexpr uint32_t kHeight = 2;

CameraDescription oneCameraDescription() {
    CameraDescription description;
    description.model = "One";
    description.vendor = "Testbus";
    description.format7 = {{0, kWidth, kHeight, 1, 1, 1, 1, {FWC_CODING_MONO8}}};
    description.current = {7, 0, 0, FWC_CODING_MONO8, 0, 0, kWidth, kHeight, 1000};
    return description;
}

class OneCamera final : public BusCamera {
public:
    OneCamera(BusHost& host, uint32_t cameraId) : host_(host), cameraId_(cameraId) {
        ring_.reset(2, kWidth * kHeight);
    }

    int32_t open() {
        std::lock_guard lock(mutex_);
        if (open_) return FWC_ERR_CAMERA_ALREADY_OPEN;
        open_ = true;
        return FW_STATUS_OK;
    }

    const CameraDescription& description() const override { return description_; }
    int32_t checkOpen() override {
        std::lock_guard lock(mutex_);
        return open_ ? FW_STATUS_OK : FWC_ERR_CAMERA_NOT_OPEN;
    }
    int32_t close() override {
        std::lock_guard lock(mutex_);
        open_ = false;
        return FW_STATUS_OK;
    }

    void currentImageFormat(uint32_t& width, uint32_t& height, uint32_t& coding,
                            uint32_t& bitDepth) override {
        width = kWidth;
        height = kHeight;
        coding = FWC_CODING_MONO8;
        bitDepth = 8;
    }
    void currentFixedFormat(uint32_t& format, uint32_t& mode, uint32_t& rate) override {
        format = 7;
        mode = 0;
        rate = FWC_CODING_MONO8;
    }
    uint32_t bayerPattern() override { return 0; }
    void supportedFixedFormats(uint32_t* table) const override {
        std::fill_n(table, FWC_FIXED_FORMATS * FWC_FIXED_MODES * FWC_FIXED_RATES, 0u);
    }
    int32_t freeModeEntry(uint32_t position, Format7Entry& entry) const override {
        if (position != 0) return FWC_ERR_ENUM_END;
        entry = {0, FWC_CODING_MONO8, kWidth, kHeight};
        return FW_STATUS_OK;
    }
    int32_t freeModeInfo(uint32_t, uint32_t, uint32_t&) const override {
        return FWC_ERR_INVALID_ARGUMENT;
    }
    AreaOfInterest aoi() override { return {0, 0, kWidth, kHeight}; }
    int32_t prepareFixedGrab(uint32_t, uint32_t, uint32_t) override {
        return FWC_ERR_FORMAT_UNSUPPORTED;
    }
    int32_t prepareFreeGrab(FreeGrabRequest& request) override {
        request.aoi = aoi();
        return FW_STATUS_OK;
    }

    int32_t startAcquisition(uint32_t count, bool) override {
        if (count == FWC_GRAB_CONTINUOUS) return FWC_ERR_INVALID_ARGUMENT;
        for (uint32_t i = 0; i < count; ++i) {
            std::lock_guard lock(mutex_);
            ++frameNumber_;
            std::fill(ring_.staging().begin(), ring_.staging().end(),
                      static_cast<uint8_t>(frameNumber_));
            if (ring_.commit(frameNumber_)) host_.raise(cameraId_, FWC_NOTIFY_FRAME_DROPPED);
            host_.raise(cameraId_, FWC_NOTIFY_FRAME_COMPLETE);
        }
        return FW_STATUS_OK;
    }
    int32_t stopAcquisition() override { return FW_STATUS_OK; }
    int32_t copyNewestFrame(void* buffer, uint32_t bufferSize) override {
        std::lock_guard lock(mutex_);
        if (!ring_.hasFrame() || ring_.waiting() == 0) return FWC_ERR_NO_FRAME;
        if (bufferSize != 0 && bufferSize < ring_.frameBytes()) return FWC_ERR_BUFFER_TOO_SMALL;
        std::memcpy(buffer, ring_.newest().data(), ring_.frameBytes());
        ring_.markFetched();
        return FW_STATUS_OK;
    }

    std::optional<Feature> describedFeature(uint32_t) const override { return std::nullopt; }
    int32_t featureValue(uint32_t, uint32_t&) override { return FWC_ERR_FEATURE_NOT_PRESENT; }
    int32_t setFeatureValue(uint32_t, uint32_t) override { return FWC_ERR_FEATURE_NOT_PRESENT; }
    int32_t featureStatus(uint32_t, uint32_t&) override { return FWC_ERR_FEATURE_NOT_PRESENT; }
    int32_t setFeatureStatus(uint32_t, uint32_t) override { return FWC_ERR_FEATURE_NOT_PRESENT; }
    int32_t registerValue(uint32_t, uint32_t&) override { return FWC_ERR_REGISTER_ADDRESS; }
    int32_t setRegister(uint32_t, uint32_t) override { return FWC_ERR_REGISTER_ADDRESS; }
    int32_t uploadLut(uint32_t, const uint8_t*, uint32_t) override { return FWC_ERR_NO_LUT; }
    int32_t useLut(uint32_t, bool) override { return FWC_ERR_NO_LUT; }
    int32_t trigger(TriggerInfo&, uint32_t&) override { return FWC_ERR_NO_TRIGGER; }
    int32_t setTrigger(uint32_t, uint32_t, uint32_t) override { return FWC_ERR_NO_TRIGGER; }

    CameraSettings settings() override { return {description_.current, {}, {}, {}}; }
    int32_t applySettings(const CameraSettings&, std::string&) override { return FW_STATUS_OK; }

private:
    const CameraDescription description_ = oneCameraDescription();
    BusHost& host_;
    const uint32_t cameraId_;
    std::mutex mutex_;
    bool open_ = false;
    FrameRing ring_;
    uint32_t frameNumber_ = 0;
};

class OneCameraBus final : public Bus {
public:
    int32_t start(BusHost& host) override {
        std::lock_guard lock(mutex_);
        host_ = &host;
        return FW_STATUS_OK;
    }
    void stop() override {
        std::lock_guard lock(mutex_);
        camera_.reset();
        host_ = nullptr;
    }
    int32_t cameras(std::vector<BusCameraKey>& keys) override {
        keys = {{"TB-1", 0}};
        return FW_STATUS_OK;
    }
    int32_t find(const BusCameraKey& key, uint32_t cameraId,
                 std::shared_ptr<BusCamera>& camera) override {
        std::shared_ptr<OneCamera> found;
        const int32_t status = findOne(key, cameraId, found);
        camera = std::move(found);
        return status;
    }
    int32_t open(const BusCameraKey& key, uint32_t cameraId) override {
        std::shared_ptr<OneCamera> camera;
        const int32_t status = findOne(key, cameraId, camera);
        return status != FW_STATUS_OK ? status : camera->open();
    }

private:
    int32_t findOne(const BusCameraKey& key, uint32_t cameraId,
                    std::shared_ptr<OneCamera>& camera) {
        if (key.serial != "TB-1") return FWC_ERR_UNKNOWN_CAMERA;
        std::lock_guard lock(mutex_);
        if (!camera_) camera_ = std::make_shared<OneCamera>(*host_, cameraId);
        camera = camera_;
        return FW_STATUS_OK;
    }

    std::mutex mutex_;
    BusHost* host_ = nullptr;
    std::shared_ptr<OneCamera> camera_;
};

}  // namespace

FWC_BUS_EXPORT fwc::Bus* fwc_bus_create_v2(void) { return new (std::nothrow) OneCameraBus; }
