#include "usb_bus.h"

#include <algorithm>
#include <cstring>

#include "iidc_test_pattern.h"

namespace iidc_standin {
namespace {

constexpr uint8_t kRegisterRequest = 0x7F;
constexpr unsigned char kFrameEndpoint = 0x81;
// How often a waiting event loop looks at the configuration file (an unplug, say).
constexpr auto kConfigPollInterval = std::chrono::milliseconds(10);

uint32_t littleEndianQuad(const unsigned char* bytes) {
    return uint32_t{bytes[0]} | uint32_t{bytes[1]} << 8 | uint32_t{bytes[2]} << 16 |
           uint32_t{bytes[3]} << 24;
}

void putLittleEndianQuad(unsigned char* bytes, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<unsigned char>(value >> (8 * i));
}

bool sameGeometry(const FrameGeometry& a, const FrameGeometry& b) {
    return a.width == b.width && a.height == b.height && a.coding == b.coding;
}

}  // namespace

UsbBus& UsbBus::instance() {
    // Never destroyed: libdc1394 may still call in while the process exits.
    static UsbBus* bus = new UsbBus;
    return *bus;
}

UsbBus::UsbBus() : session_(config_.current().session) {
    for (const CameraConfig& camera : config_.current().cameras) {
        cameras_.emplace_back();
        cameras_.back().camera = std::make_unique<IidcCamera>(camera);
    }
}

// Applies a changed configuration file: new cameras appear, unplugged ones get a new
// generation so that their open handles and queued transfers fail from now on.
void UsbBus::refreshLocked() {
    if (!config_.refresh()) return;
    const auto& configs = config_.current().cameras;
    const bool newSession = config_.current().session != session_;
    session_ = config_.current().session;
    for (size_t i = 0; i < std::max(configs.size(), cameras_.size()); ++i) {
        if (i == cameras_.size()) {
            cameras_.emplace_back();
            cameras_.back().camera = std::make_unique<IidcCamera>(configs[i]);
        }
        CameraSlot& slot = cameras_[i];
        const bool present = i < configs.size() && !configs[i].unplugged;
        if ((slot.present && !present) || newSession) ++slot.generation;
        slot.present = present;
        if (newSession && i < configs.size()) {
            slot.camera = std::make_unique<IidcCamera>(configs[i]);
        } else if (i < configs.size()) {
            slot.camera->reconfigure(configs[i]);
        }
    }
    wake_.notify_all();
}

bool UsbBus::aliveLocked(const libusb_device* device) const {
    const CameraSlot& slot = cameras_[device->cameraIndex];
    return slot.present && slot.generation == device->generation;
}

std::vector<libusb_device*> UsbBus::listDevices(libusb_context* context) {
    std::lock_guard lock(mutex_);
    refreshLocked();
    std::vector<libusb_device*> devices;
    for (uint32_t i = 0; i < cameras_.size(); ++i) {
        if (cameras_[i].present)
            devices.push_back(new libusb_device{context, i, cameras_[i].generation, 1});
    }
    return devices;
}

void UsbBus::reference(libusb_device* device) {
    std::lock_guard lock(mutex_);
    ++device->references;
}

void UsbBus::unreference(libusb_device* device) {
    std::lock_guard lock(mutex_);
    if (--device->references == 0) delete device;
}

int UsbBus::open(libusb_device* device, libusb_device_handle** handle) {
    std::lock_guard lock(mutex_);
    refreshLocked();
    if (!aliveLocked(device)) return LIBUSB_ERROR_NO_DEVICE;
    ++device->references;
    *handle = new libusb_device_handle{device};
    return LIBUSB_SUCCESS;
}

// Transfers still queued on the handle are dropped: they never complete.
void UsbBus::close(libusb_device_handle* handle) {
    std::lock_guard lock(mutex_);
    auto& pending = cameras_[handle->device->cameraIndex].pending;
    std::erase_if(pending, [handle](libusb_transfer* t) { return t->dev_handle == handle; });
    if (--handle->device->references == 0) delete handle->device;
    delete handle;
}

int UsbBus::deviceStatus(const libusb_device* device) {
    std::lock_guard lock(mutex_);
    refreshLocked();
    return aliveLocked(device) ? LIBUSB_SUCCESS : LIBUSB_ERROR_NO_DEVICE;
}

int UsbBus::controlTransfer(libusb_device_handle* handle, uint8_t requestType, uint8_t request,
                            uint16_t value, uint16_t index, unsigned char* data, uint16_t length) {
    std::lock_guard lock(mutex_);
    refreshLocked();
    if (!aliveLocked(handle->device)) return LIBUSB_ERROR_NO_DEVICE;
    if (request != kRegisterRequest || length % 4 != 0) return LIBUSB_ERROR_PIPE;
    IidcCamera& camera = *cameras_[handle->device->cameraIndex].camera;
    const uint32_t address = uint32_t{index} << 16 | value;
    const bool deviceToHost = requestType & LIBUSB_ENDPOINT_IN;
    for (uint16_t offset = 0; offset < length; offset += 4) {
        if (!deviceToHost) {
            camera.write(address + offset, littleEndianQuad(data + offset), Clock::now());
            continue;
        }
        uint32_t quad = 0;
        if (!camera.read(address + offset, quad))
            return offset ? int{offset} : int{LIBUSB_ERROR_PIPE};
        putLittleEndianQuad(data + offset, quad);
    }
    if (!deviceToHost) wake_.notify_all();
    return length;
}

int UsbBus::submit(libusb_transfer* transfer) {
    std::lock_guard lock(mutex_);
    refreshLocked();
    const libusb_device* device = transfer->dev_handle->device;
    if (!aliveLocked(device)) return LIBUSB_ERROR_NO_DEVICE;
    if (transfer->type != LIBUSB_TRANSFER_TYPE_BULK || transfer->endpoint != kFrameEndpoint)
        return LIBUSB_ERROR_NOT_SUPPORTED;
    CameraSlot& slot = cameras_[device->cameraIndex];
    if (std::find(slot.pending.begin(), slot.pending.end(), transfer) != slot.pending.end())
        return LIBUSB_ERROR_BUSY;
    const uint32_t limit = slot.camera->config().maxTransfers;
    if (limit != 0 && slot.pending.size() >= limit) return LIBUSB_ERROR_NO_MEM;
    // Frames that fell due while no buffer was queued went nowhere: they are lost.
    if (slot.pending.empty()) slot.camera->loseFramesDueBy(Clock::now());
    // An event loop of this context already waits for the next frame due when the camera
    // had a transfer of it queued: only a first one changes what it waits for.
    const bool firstOfContext = !hasPendingOf(slot, device->context);
    slot.pending.push_back(transfer);
    if (firstOfContext) wake_.notify_all();
    return LIBUSB_SUCCESS;
}

// libdc1394 frees its transfers at capture stop without cancelling them first.
void UsbBus::forget(libusb_transfer* transfer) {
    std::lock_guard lock(mutex_);
    for (CameraSlot& slot : cameras_) std::erase(slot.pending, transfer);
}

bool UsbBus::hasPendingOf(const CameraSlot& slot, const libusb_context* context) const {
    return std::any_of(slot.pending.begin(), slot.pending.end(), [context](libusb_transfer* t) {
        return t->dev_handle->device->context == context;
    });
}

void UsbBus::handleEvents(libusb_context* context, std::chrono::microseconds timeout) {
    thread_local std::vector<libusb_transfer*> done;
    done.clear();
    std::unique_lock lock(mutex_);
    const Clock::time_point deadline = Clock::now() + timeout;
    for (;;) {
        refreshLocked();
        const Clock::time_point now = Clock::now();
        collectLocked(context, now, done);
        if (!done.empty() || now >= deadline) break;
        wake_.wait_until(lock,
                         std::min({deadline, nextDueLocked(context), now + kConfigPollInterval}));
    }
    lock.unlock();
    for (libusb_transfer* transfer : done) transfer->callback(transfer);
}

void UsbBus::collectLocked(libusb_context* context, Clock::time_point now,
                           std::vector<libusb_transfer*>& done) {
    for (CameraSlot& slot : cameras_) {
        if (!hasPendingOf(slot, context)) continue;
        std::erase_if(slot.pending, [&](libusb_transfer* transfer) {
            if (aliveLocked(transfer->dev_handle->device)) return false;
            transfer->status = LIBUSB_TRANSFER_NO_DEVICE;
            transfer->actual_length = 0;
            done.push_back(transfer);
            return true;
        });
        while (!slot.pending.empty() && slot.camera->nextFrameDue() <= now)
            deliverFrameLocked(slot, done);
    }
}

void UsbBus::deliverFrameLocked(CameraSlot& slot, std::vector<libusb_transfer*>& done) {
    const uint32_t sequence = slot.camera->takeFrame();
    const CameraConfig& config = slot.camera->config();
    if (config.dropEvery && sequence % config.dropEvery == 0) return;
    libusb_transfer* transfer = slot.pending.front();
    slot.pending.pop_front();
    const std::vector<uint8_t>& image = imageLocked(slot);
    const size_t length = static_cast<size_t>(std::max(transfer->length, 0));
    const size_t copied = std::min(length, image.size());
    std::memcpy(transfer->buffer, image.data(), copied);
    std::memset(transfer->buffer + copied, 0, length - copied);
    for (size_t i = 0; i < kSequenceBytes && i < length; ++i)
        transfer->buffer[i] = static_cast<unsigned char>(sequence >> (24 - 8 * i));
    const bool cutShort = config.shortEvery && sequence % config.shortEvery == 0;
    transfer->actual_length = static_cast<int>(cutShort ? length / 2 : length);
    transfer->status = LIBUSB_TRANSFER_COMPLETED;
    done.push_back(transfer);
}

const std::vector<uint8_t>& UsbBus::imageLocked(CameraSlot& slot) {
    const FrameGeometry geometry = slot.camera->geometry();
    if (slot.image.empty() || !sameGeometry(geometry, slot.imageGeometry)) {
        slot.image = renderImage(geometry.width, geometry.height, geometry.coding);
        slot.imageGeometry = geometry;
    }
    return slot.image;
}

Clock::time_point UsbBus::nextDueLocked(const libusb_context* context) const {
    Clock::time_point next = Clock::time_point::max();
    for (const CameraSlot& slot : cameras_)
        if (hasPendingOf(slot, context)) next = std::min(next, slot.camera->nextFrameDue());
    return next;
}

}  // namespace iidc_standin
