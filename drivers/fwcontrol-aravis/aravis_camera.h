// One GenICam camera as the FWC_ calls use it: the mapping units over a CameraSession,
// the newest completed frame kept in Aravis's buffer until the host fetches it,
// notifications raised through the BusHost.
// Control calls are serialised by one mutex; frames arrive on Aravis's stream thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "acquisition_plan.h"
#include "camera_claim.h"
#include "camera_directory.h"
#include "camera_session.h"
#include "fwcontrol_bus.h"
#include "library_features.h"
#include "newest_frame.h"
#include "stream_listener.h"
#include "unfetched_frames.h"

namespace fwaravis {

class AravisCamera final : public fwc::BusCamera, private StreamListener {
public:
    AravisCamera(const DirectoryEntry& entry, uint32_t cameraId, fwc::BusHost& host);
    ~AravisCamera() override;

    // The cross-process claim, then the camera (a GigE Vision camera's control).
    int32_t open(const std::string& busKey);
    // The camera stopped answering: its calls fail from now on and its users hear of it.
    void markLost();

    const fwc::CameraDescription& description() const override { return description_; }
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
    // StreamListener, on Aravis's threads.
    NewestFrame& newestFrame() override { return newestFrame_; }
    bool wantsFrame(size_t bytes) override;
    void frameCompleted(uint64_t frameId) override;
    void framesDropped(uint32_t count) override;
    void controlLost() override;

    // Under mutex_, with an open session.
    int32_t describeOpenCamera();
    void describeFormats();
    void describeFeatures();
    int32_t readCurrentFormat();
    int32_t pixelFormatFor(uint32_t coding, int64_t& pixelFormat) const;
    int32_t applyFreeGrab(fwc::FreeGrabRequest& request);
    int32_t checkSettings(const fwc::CameraSettings& settings, std::string& problem) const;
    int32_t applyFeature(const fwc::Feature& feature);
    int32_t fail(int32_t status);
    void stopLocked();

    const uint32_t id_;
    std::atomic<bool> lost_{false};
    const std::string deviceId_;
    fwc::BusHost& host_;

    mutable std::mutex mutex_;  // control calls
    fwc::CameraDescription description_;
    std::unique_ptr<fwc::CameraClaim> claim_;
    std::unique_ptr<CameraSession> session_;
    std::map<uint32_t, std::vector<int64_t>> pixelFormats_;  // by coding, the camera's order
    fwc::LutState lut_;
    LibraryFeatures libraryFeatures_;

    NewestFrame newestFrame_;
    std::mutex ringMutex_;   // the counts the stream thread updates
    size_t frameBytes_ = 0;  // of the acquisition's frames
    fwc::UnfetchedFrames unfetched_;
    fwc::AcquisitionPlan plan_;
    uint32_t triggeredFrames_ = 0;
    bool triggerActive_ = false;
};

}  // namespace fwaravis
