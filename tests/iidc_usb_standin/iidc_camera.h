// One virtual IIDC 1.31 camera: its configuration ROM, its registers (video format, mode
// and rate inquiry, Format 7, features, trigger, memory channels, isochronous enable,
// one-shot and multi-shot, software trigger) and the timing of the frames it sends.
// Addresses are the low 32 bits of the 0xFFFF'xxxx'xxxx register space.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <vector>

#include "standin_config.h"

namespace iidc_standin {

using Clock = std::chrono::steady_clock;

struct FeatureState {
    uint32_t value = 0;
    uint32_t blueValue = 0;  // white balance's U/B half
    bool on = true;
    bool autoMode = false;
};

struct Format7Roi {
    uint32_t left = 0, top = 0, width = 0, height = 0;
    uint32_t coding = 0;
    uint32_t bytesPerPacket = 0;
};

constexpr uint32_t kFeatureSlots = 16;
constexpr uint32_t kFormat7Modes = 2;

// What a memory channel keeps.
struct CameraSettings {
    uint32_t format = 0, mode = 5, rate = 4;
    std::array<FeatureState, kFeatureSlots> features{};
    bool triggerOn = false, triggerPolarityHigh = false;
    uint32_t triggerSource = 0, triggerMode = 0, triggerParameter = 0;
    std::array<Format7Roi, kFormat7Modes> format7{};
};

struct FrameGeometry {
    uint32_t width = 0, height = 0, coding = 0;
};

class IidcCamera {
public:
    explicit IidcCamera(const CameraConfig& config);

    void reconfigure(const CameraConfig& config);
    const CameraConfig& config() const { return config_; }

    // False for an address outside the configuration ROM's end (a USB stall).
    bool read(uint32_t address, uint32_t& value) const;
    void write(uint32_t address, uint32_t value, Clock::time_point now);

    // Frame production: the time the next frame is due (max() when none is), and taking
    // it (which advances the schedule and returns its sequence number).
    Clock::time_point nextFrameDue() const;
    uint32_t takeFrame();
    // Takes, unsent, the frames that fell due while the host had no buffer queued.
    void loseFramesDueBy(Clock::time_point now);
    FrameGeometry geometry() const;
    Clock::duration framePeriod() const;

private:
    bool readRom(uint32_t index, uint32_t& value) const;
    uint32_t readCommand(uint32_t offset) const;
    void writeCommand(uint32_t offset, uint32_t value, Clock::time_point now);
    uint32_t readFormat7(uint32_t mode, uint32_t offset) const;
    void writeFormat7(uint32_t mode, uint32_t offset, uint32_t value);
    uint32_t readFeature(uint32_t slot) const;
    void writeFeature(uint32_t slot, uint32_t value);
    uint32_t readTrigger() const;
    void writeTrigger(uint32_t value);
    void startShots(Clock::time_point now);
    bool producing() const;
    void buildRom();

    CameraConfig config_;
    std::vector<uint32_t> rom_;
    CameraSettings settings_;
    std::array<CameraSettings, 3> channels_{};  // 0 = factory settings
    uint32_t memorySaveChannel_ = 0;
    uint32_t currentChannel_ = 0;
    uint32_t isoChannelSpeed_ = 0;
    bool powerOn_ = true;
    bool isoOn_ = false;
    bool oneShot_ = false;
    uint32_t multiShotLeft_ = 0;
    uint32_t softwareTriggers_ = 0;
    uint32_t sequence_ = 0;
    Clock::time_point nextDue_{};
};

}  // namespace iidc_standin
