// CCamera: the state of one camera while the plug-in uses it, on a host port or for the
// duration of the configuration dialog.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>

#include "fwcontrol.h"
#include "platform/named_mutex.h"

namespace lvc {

constexpr std::size_t kNameSize = 128;
constexpr std::size_t kSystemPathSize = 260;
constexpr std::size_t kLutNameSize = 259;

struct CCamera;
using PortCallback = void (*)(CCamera*);

// A driver notification registration: the handle beside its descriptor. The driver keeps
// a pointer to the descriptor, so it must not move while registered.
struct NotificationRegistration {
    FWC_HANDLE handle = 0;
    FWC_NOTIFICATION descriptor{};
    bool registered = false;
};

struct CCamera {
    uint32_t cameraId = 0;
    int32_t port = -1;
    char systemPath[kSystemPathSize] = {};
    char name[kNameSize] = {};
    bool opened = false;
    // Held by a notification handler while it runs: retiring takes it, so a handler that
    // began before has ended when the camera is stopped, as unregistering would ensure.
    std::mutex handlerGate;
    // Set, under handlerGate, when the camera is destroyed while the driver still holds a
    // registration: its handlers then return at once, and the camera lives until the
    // driver lets it go.
    bool retired = false;
    // Shared between the host's threads and the driver's notification thread.
    std::atomic<bool> frameRequested{false};
    std::atomic<bool> continuous{false};
    // Read by the frame handler while the host's thread (start, dialog) may write them.
    std::atomic<uint32_t> triggerActive{0};
    uint32_t busLoad = 1000;
    std::atomic<bool> streaming{false};
    PortCallback portCallback = nullptr;
    // The thread handing a frame of this camera to the host, while it does; and whether the
    // host closed the camera's port from inside that hand-over (its CompleteCallback), which
    // only that thread reads and writes.
    std::atomic<std::thread::id> deliveringThread{};
    bool releasedWhileDelivering = false;
    std::atomic<int32_t> requestCount{0};
    std::atomic<int32_t> receivedCount{0};
    std::atomic<int32_t> deliveredCount{0};
    NamedMutex* frameReadyMutex = nullptr;  // borrowed: the process-wide frame-ready mutex
    uint32_t freeMode = 0;
    uint32_t colorCoding = 0;
    uint32_t bitDepth = 0;
    uint32_t aoiLeft = 0;
    uint32_t aoiTop = 0;
    uint32_t width = 0;
    uint32_t height = 0;
    bool useLut = false;
    char lutName[kLutNameSize] = {};
    NotificationRegistration frameNotify;
    NotificationRegistration dropNotify;
    NotificationRegistration errorNotify;
    uint32_t capabilities[4] = {};
    uint32_t bayerPattern = 0;
    uint32_t interlaced = 0;
    uint32_t rawSize = 0;
    std::unique_ptr<uint8_t[]> rawImage;  // sized by startCamera, freed by stopCamera
    uint32_t imageSize = 0;
    std::unique_ptr<uint8_t[]> image;  // sized by startCamera, freed by stopCamera
};

// Unregisters the notifications, stops the camera and frees it. Null is ignored. A
// camera with a registration the driver would not end is retired (a running handler
// waited for) and stopped instead: the driver may still hand it to a handler.
void destroyCamera(CCamera* camera);
// Tries again to end the registrations of the retired cameras, and frees those whose
// registrations all ended. Only while the driver that made them is not released.
void freeRetiredCameras();
// After the driver is released: the retired cameras are kept as they are, no longer
// tried again.
void keepRetiredCameras();

struct CameraDestroyer {
    void operator()(CCamera* camera) const { destroyCamera(camera); }
};
using CameraPtr = std::unique_ptr<CCamera, CameraDestroyer>;

// Builds a camera for a camera-list entry and registers its three notifications; null
// when it cannot be built or a registration fails. The settings files live in systemPath
// (copied; null or empty: the current directory); frameReadyMutex, borrowed, must outlive
// the camera (null: frames are not serialised).
CameraPtr createCamera(uint32_t cameraId, const char* name, const char* systemPath,
                       NamedMutex* frameReadyMutex);
// Bits per pixel of the output image for the camera's colour coding: 24 or 8.
uint32_t PixelSize(const CCamera& camera);

}  // namespace lvc
