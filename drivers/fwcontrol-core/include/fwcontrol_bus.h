// The interface between the FWC_ calls and the buses that carry cameras.
//
// libfwcontrol holds the FWC_ calls, the notification hub with its one driver thread, the
// error texts and the camera id table; each bus it uses implements Bus and BusCamera. The
// simulated bus is built in; every other bus is a module libfwcontrol-<name>.so beside
// libfwcontrol.so that exports the factory fwc_bus_create_v2, loaded when FWCONTROL_BUSES
// (or fwcontrol-buses.conf beside the library) names it.
//
// Threads: the library calls a bus and its cameras from any host thread, concurrently;
// every member must be thread-safe. A bus raises notifications through BusHost from any
// of its threads; host callbacks then run on the library's driver thread, never on the
// bus's. A bus never calls the FWC_ functions.
//
// Frames: a camera keeps its newest completed frame where copyNewestFrame can convert or
// copy it into the caller's buffer in one pass, and counts a frame completed beyond four
// unfetched ones as dropped. A FrameRing (frame_ring.h) does this for a bus whose driver
// takes its buffers back at once: the acquisition thread fills ring.staging() outside its
// lock, commits it under the lock (commit() returns true when the oldest waiting frame was
// pushed out: a drop), then raises FWC_NOTIFY_FRAME_DROPPED for a drop and
// FWC_NOTIFY_FRAME_COMPLETE for the frame; copyNewestFrame copies ring.newest() and marks
// it fetched. A bus whose driver lends its buffers may keep the newest in the driver's
// buffer instead (the GenICam and IIDC buses do). Either way nothing is allocated per frame.
//
// Statuses: every member returns an FWC_ status (fw_status.h), 0 for success. Detail for
// FWC_GetErrorInfo ("which file", "which reason") goes through BusHost::fail, as a module's
// own copy of the core's error texts is not the library's. Nothing throws across this
// interface: catch inside and return FWC_ERR_RESOURCES (the factory too).
//
// A change to these classes that modules built before it cannot run against gets a new
// factory version, so that such a module fails to load instead of calling the wrong member.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "aoi_rounding.h"
#include "camera_description.h"
#include "format7_catalogue.h"
#include "fwcontrol.h"

namespace fwc {

// What the library lends a bus from Bus::start until Bus::stop returns.
class BusHost {
public:
    // Marks the camera's registrations of this FWC_NOTIFY_ kind pending: each runs once
    // for any number of raises before it runs. Never blocks; safe with the bus's locks held.
    virtual void raise(uint32_t cameraId, uint32_t kind) = 0;
    // Cameras joined or left the bus (FWC_RegisterNodeListChangedNotification).
    virtual void raiseNodeListChanged() = 0;
    // Keeps detail as the text FWC_GetErrorInfo adds to status, and returns status.
    virtual int32_t fail(int32_t status, const std::string& detail) = 0;

protected:
    ~BusHost() = default;
};

// FWC_PrepareFreeGrab's request; the camera writes back what it accepted.
struct FreeGrabRequest {
    uint32_t mode = 0;
    uint32_t coding = 0;
    AreaOfInterest aoi;
    uint32_t busLoad = 0;
};

// One camera as the FWC_ calls use it. The library checks arguments for null pointers
// first; the camera checks values against itself. description() is what the camera
// reports about itself (identity, modes, feature ranges, LUT, trigger input) and does not
// change while the object lives; its current format and Bayer phase are only where the
// camera started: the members below give the live ones.
class BusCamera {
public:
    virtual ~BusCamera() = default;

    virtual const CameraDescription& description() const = 0;
    // FWC_ERR_CAMERA_UNPLUGGED once the camera has gone, FWC_ERR_CAMERA_NOT_OPEN when it
    // is not open in this process.
    virtual int32_t checkOpen() = 0;
    virtual int32_t close() = 0;

    // Formats. In a Format 7 mode currentFixedFormat gives format 7, the mode, and the
    // coding in place of a rate; table is FWC_FIXED_FORMATS * FWC_FIXED_MODES *
    // FWC_FIXED_RATES words.
    virtual void currentImageFormat(uint32_t& width, uint32_t& height, uint32_t& coding,
                                    uint32_t& bitDepth) = 0;
    virtual void currentFixedFormat(uint32_t& format, uint32_t& mode, uint32_t& rate) = 0;
    // FWC_INFO_BAYER_PATTERN of the current format, 0 for none: a real camera's follows
    // its pixel format.
    virtual uint32_t bayerPattern() = 0;
    virtual void supportedFixedFormats(uint32_t* table) const = 0;
    // format7Entry and format7Info (format7_catalogue.h) over the camera's modes.
    virtual int32_t freeModeEntry(uint32_t position, Format7Entry& entry) const = 0;
    virtual int32_t freeModeInfo(uint32_t mode, uint32_t kind, uint32_t& value) const = 0;
    virtual AreaOfInterest aoi() = 0;
    virtual int32_t prepareFixedGrab(uint32_t format, uint32_t mode, uint32_t rate) = 0;
    virtual int32_t prepareFreeGrab(FreeGrabRequest& request) = 0;

