// The frames of a virtual USB IIDC camera (the libusb stand-in) turned into a host's rows
// three ways, in the same run: a bare libdc1394 capture loop that converts each frame
// straight from libdc1394's buffer into the rows (poll the capture descriptor, dequeue,
// convert, enqueue); the camera library's IIDC bus, whose frame notification fetches the
// newest frame (FWC_GetNativeImage) and converts it; and the plug-in, whose
// CompleteCallback copies every row out with getCVLGrabRow. Counters: frames per second
// and the process's CPU time per frame. The stand-in's own work (copying each frame into
// libdc1394's buffer) is part of that CPU time on every side.
#include <benchmark/benchmark.h>
#include <dc1394/dc1394.h>
#include <poll.h>
#include <sys/resource.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "common/frame_count.h"
#include "fw_status.h"
#include "fwcontrol.h"
#include "fwtransform.h"
#include "iidc_usb/standin_control.h"
#include "support/plugin_host.h"
#include "support/temp_directory.h"

namespace {

struct CameraSetup {
    dc1394video_mode_t mode;
    dc1394color_coding_t coding;  // Format 7 only
    uint32_t width, height;
    uint32_t hostBytesPerPixel;  // 1: grey rows; 3: BGR rows demosaiced from RAW8
};

const CameraSetup kSetups[] = {
    {DC1394_VIDEO_MODE_640x480_MONO8, DC1394_COLOR_CODING_MONO8, 640, 480, 1},
    {DC1394_VIDEO_MODE_FORMAT7_1, DC1394_COLOR_CODING_RAW8, 1280, 960, 3},
};
constexpr uint32_t kBuffers = 8;
constexpr int kFrameTimeoutMs = 1000;
// Frames per benchmark iteration: the benchmark thread of the library and plug-in sides
// wakes once per batch, so its own wake-ups stay out of the cost per frame.
constexpr uint64_t kBatch = 20;
constexpr int32_t kPort = 0;
// A frame period from which on the camera, not the loop, sets the pace.
constexpr double kCameraPacedPeriodUs = 1000;

double processCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec * 1e-6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// range(0): the setup; range(1): the camera's frame period in µs (small: the loop sets
// the pace; larger: the camera does, and the CPU time per frame is what the loop costs).
const CameraSetup& setupOf(const benchmark::State& state) { return kSetups[state.range(0)]; }

void powerUpVirtualCamera(const benchmark::State& state) {
    lvc::test::StandinControl::instance().start("cameras 1\ncamera 0 frame_interval_us " +
                                                std::to_string(state.range(1)) + "\n");
}

// The host's image, a frame's rows one after the other.
struct HostImage {
    explicit HostImage(const CameraSetup& cameraSetup)
        : setup(cameraSetup),
          rowBytes(size_t{setup.width} * setup.hostBytesPerPixel),
          pixels(rowBytes * setup.height) {}

    // What the plug-in does with a frame in the setup's coding: demosaic RAW8 into BGR,
    // copy grey rows as they are.
    void convertFrom(const uint8_t* frame, uint32_t bayerPattern) {
        if (setup.coding == DC1394_COLOR_CODING_RAW8) {
            FWT_Raw8ToBGR(pixels.data(), frame, setup.width, setup.height, bayerPattern);
            return;
        }
        for (uint32_t row = 0; row < setup.height; ++row)
            std::memcpy(&pixels[row * rowBytes], frame + row * rowBytes, rowBytes);
    }

