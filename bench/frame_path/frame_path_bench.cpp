// The frame path as a host sees it (frames delivered to CompleteCallback, every row copied
// out with getCVLGrabRow), beside the bare calls it is built from (FWC_GetNativeImage, the
// conversion, a memcpy per row) in the same run, on the simulated bus in "fast" timing:
// a camera makes its next frame as soon as the last one was fetched.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/frame_count.h"
#include "fwcontrol.h"
#include "fwtransform.h"
#include "support/allocation_counter.h"
#include "support/plugin_host.h"
#include "support/temp_directory.h"

namespace {

constexpr const char* kBus = R"json({ "cameras": [
  { "id": 61, "model": "RAW8-1600", "timing": "fast", "bayer": "GRBG",
    "format7": [ { "mode": 0, "maxWidth": 1600, "maxHeight": 1200, "codings": [9] } ] },
  { "id": 62, "model": "MONO8-640", "timing": "fast",
    "fixedFormats": [ { "format": 0, "mode": 5, "rates": [5] } ] }
] })json";

constexpr int32_t kPort = 0;
// A camera that sends nothing for this long has stopped.
constexpr std::chrono::milliseconds kFrameTimeout{10000};

// The host's copy of the current frame, filled row by row.
struct HostFrame {
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t bytesPerPixel = 0;
    std::vector<uint8_t> pixels;
    std::size_t rowBytes() const { return std::size_t{width} * bytesPerPixel; }
};

lvc::test::TempDirectory& systemDirectory() {
    static lvc::test::TempDirectory directory;
    return directory;
}

bench::FrameCount frameCount;
HostFrame hostFrame;
lvc::test::PluginHost* activePlugin = nullptr;

// Waits for frames for as long as the benchmark runs; reports frames per second of real
// time and heap allocations per frame over the measured frames.
void measureFrames(benchmark::State& state) {
    uint64_t seen = frameCount.waitFor(frameCount.count() + 2, kFrameTimeout);
    const uint64_t first = seen;
    const uint64_t allocationsBefore = lvc::test::allocationCount();
    for (auto _ : state) {
        const uint64_t now = frameCount.waitFor(seen + 1, kFrameTimeout);
        if (now == seen) {
            state.SkipWithError("no frame within the timeout");
            break;
        }
        seen = now;
    }
    const uint64_t allocations = lvc::test::allocationCount() - allocationsBefore;
    const double frames = static_cast<double>(seen - first);
    state.counters["fps"] = benchmark::Counter(frames, benchmark::Counter::kIsRate);
    state.counters["frames"] = frames;
    state.counters["allocations"] = static_cast<double>(allocations);
    state.counters["allocations_per_frame"] = static_cast<double>(allocations) / frames;
}

void LVC_CALL copyRowsToHost(int32_t, int32_t port) {
    for (uint32_t row = 0; row < hostFrame.height; ++row)
        activePlugin->getCVLGrabRow(0, port, &hostFrame.pixels[row * hostFrame.rowBytes()], row, 0,
                                    hostFrame.width - 1);
    frameCount.add();
}

std::string cameraNamed(lvc::test::PluginHost& plugin, const std::string& model) {
    char** names = plugin.getCVLCameraConfigNames();
    for (int32_t index = 0; index < plugin.getCVLNoOfSupportedCameras(); ++index)
        if (std::string(names[index]).find(model) != std::string::npos) return names[index];
    throw std::runtime_error("no camera " + model);
}

// The plug-in on a streaming camera with "Continous" set: every frame is delivered.
void PluginPath(benchmark::State& state, const char* model) {
    lvc::test::PluginHost plugin;
    activePlugin = &plugin;
    const std::string directory = systemDirectory().path().string();
    plugin.initialize(directory.c_str(), nullptr);
    const std::string name = cameraNamed(plugin, model);
    std::ofstream(systemDirectory().path() / "Lorvenacam.ini") << "[" << name << "]\nStreaming=1\n";
    uint32_t size[2] = {};
    if (plugin.openCVLPort(0, kPort, name.c_str(), size) != 1) {
        state.SkipWithError("cannot open the camera");
        plugin.finalize();
        return;
    }
    int32_t pixelSize = 0;
    plugin.getProperty(0, kPort, "PixelSize", &pixelSize);
    hostFrame = {size[0], size[1], static_cast<uint32_t>(pixelSize) / 8, {}};
    hostFrame.pixels.resize(hostFrame.rowBytes() * hostFrame.height);
    plugin.setCompleteCallback(0, 0, copyRowsToHost);
    plugin.setProperty(0, kPort, "Continous", 1);
    measureFrames(state);
    plugin.closeCVLPort(0, kPort);
    plugin.setCompleteCallback(0, 0, nullptr);
    plugin.finalize();
    activePlugin = nullptr;
}

