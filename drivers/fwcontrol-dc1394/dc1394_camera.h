// One IIDC camera as the FWC_ calls use it, through libdc1394: control calls under one
// mutex (libdc1394 is not thread-safe per camera), frames taken by a capture thread of our
// own, the newest kept in libdc1394's buffer (NewestDmaFrame), notifications raised through
// the BusHost.
#pragma once

#include <dc1394/dc1394.h>

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "acquisition_plan.h"
#include "bus_context.h"
#include "camera_claim.h"
#include "camera_inquiry.h"
#include "capture_thread.h"
#include "driver_features.h"
#include "fwcontrol_bus.h"
#include "newest_dma_frame.h"
#include "timestamp_gap.h"
#include "unfetched_frames.h"

namespace fwdc1394 {

struct CameraIdentity {
    uint64_t guid = 0;
    uint16_t unit = 0;
    std::string vendor;
    std::string model;
};

class Dc1394Camera final : public fwc::BusCamera {
public:
    Dc1394Camera(std::shared_ptr<BusContext> context, const CameraIdentity& identity,
                 uint32_t cameraId, fwc::BusHost& host);
    ~Dc1394Camera() override;

    // The cross-process claim, then the camera itself.
    int32_t open(const std::string& claimBusKey);
    // The camera left the bus: its calls fail from now on.
    void markLost();
    // Left the bus and closed: a camera with its key that joins again is a new object.
    bool gone() const;

    const fwc::CameraDescription& description() const override { return inquiry_.description; }
    int32_t checkOpen() override;
    int32_t close() override;

    void currentImageFormat(uint32_t& width, uint32_t& height, uint32_t& coding,
                            uint32_t& bitDepth) override;
    void currentFixedFormat(uint32_t& format, uint32_t& mode, uint32_t& rate) override;
    uint32_t bayerPattern() override;
    void supportedFixedFormats(uint32_t* table) const override;
    int32_t freeModeEntry(uint32_t position, fwc::Format7Entry& entry) const override;
    int32_t freeModeInfo(uint32_t mode, uint32_t kind, uint32_t& value) const override;
    fwc::AreaOfInterest aoi() override;
    int32_t prepareFixedGrab(uint32_t format, uint32_t mode, uint32_t rate) override;
    int32_t prepareFreeGrab(fwc::FreeGrabRequest& request) override;

    int32_t startAcquisition(uint32_t count, bool multiShot) override;
    int32_t stopAcquisition() override;
    int32_t copyNewestFrame(void* buffer, uint32_t bufferSize) override;

    std::optional<fwc::Feature> describedFeature(uint32_t featureId) const override;
    int32_t featureValue(uint32_t featureId, uint32_t& value) override;
    int32_t setFeatureValue(uint32_t featureId, uint32_t value) override;
    int32_t featureStatus(uint32_t featureId, uint32_t& status) override;
    int32_t setFeatureStatus(uint32_t featureId, uint32_t status) override;
    int32_t registerValue(uint32_t address, uint32_t& value) override;
    int32_t setRegister(uint32_t address, uint32_t value) override;
    int32_t uploadLut(uint32_t lut, const uint8_t* values, uint32_t count) override;
    int32_t useLut(uint32_t lut, bool on) override;
    int32_t trigger(fwc::TriggerInfo& trigger, uint32_t& pulses) override;
    int32_t setTrigger(uint32_t mode, uint32_t active, uint32_t polarity) override;

    fwc::CameraSettings settings() override;
    int32_t applySettings(const fwc::CameraSettings& settings, std::string& problem) override;

private:
    // Under mutex_.
    int32_t usable() const;
    // Takes mutex_; use(feature) runs when the camera is usable and describes the feature.
    template <typename Use>
    int32_t withFeature(uint32_t featureId, Use use);
    int32_t fail(dc1394error_t error, const char* call);
    // FWC_ERR_CAMERA_UNPLUGGED when the camera has left, else FWC_ERR_RESOURCES with detail.
    int32_t failWith(dc1394error_t error, const std::string& detail);
    // A described feature's value and status: IIDC features, memory channels and the
    // driver settings (driver_features.h).
    int32_t readValue(uint32_t featureId, uint32_t& value);
    int32_t writeValue(uint32_t featureId, uint32_t value);
    int32_t writeStatus(uint32_t featureId, uint32_t status);
    int32_t loadMemoryChannel(uint32_t channel);
    int32_t saveLoadedMemoryChannel();
    bool stillOnBus() const;
    int32_t applyFixedFormat(uint32_t format, uint32_t mode, uint32_t rate);
    int32_t applyFreeGrab(fwc::FreeGrabRequest& request);
    int32_t selectInputSource();
    int32_t applyTrigger(uint32_t mode, uint32_t active, uint32_t polarity);
    int32_t checkSettings(const fwc::CameraSettings& settings, std::string& problem) const;
    void refreshBayer();
    // Under lifecycle_, not mutex_: joins the capture thread.
    int32_t stopCapture();
    // On the capture thread.
    struct Drained {
        bool delivered = false;
        bool dropped = false;
        dc1394error_t error = DC1394_SUCCESS;
    };
    Drained dequeueReady(bool wanted);
    dc1394error_t giveBackFrames();
    bool wantsFrames();
    void countDelivered();
    bool drainFrames();

    const std::shared_ptr<BusContext> context_;
    const CameraIdentity identity_;
    const uint32_t id_;
    fwc::BusHost& host_;

    std::mutex lifecycle_;      // open, close, start and stop, taken before mutex_
    mutable std::mutex mutex_;  // the camera and its description
    Inquiry inquiry_;
    std::unique_ptr<fwc::CameraClaim> claim_;
    dc1394camera_t* camera_ = nullptr;
    bool capturing_ = false;  // libdc1394's capture set up
    std::atomic<bool> lost_{false};
    TimestampGap gaps_;                             // the capture thread's
    uint32_t dmaBuffers_ = 0;                       // of the capture set up
    uint32_t frameBuffers_ = kDefaultFrameBuffers;  // FRAMEBUFFERCOUNT, for the next one
    bool fixedIsoChannel_ = false;                  // ISOCHANNEL set: capture allocates none
    std::unique_ptr<CaptureThread> thread_;

    NewestDmaFrame newest_;
    std::mutex ringMutex_;  // the counts the capture thread updates
    fwc::UnfetchedFrames unfetched_;
    fwc::AcquisitionPlan plan_;
    uint32_t triggeredFrames_ = 0;
    bool triggerActive_ = false;
};

}  // namespace fwdc1394