    const CameraSetup& setup;
    const size_t rowBytes;
    std::vector<uint8_t> pixels;
};

// Frames per second and CPU time per frame over the benchmark's measured iterations. A
// side that takes the newest frame skips the frames that complete while it is late, so
// where the camera sets the pace the CPU time per frame the camera sent is the fair
// comparison; the CPU time per delivered frame then counts the skipped ones too.
class FrameMeter {
public:
    FrameMeter() : cpuBefore_(processCpuSeconds()), wallBefore_(Clock::now()) {}
    void report(benchmark::State& state, uint64_t frames, uint64_t checksum) const {
        const double cpu = processCpuSeconds() - cpuBefore_;
        const std::chrono::duration<double, std::micro> wall = Clock::now() - wallBefore_;
        benchmark::DoNotOptimize(checksum);
        const CameraSetup& setup = setupOf(state);
        state.SetLabel(std::to_string(setup.width) + "x" + std::to_string(setup.height));
        state.SetItemsProcessed(static_cast<int64_t>(frames));
        state.counters["fps"] =
            benchmark::Counter(static_cast<double>(frames), benchmark::Counter::kIsRate);
        state.counters["cpu_us_per_frame"] = frames ? cpu * 1e6 / static_cast<double>(frames) : 0;
        const auto periodUs = static_cast<double>(state.range(1));
        if (periodUs >= kCameraPacedPeriodUs)
            state.counters["cpu_us_per_camera_frame"] = cpu * 1e6 * periodUs / wall.count();
    }

private:
    using Clock = std::chrono::steady_clock;
    const double cpuBefore_;
    const Clock::time_point wallBefore_;
};

// Camera 0 of a libdc1394 context, opened and set to the setup: the one place the
// benchmark configures the camera. Each side of the comparison starts from it; a camera
// keeps its format for the next context of the process.
class ConfiguredCamera {
public:
    explicit ConfiguredCamera(const CameraSetup& setup) {
        context_ = dc1394_new();
        dc1394camera_list_t* list = nullptr;
        if (!context_ || dc1394_camera_enumerate(context_, &list) != DC1394_SUCCESS ||
            list->num == 0)
            throw std::runtime_error("no virtual camera (is the stand-in linked?)");
        camera_ = dc1394_camera_new_unit(context_, list->ids[0].guid, list->ids[0].unit);
        dc1394_camera_free_list(list);
        if (!camera_) throw std::runtime_error("cannot open the virtual camera");
        bool set = dc1394_video_set_mode(camera_, setup.mode) == DC1394_SUCCESS;
        if (setup.mode >= DC1394_VIDEO_MODE_FORMAT7_MIN) {
            set = set &&
                  dc1394_format7_set_roi(camera_, setup.mode, setup.coding, DC1394_USE_MAX_AVAIL, 0,
                                         0, setup.width, setup.height) == DC1394_SUCCESS;
            dc1394color_filter_t filter = DC1394_COLOR_FILTER_MIN;
            set = set &&
                  dc1394_format7_get_color_filter(camera_, setup.mode, &filter) == DC1394_SUCCESS;
            bayerPattern_ = filter - DC1394_COLOR_FILTER_MIN;
        } else {
            set = set && dc1394_video_set_framerate(camera_, DC1394_FRAMERATE_60) == DC1394_SUCCESS;
        }
        if (!set) {
            release();
            throw std::runtime_error("cannot set the virtual camera's format");
        }
    }
    ~ConfiguredCamera() { release(); }
    ConfiguredCamera(const ConfiguredCamera&) = delete;
    ConfiguredCamera& operator=(const ConfiguredCamera&) = delete;

    dc1394camera_t* camera() const { return camera_; }
    uint32_t bayerPattern() const { return bayerPattern_; }

private:
    void release() {
        if (camera_) dc1394_camera_free(camera_);
        if (context_) dc1394_free(context_);
    }

    dc1394_t* context_ = nullptr;
    dc1394camera_t* camera_ = nullptr;
    uint32_t bayerPattern_ = 0;
};

// The configured camera capturing through libdc1394 alone.
class CapturingCamera {
public:
    explicit CapturingCamera(const CameraSetup& setup) : configured_(setup) {
        if (dc1394_capture_setup(camera(), kBuffers, DC1394_CAPTURE_FLAGS_DEFAULT) !=
                DC1394_SUCCESS ||
            dc1394_video_set_transmission(camera(), DC1394_ON) != DC1394_SUCCESS)
            throw std::runtime_error("cannot start capture");
    }
    ~CapturingCamera() {
        dc1394_video_set_transmission(camera(), DC1394_OFF);
        dc1394_capture_stop(camera());
    }
    CapturingCamera(const CapturingCamera&) = delete;
    CapturingCamera& operator=(const CapturingCamera&) = delete;

    uint32_t bayerPattern() const { return configured_.bayerPattern(); }

    // The oldest ready frame, waiting up to a second; nullptr on error or timeout.
    dc1394video_frame_t* next() {
        dc1394video_frame_t* frame = nullptr;
        while (!frame) {
            pollfd descriptor{dc1394_capture_get_fileno(camera()), POLLIN, 0};
            if (poll(&descriptor, 1, kFrameTimeoutMs) <= 0) return nullptr;
            if (dc1394_capture_dequeue(camera(), DC1394_CAPTURE_POLICY_POLL, &frame) !=
                DC1394_SUCCESS)
                return nullptr;
        }
        return frame;
    }
    void giveBack(dc1394video_frame_t* frame) { dc1394_capture_enqueue(camera(), frame); }

private:
    dc1394camera_t* camera() const { return configured_.camera(); }

