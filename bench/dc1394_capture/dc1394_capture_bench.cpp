// A bare libdc1394 capture loop (poll the capture descriptor, dequeue, touch the frame,
// enqueue) on a virtual USB IIDC camera presented by the libusb stand-in, beside the same
// camera through the camera library's IIDC bus (FWC_ calls: wait for the frame
// notification, copy the newest frame): frames per second and the process's CPU time per
// frame. The stand-in's own work (copying each
// frame into libdc1394's buffer) is part of that CPU time, as it will be for the plug-in.
#include <benchmark/benchmark.h>
#include <dc1394/dc1394.h>
#include <poll.h>
#include <sys/resource.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <stdexcept>
#include <string>
#include <vector>

#include "fw_status.h"
#include "fwcontrol.h"
#include "iidc_usb/standin_control.h"

namespace {

struct CameraSetup {
    dc1394video_mode_t mode;
    dc1394color_coding_t coding;  // Format 7 only
    uint32_t width, height;
};

const CameraSetup kSetups[] = {
    {DC1394_VIDEO_MODE_640x480_MONO8, DC1394_COLOR_CODING_MONO8, 640, 480},
    {DC1394_VIDEO_MODE_FORMAT7_1, DC1394_COLOR_CODING_RAW8, 1280, 960},
};
constexpr uint32_t kBuffers = 8;
constexpr int kFrameTimeoutMs = 1000;

double processCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec * 1e-6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Camera 0 of a fresh libdc1394 context, capturing in the given setup.
class CapturingCamera {
public:
    explicit CapturingCamera(const CameraSetup& setup) {
        context_ = dc1394_new();
        dc1394camera_list_t* list = nullptr;
        if (!context_ || dc1394_camera_enumerate(context_, &list) != DC1394_SUCCESS ||
            list->num == 0)
            throw std::runtime_error("no virtual camera (is the stand-in linked?)");
        camera_ = dc1394_camera_new_unit(context_, list->ids[0].guid, list->ids[0].unit);
        dc1394_camera_free_list(list);
        if (!camera_) throw std::runtime_error("cannot open the virtual camera");
        dc1394_video_set_mode(camera_, setup.mode);
        if (setup.mode >= DC1394_VIDEO_MODE_FORMAT7_MIN) {
            dc1394_format7_set_roi(camera_, setup.mode, setup.coding, DC1394_USE_MAX_AVAIL, 0, 0,
                                   setup.width, setup.height);
        } else {
            dc1394_video_set_framerate(camera_, DC1394_FRAMERATE_60);
        }
        if (dc1394_capture_setup(camera_, kBuffers, DC1394_CAPTURE_FLAGS_DEFAULT) !=
                DC1394_SUCCESS ||
            dc1394_video_set_transmission(camera_, DC1394_ON) != DC1394_SUCCESS)
            throw std::runtime_error("cannot start capture");
    }
    ~CapturingCamera() {
        dc1394_video_set_transmission(camera_, DC1394_OFF);
        dc1394_capture_stop(camera_);
        dc1394_camera_free(camera_);
        dc1394_free(context_);
    }
    CapturingCamera(const CapturingCamera&) = delete;
    CapturingCamera& operator=(const CapturingCamera&) = delete;