// The same frames without the plug-in: the driver's notification fetches, converts and
// copies the rows itself.
struct BareCamera {
    uint32_t id = 0;
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t coding = 0;
    uint32_t bayerPattern = 0;
    std::vector<uint8_t> raw;
    std::vector<uint8_t> image;
};

uint32_t FWC_CALL bareFrameReady(void* context) {
    auto& camera = *static_cast<BareCamera*>(context);
    const bool converts = camera.coding == FWC_CODING_RAW8;
    std::vector<uint8_t>& fetched = converts ? camera.raw : camera.image;
    if (FWC_GetNativeImage(camera.id, fetched.data(), static_cast<uint32_t>(fetched.size()), 0))
        return 0;
    if (converts)
        FWT_Raw8ToBGR(camera.image.data(), camera.raw.data(), camera.width, camera.height,
                      camera.bayerPattern);
    for (uint32_t row = 0; row < hostFrame.height; ++row)
        std::memcpy(&hostFrame.pixels[row * hostFrame.rowBytes()],
                    &camera.image[row * hostFrame.rowBytes()], hostFrame.rowBytes());
    frameCount.add();
    return 0;
}

void prepareGrab(BareCamera& camera) {
    uint32_t format = 0, mode = 0, rate = 0, bitDepth = 0;
    FWC_GetCurrentImageFormat(camera.id, &camera.width, &camera.height, &camera.coding, &bitDepth);
    FWC_GetCurrentFixedFormat(camera.id, &format, &mode, &rate);
    FWC_GetCameraInfo(camera.id, FWC_INFO_BAYER_PATTERN, &camera.bayerPattern);
    if (format < 7) {
        FWC_PrepareFixedGrab(camera.id, format, mode, rate);
    } else {
        uint32_t left = 0, top = 0, busLoad = 1000;
        FWC_GetAOI(camera.id, &left, &top, &camera.width, &camera.height);
        FWC_PrepareFreeGrab(camera.id, &mode, &camera.coding, &camera.width, &camera.height,
                            nullptr, &left, &top, &busLoad);
    }
    const std::size_t pixels = std::size_t{camera.width} * camera.height;
    camera.raw.resize(pixels);
    camera.image.resize(pixels * (camera.coding == FWC_CODING_RAW8 ? 3 : 1));
    hostFrame = {camera.width, camera.height, camera.coding == FWC_CODING_RAW8 ? 3u : 1u, {}};
    hostFrame.pixels.resize(camera.image.size());
}

void BarePath(benchmark::State& state, uint32_t cameraId) {
    FWC_Init();
    BareCamera camera;
    camera.id = cameraId;
    FWC_OpenCamera(camera.id, FWC_OPEN_DEFAULT);
    prepareGrab(camera);
    FWC_HANDLE handle = 0;
    FWC_NOTIFICATION descriptor = FWC_MakeNotification(camera.id, bareFrameReady, &camera);
    FWC_RegisterNotification(&handle, FWC_NOTIFY_FRAME_COMPLETE, &descriptor);
    FWC_GrabStart(camera.id, FWC_GRAB_CONTINUOUS);
    measureFrames(state);
    FWC_UnRegisterNotification(handle);
    FWC_GrabStop(camera.id, 1);
    FWC_CloseCamera(camera.id);
    FWC_Release();
}

struct BenchCamera {
    const char* model;
    uint32_t id;
};

void registerBenchmarks() {
    for (const BenchCamera camera : {BenchCamera{"RAW8-1600", 61}, BenchCamera{"MONO8-640", 62}}) {
        const char* model = camera.model;
        benchmark::RegisterBenchmark((std::string("Plugin/") + model).c_str(), PluginPath, model)
            ->UseRealTime()
            ->MinTime(2.0);
        benchmark::RegisterBenchmark((std::string("Bare/") + model).c_str(), BarePath, camera.id)
            ->UseRealTime()
            ->MinTime(2.0);
        benchmark::RegisterBenchmark((std::string("Plugin1000Frames/") + model).c_str(), PluginPath,
                                     model)
            ->UseRealTime()
            ->Iterations(1000);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const auto busPath = systemDirectory().path() / "bus.json";
    std::ofstream(busPath) << kBus;
    setenv("FWCONTROL_SIM_BUS", busPath.string().c_str(), 1);
    benchmark::Initialize(&argc, argv);
    registerBenchmarks();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