    ConfiguredCamera configured_;
};

void BM_BareDc1394LoopAndConversion(benchmark::State& state) {
    const CameraSetup& setup = setupOf(state);
    powerUpVirtualCamera(state);
    CapturingCamera camera(setup);
    HostImage host(setup);
    uint64_t checksum = 0, frames = 0;
    const FrameMeter meter;
    for (auto _ : state) {
        for (uint64_t inBatch = 0; inBatch < kBatch; ++inBatch) {
            dc1394video_frame_t* frame = camera.next();
            if (!frame) {
                state.SkipWithError("no frame within a second");
                return;
            }
            host.convertFrom(frame->image, camera.bayerPattern());
            camera.giveBack(frame);
            checksum += host.pixels.back();
            ++frames;
        }
    }
    meter.report(state, frames, checksum);
}

// Waits for the callback's frames, a batch per iteration, after a first one.
void measureCallbackFrames(benchmark::State& state, bench::FrameCount& count,
                           const HostImage& host) {
    const auto reaches = [&count](uint64_t target) {
        return count.waitFor(target, std::chrono::milliseconds(kFrameTimeoutMs)) >= target;
    };
    if (!reaches(count.count() + 1)) {
        state.SkipWithError("no frame within a second");
        return;
    }
    const uint64_t first = count.count();
    uint64_t target = first;
    const FrameMeter meter;
    for (auto _ : state) {
        target += kBatch;
        if (!reaches(target)) {
            state.SkipWithError("no frame within a second");
            return;
        }
    }
    meter.report(state, count.count() - first, host.pixels.back());
}

// The camera library on the dc1394 bus: the frame notification fetches and converts.
class LibraryCamera {
public:
    LibraryCamera(const CameraSetup& setup, uint32_t bayerPattern)
        : host_(setup), native_(size_t{setup.width} * setup.height), bayerPattern_(bayerPattern) {
        uint32_t count = 1;
        if (FWC_Init() != FW_STATUS_OK || FWC_GetCameras(&count, &id_) != FW_STATUS_OK ||
            count == 0 || FWC_OpenCamera(id_, 0) != FW_STATUS_OK)
            throw std::runtime_error("no camera on the dc1394 bus");
        FWC_NOTIFICATION notification = FWC_MakeNotification(id_, &LibraryCamera::completed, this);
        if (FWC_RegisterNotification(&handle_, FWC_NOTIFY_FRAME_COMPLETE, &notification) !=
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

    bench::FrameCount& frames() { return frames_; }
    const HostImage& host() const { return host_; }

private:
    static uint32_t FWC_CALL completed(void* context) {
        auto& camera = *static_cast<LibraryCamera*>(context);
        if (FWC_GetNativeImage(camera.id_, camera.native_.data(),
                               static_cast<uint32_t>(camera.native_.size()), 0) != FW_STATUS_OK)
            return 0;
        camera.host_.convertFrom(camera.native_.data(), camera.bayerPattern_);
        camera.frames_.add();
        return 0;
    }

    HostImage host_;
    std::vector<uint8_t> native_;
    const uint32_t bayerPattern_;
    bench::FrameCount frames_;
    uint32_t id_ = 0;
    FWC_HANDLE handle_ = 0;
};

void BM_Dc1394BusThroughTheLibrary(benchmark::State& state) {
    const CameraSetup& setup = setupOf(state);
    powerUpVirtualCamera(state);
    const uint32_t bayerPattern = ConfiguredCamera(setup).bayerPattern();
    LibraryCamera camera(setup, bayerPattern);
    measureCallbackFrames(state, camera.frames(), camera.host());
}

// The plug-in streaming the camera in its continuous mode, every frame delivered to the
// CompleteCallback, which copies the rows out as a host does.
class PluginCamera {
public:
    explicit PluginCamera(const CameraSetup& setup) : host_(setup) {
        active_ = this;
        const std::string directory = systemDirectory_.path().string();
        plugin_.initialize(directory.c_str(), nullptr);
        if (plugin_.getCVLNoOfSupportedCameras() < 1) {
            plugin_.finalize();
            throw std::runtime_error("no camera on the dc1394 bus");
        }
        const std::string name = plugin_.getCVLCameraConfigNames()[0];
        std::ofstream(systemDirectory_.path() / "Lorvenacam.ini")
            << "[" << name << "]\nStreaming=1\n";
        uint32_t size[2] = {};
        int32_t pixelBits = 0;
        const bool opened = plugin_.openCVLPort(0, kPort, name.c_str(), size) == 1;
        if (opened) plugin_.getProperty(0, kPort, "PixelSize", &pixelBits);
        if (!opened || size[0] != setup.width || size[1] != setup.height ||
            pixelBits != static_cast<int32_t>(8 * setup.hostBytesPerPixel)) {
            plugin_.closeCVLPort(0, kPort);
            plugin_.finalize();
            throw std::runtime_error("cannot open the camera in its format");
        }
        plugin_.setCompleteCallback(0, 0, &PluginCamera::completed);
        plugin_.setProperty(0, kPort, "Continous", 1);
    }
    ~PluginCamera() {
        plugin_.closeCVLPort(0, kPort);
        plugin_.setCompleteCallback(0, 0, nullptr);
        plugin_.finalize();
        active_ = nullptr;
    }
    PluginCamera(const PluginCamera&) = delete;
    PluginCamera& operator=(const PluginCamera&) = delete;

    bench::FrameCount& frames() { return frames_; }
    const HostImage& host() const { return host_; }

private:
    static void LVC_CALL completed(int32_t, int32_t port) {
        PluginCamera& camera = *active_;
        const CameraSetup& setup = camera.host_.setup;
        for (uint32_t row = 0; row < setup.height; ++row)
            camera.plugin_.getCVLGrabRow(0, port, &camera.host_.pixels[row * camera.host_.rowBytes],
                                         row, 0, setup.width - 1);
        camera.frames_.add();
    }

    static inline PluginCamera* active_ = nullptr;
    lvc::test::TempDirectory systemDirectory_;
    lvc::test::PluginHost plugin_;
    HostImage host_;
    bench::FrameCount frames_;
};

void BM_Dc1394BusThroughThePlugin(benchmark::State& state) {
    const CameraSetup& setup = setupOf(state);
    powerUpVirtualCamera(state);
    { const ConfiguredCamera configured(setup); }
    PluginCamera camera(setup);
    measureCallbackFrames(state, camera.frames(), camera.host());
}

// What one more thread hand-off per frame costs on this machine: a thread woken through a
// condition variable once per camera period (the bus's path wakes the library's driver
// thread per frame, which the bare loop does not have), less the same paced loop without
// it. range(1): the period in µs.
class WokenThread {
public:
    WokenThread()
        : thread_([this] {
              std::unique_lock lock(mutex_);
              while (!stopping_) {
                  woken_.wait(lock, [&] { return stopping_ || sent_ > seen_; });
                  seen_ = sent_;
              }
          }) {}
    ~WokenThread() {
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        woken_.notify_one();
        thread_.join();
    }
    WokenThread(const WokenThread&) = delete;
    WokenThread& operator=(const WokenThread&) = delete;

    void wake() {
        {
            std::lock_guard lock(mutex_);
            ++sent_;
        }
        woken_.notify_one();
    }

private:
    std::mutex mutex_;
    std::condition_variable woken_;
    uint64_t sent_ = 0, seen_ = 0;
    bool stopping_ = false;
    std::thread thread_;
};

// CPU seconds of `periods` paced periods, with a hand-off to `woken` per period if given.
double pacedCpuSeconds(std::chrono::microseconds period, uint64_t periods, WokenThread* woken) {
    const double before = processCpuSeconds();
    auto next = std::chrono::steady_clock::now();
    for (uint64_t done = 0; done < periods; ++done) {
        next += period;
        std::this_thread::sleep_until(next);
        if (woken) woken->wake();
    }
    return processCpuSeconds() - before;
}

void BM_ThreadHandOff(benchmark::State& state) {
    const std::chrono::microseconds period(state.range(1));
    WokenThread woken;
    double withHandOff = 0, without = 0;
    uint64_t periods = 0;
    for (auto _ : state) {
        without += pacedCpuSeconds(period, kBatch, nullptr);
        withHandOff += pacedCpuSeconds(period, kBatch, &woken);
        periods += kBatch;
    }
    state.counters["cpu_us_per_hand_off"] =
        (withHandOff - without) * 1e6 / static_cast<double>(periods);
}

void registerSide(const char* name, void (*side)(benchmark::State&)) {
    benchmark::RegisterBenchmark(name, side)
        ->ArgsProduct({{0, 1}, {20, 2000}})
        ->UseRealTime()
        ->Unit(benchmark::kMillisecond);
}

}  // namespace

int main(int argc, char** argv) {
    setenv("FWCONTROL_BUSES", "dc1394", 1);
    benchmark::Initialize(&argc, argv);
    registerSide("BM_BareDc1394LoopAndConversion", BM_BareDc1394LoopAndConversion);
    registerSide("BM_Dc1394BusThroughTheLibrary", BM_Dc1394BusThroughTheLibrary);
    registerSide("BM_Dc1394BusThroughThePlugin", BM_Dc1394BusThroughThePlugin);
    benchmark::RegisterBenchmark("BM_ThreadHandOff", BM_ThreadHandOff)
        ->Args({0, 2000})
        ->UseRealTime()
        ->Unit(benchmark::kMillisecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
