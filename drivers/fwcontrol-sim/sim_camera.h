// One simulated camera: its state as the FWC_ calls see it, its scene and frame
// buffers, and its acquisition thread. Every public member takes the camera's lock.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "aoi_rounding.h"
#include "camera_claim.h"
#include "camera_description.h"
#include "frame_encoder.h"
#include "frame_ring.h"
#include "fwcontrol_bus.h"
#include "pixel_tables.h"
#include "scene.h"

namespace fwc {

struct FrameCounters {
    uint32_t completed = 0;
    uint32_t dropped = 0;
};

// What the camera keeps across processes: its settings and its registers.
struct CameraState {
    CameraSettings settings;
    std::map<uint32_t, uint32_t> registers;
};

class CameraStateStore;

class SimCamera : public BusCamera {
public:
    // host outlives the camera's acquisition thread: shutDown() joins it. With a store, the
    // camera starts as it was kept there, takes up the kept state again when it is opened
    // and keeps its state there when it is closed.
    SimCamera(CameraDescription description, BusHost& host,
              std::shared_ptr<const CameraStateStore> store = nullptr);
    ~SimCamera() override;
    SimCamera(const SimCamera&) = delete;
    SimCamera& operator=(const SimCamera&) = delete;

    uint32_t id() const { return description_.id; }
    const CameraDescription& description() const override { return description_; }

    // Stops acquisition and closes the camera for good (unplug, reset, release).
    void shutDown();
    // FWC_ERR_CAMERA_UNPLUGGED after shutDown, FWC_ERR_CAMERA_NOT_OPEN when closed here.
    int32_t checkOpen() override;
    int32_t open(const std::string& busKey);
    int32_t close() override;

    // Formats
    void currentImageFormat(uint32_t& width, uint32_t& height, uint32_t& coding,
                            uint32_t& bitDepth) override;
    // In a Format 7 mode: format 7, the mode, and the coding in place of a rate.
    void currentFixedFormat(uint32_t& format, uint32_t& mode, uint32_t& rate) override;
    uint32_t bayerPattern() override { return description_.bayer; }
    void supportedFixedFormats(uint32_t* table) const override;
    int32_t freeModeEntry(uint32_t position, Format7Entry& entry) const override;
    int32_t freeModeInfo(uint32_t mode, uint32_t kind, uint32_t& value) const override;
    AreaOfInterest aoi() override;
    int32_t prepareFixedGrab(uint32_t format, uint32_t mode, uint32_t rate) override;
    int32_t prepareFreeGrab(FreeGrabRequest& request) override;

    // Acquisition: count frames, or FWC_GRAB_CONTINUOUS.
    int32_t startAcquisition(uint32_t count, bool multiShot) override;
    int32_t stopAcquisition() override;
    int32_t copyNewestFrame(void* buffer, uint32_t bufferSize) override;
    // One frame of a manual camera / one trigger pulse; both return once the frame
    // they cause is in the ring.
    int32_t step();
    int32_t triggerPulse();
    double frameRate();
    FrameCounters counters();

    // Features, registers, LUT, trigger
    std::optional<Feature> describedFeature(uint32_t featureId) const override;
    int32_t featureValue(uint32_t featureId, uint32_t& value) override;
    int32_t setFeatureValue(uint32_t featureId, uint32_t value) override;
    int32_t featureStatus(uint32_t featureId, uint32_t& status) override;
    int32_t setFeatureStatus(uint32_t featureId, uint32_t status) override;
    int32_t registerValue(uint32_t address, uint32_t& value) override;
    int32_t setRegister(uint32_t address, uint32_t value) override;
    int32_t uploadLut(uint32_t lut, const uint8_t* values, uint32_t count) override;
    int32_t useLut(uint32_t lut, bool on) override;
    LutState lutState();
    int32_t trigger(TriggerInfo& trigger, uint32_t& pulses) override;
    int32_t setTrigger(uint32_t mode, uint32_t active, uint32_t polarity) override;

    // Settings file
    CameraSettings settings() override;
    // Checks everything first; applies all or nothing.
    int32_t applySettings(const CameraSettings& settings, std::string& problem) override;

    // The scene of a frame after the camera's processing, before encoding.
    int32_t groundTruth(uint32_t frameNumber, uint8_t* buffer, uint32_t size, uint32_t& channels);

private:
    using Clock = std::chrono::steady_clock;

    void configure();  // scene, encoder setup and buffers for the current format
    void rebuildTables();
    void restoreKeptState();
    void keepStateLocked();
    int32_t openStatusLocked() const;  // checkOpen's status, the lock held
    FrameWindow window() const;
    // Runs use(feature) under the lock on the camera's feature featureId and returns its
    // status; FWC_ERR_FEATURE_NOT_PRESENT for a feature the camera lacks.
    template <typename Use>
    int32_t withFeature(uint32_t featureId, Use use);
    uint32_t ringSize() const;
    double frameRateLocked() const;
    const Format7Mode* findMode(uint32_t mode) const;
    int32_t validateFormat(const CurrentFormat& format) const;
    int32_t waitForFrame(std::unique_lock<std::mutex>& lock, uint64_t target);
    void stopThread(std::unique_lock<std::mutex>& lock);
    // FWC_ERR_ACQUISITION_RUNNING while frames are still to come; otherwise ends an
    // acquisition thread whose shots are all taken.
    int32_t settleAcquisition(std::unique_lock<std::mutex>& lock);
    void acquisitionLoop();
    bool mayProduce(std::unique_lock<std::mutex>& lock);

    const CameraDescription description_;
    BusHost& host_;
    const std::shared_ptr<const CameraStateStore> store_;

    std::mutex mutex_;
    std::condition_variable changed_;
    bool shutDown_ = false;
    std::unique_ptr<CameraClaim> claim_;

    CurrentFormat format_;
    std::vector<Feature> features_;
    std::map<uint32_t, uint32_t> registers_;
    LutState lut_;
    TriggerInfo trigger_;
    uint32_t triggerPulses_ = 0;
    PixelTables tables_;

    // Written only while no acquisition thread runs, or by that thread.
    SceneTemplate scene_;
    EncoderSetup encoder_;
    std::vector<uint8_t> sceneFrame_;
    FrameRing ring_;

    std::thread thread_;
    bool joining_ = false;  // a stopThread call is joining the thread, without the lock
    bool stopRequested_ = false;
    uint32_t remaining_ = 0;  // frames still to make; FWC_GRAB_CONTINUOUS: no end
    bool multiShot_ = false;
    uint32_t pendingSteps_ = 0;
    uint32_t pendingPulses_ = 0;
    uint64_t produced_ = 0;
    Clock::time_point nextDue_;
    uint32_t nextFrameNumber_ = 1;
    FrameCounters counters_;
};

}  // namespace fwc