    // The oldest ready frame, waiting up to a second; nullptr on error or timeout.
    dc1394video_frame_t* next() {
        dc1394video_frame_t* frame = nullptr;
        while (!frame) {
            pollfd descriptor{dc1394_capture_get_fileno(camera_), POLLIN, 0};
            if (poll(&descriptor, 1, kFrameTimeoutMs) <= 0) return nullptr;
            if (dc1394_capture_dequeue(camera_, DC1394_CAPTURE_POLICY_POLL, &frame) !=
                DC1394_SUCCESS)
                return nullptr;
        }
        return frame;
    }
    void giveBack(dc1394video_frame_t* frame) { dc1394_capture_enqueue(camera_, frame); }

private:
    dc1394_t* context_ = nullptr;
    dc1394camera_t* camera_ = nullptr;
};

// range(0): the setup; range(1): the camera's frame period in µs (small: the loop sets
// the pace; larger: the camera does, and the CPU time per frame is what the loop costs).
void BM_BareDc1394CaptureLoop(benchmark::State& state) {
    const CameraSetup& setup = kSetups[state.range(0)];
    lvc::test::StandinControl::instance().start("cameras 1\ncamera 0 frame_interval_us " +
                                                std::to_string(state.range(1)) + "\n");
    CapturingCamera camera(setup);
    uint64_t checksum = 0, frames = 0;
    const double cpuBefore = processCpuSeconds();
    for (auto _ : state) {
        dc1394video_frame_t* frame = camera.next();
        if (!frame) {
            state.SkipWithError("no frame within a second");
            break;
        }
        checksum += frame->image[frame->image_bytes - 1];
        camera.giveBack(frame);
        ++frames;
    }
    benchmark::DoNotOptimize(checksum);
    const double cpu = processCpuSeconds() - cpuBefore;
    state.SetLabel(std::to_string(setup.width) + "x" + std::to_string(setup.height));
    state.SetItemsProcessed(static_cast<int64_t>(frames));
    state.counters["fps"] =
        benchmark::Counter(static_cast<double>(frames), benchmark::Counter::kIsRate);
    state.counters["cpu_us_per_frame"] = frames ? cpu * 1e6 / static_cast<double>(frames) : 0;
}
BENCHMARK(BM_BareDc1394CaptureLoop)
    ->ArgsProduct({{0, 1}, {20, 2000}})
    ->UseRealTime()
    ->Unit(benchmark::kMicrosecond);

// The frame notifications of the camera library, as a count to wait on.
class FrameSignal {
public:
    static uint32_t FWC_CALL completed(void* context) {
        auto* signal = static_cast<FrameSignal*>(context);
        {
            std::lock_guard lock(signal->mutex_);
            ++signal->count_;
        }
        signal->changed_.notify_one();
        return 0;
    }
    // Waits up to a second for a notification after `seen`; the new count, or seen.
    uint64_t waitAfter(uint64_t seen) {
        std::unique_lock lock(mutex_);
        changed_.wait_for(lock, std::chrono::milliseconds(kFrameTimeoutMs),
                          [&] { return count_ > seen; });
        return count_;
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    uint64_t count_ = 0;
};

// Camera 0 of the camera library on the dc1394 bus, streaming continuously in the setup.
class LibraryCamera {
public:
    LibraryCamera(const CameraSetup& setup, FrameSignal& signal) {
        setenv("FWCONTROL_BUSES", "dc1394", 1);
        uint32_t count = 1;
        if (FWC_Init() != FW_STATUS_OK || FWC_GetCameras(&count, &id_) != FW_STATUS_OK ||
            count == 0 || FWC_OpenCamera(id_, 0) != FW_STATUS_OK)
            throw std::runtime_error("no camera on the dc1394 bus");
        int32_t status = FW_STATUS_OK;
        if (setup.mode >= DC1394_VIDEO_MODE_FORMAT7_MIN) {
            uint32_t mode = setup.mode - DC1394_VIDEO_MODE_FORMAT7_MIN;
            uint32_t coding = setup.coding - DC1394_COLOR_CODING_MIN;
            uint32_t width = setup.width, height = setup.height, left = 0, top = 0;
            uint32_t busLoad = 1000;
            status = FWC_PrepareFreeGrab(id_, &mode, &coding, &width, &height, nullptr, &left, &top,
                                         &busLoad);
        } else {
            status = FWC_PrepareFixedGrab(id_, 0, setup.mode - DC1394_VIDEO_MODE_160x120_YUV444,
                                          DC1394_FRAMERATE_60 - DC1394_FRAMERATE_MIN);
        }
        FWC_NOTIFICATION notification = FWC_MakeNotification(id_, &FrameSignal::completed, &signal);
        if (status != FW_STATUS_OK ||
            FWC_RegisterNotification(&handle_, FWC_NOTIFY_FRAME_COMPLETE, &notification) !=
                FW_STATUS_OK ||
            FWC_GrabStart(id_, FWC_GRAB_CONTINUOUS) != FW_STATUS_OK)
            throw std::runtime_error("cannot start the grab");
    }
    ~LibraryCamera() {
        FWC_GrabStop(id_, 1);
        FWC_UnRegisterNotification(handle_);
        FWC_CloseCamera(id_);
        FWC_Release();
    }
    LibraryCamera(const LibraryCamera&) = delete;
    LibraryCamera& operator=(const LibraryCamera&) = delete;

    bool copyNewest(std::vector<uint8_t>& frame) {
        return FWC_GetNativeImage(id_, frame.data(), static_cast<uint32_t>(frame.size()), 0) ==
               FW_STATUS_OK;
    }

private:
    uint32_t id_ = 0;
    FWC_HANDLE handle_ = 0;
};

// The same camera and setups as the bare loop, through the camera library.
void BM_Dc1394BusThroughTheLibrary(benchmark::State& state) {
    const CameraSetup& setup = kSetups[state.range(0)];
    lvc::test::StandinControl::instance().start("cameras 1\ncamera 0 frame_interval_us " +
                                                std::to_string(state.range(1)) + "\n");
    FrameSignal signal;
    LibraryCamera camera(setup, signal);
    std::vector<uint8_t> frame(size_t{setup.width} * setup.height);
    uint64_t checksum = 0, frames = 0, seen = 0;
    const double cpuBefore = processCpuSeconds();
    for (auto _ : state) {
        const uint64_t now = signal.waitAfter(seen);
        if (now == seen || !camera.copyNewest(frame)) {
            state.SkipWithError("no frame within a second");
            break;
        }
        seen = now;
        checksum += frame.back();
        ++frames;
    }
    benchmark::DoNotOptimize(checksum);
    const double cpu = processCpuSeconds() - cpuBefore;
    state.SetLabel(std::to_string(setup.width) + "x" + std::to_string(setup.height));
    state.SetItemsProcessed(static_cast<int64_t>(frames));
    state.counters["fps"] =
        benchmark::Counter(static_cast<double>(frames), benchmark::Counter::kIsRate);
    state.counters["cpu_us_per_frame"] = frames ? cpu * 1e6 / static_cast<double>(frames) : 0;
}
BENCHMARK(BM_Dc1394BusThroughTheLibrary)
    ->ArgsProduct({{0, 1}, {20, 2000}})
    ->UseRealTime()
    ->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