    // Acquisition: count frames or FWC_GRAB_CONTINUOUS; multiShot for FWC_MultiShotStart.
    // Stopping a camera that is not acquiring succeeds.
    virtual int32_t startAcquisition(uint32_t count, bool multiShot) = 0;
    virtual int32_t stopAcquisition() = 0;
    // bufferSize 0: the caller has room for a whole frame of the current format.
    virtual int32_t copyNewestFrame(void* buffer, uint32_t bufferSize) = 0;

    // Features (by IIDC feature id), registers, LUT and trigger. describedFeature is a copy
    // of the feature of description() (a real camera describes itself again when it is
    // opened), or nothing when the camera lacks it.
    virtual std::optional<Feature> describedFeature(uint32_t featureId) const = 0;
    virtual int32_t featureValue(uint32_t featureId, uint32_t& value) = 0;
    virtual int32_t setFeatureValue(uint32_t featureId, uint32_t value) = 0;
    virtual int32_t featureStatus(uint32_t featureId, uint32_t& status) = 0;
    virtual int32_t setFeatureStatus(uint32_t featureId, uint32_t status) = 0;
    virtual int32_t registerValue(uint32_t address, uint32_t& value) = 0;
    virtual int32_t setRegister(uint32_t address, uint32_t value) = 0;
    virtual int32_t uploadLut(uint32_t lut, const uint8_t* values, uint32_t count) = 0;
    virtual int32_t useLut(uint32_t lut, bool on) = 0;
    // pulses: trigger pulses the input has received since the camera joined the bus.
    virtual int32_t trigger(TriggerInfo& trigger, uint32_t& pulses) = 0;
    virtual int32_t setTrigger(uint32_t mode, uint32_t active, uint32_t polarity) = 0;

    // The state the settings file carries (camera_settings_file.h writes and reads it).
    virtual CameraSettings settings() = 0;
    // Checks everything first, then applies all or nothing; problem says why on refusal.
    virtual int32_t applySettings(const CameraSettings& settings, std::string& problem) = 0;
};

// A camera on a bus as the bus names it.
struct BusCameraKey {
    // Stable on its bus across runs: serial number, GUID or device id.
    std::string serial;
    // Non-zero: the camera's FWC id is this (the simulated bus keeps its described ids).
    // Zero: the library derives the id from "<bus>:<serial>" (camera_id.h).
    uint32_t fixedId = 0;
};

class Bus {
public:
    virtual ~Bus() = default;

    // FWC_Init of the first user: finds the cameras (never waiting for a slow discovery:
    // that runs on the bus's own thread). host outlives the bus until stop() returns. A
    // failed start leaves nothing running; the bus is then deleted without stop().
    virtual int32_t start(BusHost& host) = 0;
    // The last FWC_Release: stops acquisition, closes the cameras and joins the bus's
    // threads; no raise follows its return.
    virtual void stop() = 0;

    // The cameras present now, in a stable order. Returns at once, as find does: the
    // library holds its lock around both.
    virtual int32_t cameras(std::vector<BusCameraKey>& keys) = 0;
    // The camera with this key, open or not; cameraId is its FWC id, which its
    // notifications carry. A key the bus no longer has: FWC_ERR_CAMERA_UNPLUGGED when it
    // was there before, FWC_ERR_UNKNOWN_CAMERA otherwise (also for an empty serial with a
    // fixedId it never had).
    virtual int32_t find(const BusCameraKey& key, uint32_t cameraId,
                         std::shared_ptr<BusCamera>& camera) = 0;
    // Opens the camera for this process: first the cross-process claim (camera_claim.h:
    // claimCamera with the bus's name as busKey and cameraId), then the camera's own
    // exclusive access where it has one. Runs outside the library's lock, and may meet a
    // concurrent stop(): a bus that is stopped refuses with FWC_ERR_NOT_INITIALIZED.
    virtual int32_t open(const BusCameraKey& key, uint32_t cameraId) = 0;
};

}  // namespace fwc

// The factory a bus module exports, unmangled: a new bus, not started, which the library
// owns and deletes after stop(); null makes FWC_Init fail with FWC_ERR_BUS_MODULE.
#define FWC_BUS_FACTORY_V2 "fwc_bus_create_v2"
extern "C" {
typedef fwc::Bus* (*FwcBusFactoryV2)(void);
}
#if defined(_WIN32)
#define FWC_BUS_EXPORT extern "C" __declspec(dllexport)
#else
#define FWC_BUS_EXPORT extern "C" __attribute__((visibility("default")))
#endif
