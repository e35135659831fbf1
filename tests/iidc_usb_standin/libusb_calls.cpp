// The libusb-1.0 calls libdc1394's USB platform makes, answered by the virtual cameras.
// Preloaded (or linked ahead of libdc1394), these definitions take the place of libusb's.
#include <libusb.h>

#include <chrono>
#include <cstring>

#include "usb_bus.h"

#define STANDIN_EXPORT extern "C" __attribute__((visibility("default")))

using iidc_standin::UsbBus;

namespace {

constexpr uint16_t kIidcVendorId = 0x1E10;  // a pair libdc1394 recognises as an IIDC camera
constexpr uint16_t kIidcProductId = 0x2000;
constexpr uint8_t kBusNumber = 1;

libusb_context defaultContext;

// One configuration, one interface with the bulk-IN frame endpoint 0x81. libdc1394 never
// frees what get_active_config_descriptor returns, so it is static.
constexpr libusb_endpoint_descriptor kFrameEndpoint = {LIBUSB_DT_ENDPOINT_SIZE,
                                                       LIBUSB_DT_ENDPOINT,
                                                       0x81,
                                                       LIBUSB_TRANSFER_TYPE_BULK,
                                                       512,
                                                       0,
                                                       0,
                                                       0,
                                                       nullptr,
                                                       0};
constexpr libusb_interface_descriptor kInterface = {LIBUSB_DT_INTERFACE_SIZE,
                                                    LIBUSB_DT_INTERFACE,
                                                    0,
                                                    0,
                                                    1,
                                                    LIBUSB_CLASS_VENDOR_SPEC,
                                                    0,
                                                    0,
                                                    0,
                                                    &kFrameEndpoint,
                                                    nullptr,
                                                    0};
constexpr libusb_interface kInterfaces = {&kInterface, 1};
constexpr libusb_config_descriptor kConfiguration = {
    LIBUSB_DT_CONFIG_SIZE, LIBUSB_DT_CONFIG, 32, 1, 1, 0, 0x80, 250, &kInterfaces, nullptr, 0};

}  // namespace

STANDIN_EXPORT int libusb_init(libusb_context** context) {
    if (context) *context = new libusb_context;
    return LIBUSB_SUCCESS;
}

STANDIN_EXPORT void libusb_exit(libusb_context* context) {
    if (context != &defaultContext) delete context;
}

STANDIN_EXPORT ssize_t libusb_get_device_list(libusb_context* context, libusb_device*** list) {
    const auto devices = UsbBus::instance().listDevices(context ? context : &defaultContext);
    *list = new libusb_device*[devices.size() + 1];
    std::copy(devices.begin(), devices.end(), *list);
    (*list)[devices.size()] = nullptr;
    return static_cast<ssize_t>(devices.size());
}

STANDIN_EXPORT void libusb_free_device_list(libusb_device** list, int unreference) {
    if (!list) return;
    for (libusb_device** device = list; unreference && *device; ++device)
        UsbBus::instance().unreference(*device);
    delete[] list;
}

STANDIN_EXPORT int libusb_get_device_descriptor(libusb_device*, libusb_device_descriptor* desc) {
    std::memset(desc, 0, sizeof *desc);
    desc->bLength = LIBUSB_DT_DEVICE_SIZE;
    desc->bDescriptorType = LIBUSB_DT_DEVICE;
    desc->bcdUSB = 0x0200;
    desc->bMaxPacketSize0 = 64;
    desc->idVendor = kIidcVendorId;
    desc->idProduct = kIidcProductId;
    desc->bNumConfigurations = 1;
    return LIBUSB_SUCCESS;
}

STANDIN_EXPORT int libusb_get_active_config_descriptor(libusb_device*,
                                                       libusb_config_descriptor** config) {
    *config = const_cast<libusb_config_descriptor*>(&kConfiguration);
    return LIBUSB_SUCCESS;
}

STANDIN_EXPORT uint8_t libusb_get_bus_number(libusb_device*) { return kBusNumber; }

STANDIN_EXPORT uint8_t libusb_get_device_address(libusb_device* device) {
    return static_cast<uint8_t>(device->cameraIndex + 1);
}

STANDIN_EXPORT int libusb_get_device_speed(libusb_device*) { return LIBUSB_SPEED_HIGH; }

STANDIN_EXPORT int libusb_open(libusb_device* device, libusb_device_handle** handle) {
    return UsbBus::instance().open(device, handle);
}

STANDIN_EXPORT void libusb_close(libusb_device_handle* handle) {
    if (handle) UsbBus::instance().close(handle);
}

STANDIN_EXPORT libusb_device* libusb_get_device(libusb_device_handle* handle) {
    return handle->device;
}

STANDIN_EXPORT int libusb_set_configuration(libusb_device_handle* handle, int) {
    return UsbBus::instance().deviceStatus(handle->device);
}

STANDIN_EXPORT int libusb_claim_interface(libusb_device_handle* handle, int) {
    return UsbBus::instance().deviceStatus(handle->device);
}

STANDIN_EXPORT int libusb_release_interface(libusb_device_handle* handle, int) {
    return UsbBus::instance().deviceStatus(handle->device);
}

STANDIN_EXPORT int libusb_reset_device(libusb_device_handle* handle) {
    const int status = UsbBus::instance().deviceStatus(handle->device);
    return status == LIBUSB_SUCCESS ? status : LIBUSB_ERROR_NOT_FOUND;
}

STANDIN_EXPORT int libusb_control_transfer(libusb_device_handle* handle, uint8_t requestType,
                                           uint8_t request, uint16_t value, uint16_t index,
                                           unsigned char* data, uint16_t length, unsigned int) {
    return UsbBus::instance().controlTransfer(handle, requestType, request, value, index, data,
                                              length);
}

STANDIN_EXPORT libusb_transfer* libusb_alloc_transfer(int isoPackets) {
    const size_t size = sizeof(libusb_transfer) +
                        sizeof(libusb_iso_packet_descriptor) * static_cast<size_t>(isoPackets);
    return static_cast<libusb_transfer*>(calloc(1, size));
}

STANDIN_EXPORT void libusb_free_transfer(libusb_transfer* transfer) {
    if (!transfer) return;
    UsbBus::instance().forget(transfer);
    free(transfer);
}

STANDIN_EXPORT int libusb_submit_transfer(libusb_transfer* transfer) {
    return UsbBus::instance().submit(transfer);
}

STANDIN_EXPORT int libusb_handle_events_timeout(libusb_context* context, struct timeval* tv) {
    const auto timeout = std::chrono::seconds(tv->tv_sec) + std::chrono::microseconds(tv->tv_usec);
    UsbBus::instance().handleEvents(context ? context : &defaultContext, timeout);
    return LIBUSB_SUCCESS;
}
