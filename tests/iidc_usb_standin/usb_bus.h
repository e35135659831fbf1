// The USB side of the stand-in: devices, open handles and bulk transfers of the virtual
// cameras, and the event loop that completes transfers with frames when they fall due.
// One process-wide instance behind one mutex; callbacks run without it held.
#pragma once

#include <libusb.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

#include "iidc_camera.h"
#include "standin_config.h"

// libusb declares these opaque; the stand-in gives them its own contents.
struct libusb_context {};
struct libusb_device {
    libusb_context* context;
    uint32_t cameraIndex;
    uint32_t generation;  // the camera's plug generation when it was listed
    int references;
};
struct libusb_device_handle {
    libusb_device* device;
};

namespace iidc_standin {

class UsbBus {
public:
    static UsbBus& instance();

    // A new list of the cameras present, each device with one reference.
    std::vector<libusb_device*> listDevices(libusb_context* context);
    void reference(libusb_device* device);
    void unreference(libusb_device* device);

    int open(libusb_device* device, libusb_device_handle** handle);
    void close(libusb_device_handle* handle);
    // LIBUSB_SUCCESS, or LIBUSB_ERROR_NO_DEVICE once the camera was unplugged.
    int deviceStatus(const libusb_device* device);

    // IIDC register access: request 0x7F, address = index << 16 | value, little-endian quads.
    int controlTransfer(libusb_device_handle* handle, uint8_t requestType, uint8_t request,
                        uint16_t value, uint16_t index, unsigned char* data, uint16_t length);

    int submit(libusb_transfer* transfer);
    void forget(libusb_transfer* transfer);
    // Completes the due transfers of the context's handles, waiting up to the timeout for one.
    void handleEvents(libusb_context* context, std::chrono::microseconds timeout);

private:
    struct CameraSlot {
        std::unique_ptr<IidcCamera> camera;
        bool present = true;
        uint32_t generation = 0;
        std::deque<libusb_transfer*> pending;
        FrameGeometry imageGeometry{};
        std::vector<uint8_t> image;  // the pattern of the current geometry
    };

    UsbBus();
    void refreshLocked();
    bool aliveLocked(const libusb_device* device) const;
    bool hasPendingOf(const CameraSlot& slot, const libusb_context* context) const;
    void collectLocked(libusb_context* context, Clock::time_point now,
                       std::vector<libusb_transfer*>& done);
    void deliverFrameLocked(CameraSlot& slot, std::vector<libusb_transfer*>& done);
    const std::vector<uint8_t>& imageLocked(CameraSlot& slot);
    Clock::time_point nextDueLocked(const libusb_context* context) const;

    std::mutex mutex_;
    std::condition_variable wake_;
    ConfigSource config_;
    std::vector<CameraSlot> cameras_;
    uint32_t session_ = 0;
};

}  // namespace iidc_standin
