// Frames of Aravis's fake GigE Vision camera (arv-fake-gv-camera-0.8 on 127.0.0.1, at its
// highest frame rate) through the plug-in as a host sees them (FWCONTROL_BUSES=aravis,
// CompleteCallback, every row copied out with getCVLGrabRow), beside Aravis's own pop loop
// on the same camera in the same run (arv_stream_timeout_pop_buffer, the plug-in's
// conversion read straight from Aravis's buffer, a memcpy per row), and that loop again
// with the one copy of each frame that a fetch through the camera library makes: frames
// per second and the process's CPU time per frame. The fake runs in a process of its own,
// so its work is not counted on either side.
//
// Run it where the loopback is the only interface (scripts/bench.sh does):
//   unshare --net sh -c 'ip link set lo up && exec build/linux-bench/bin/aravis_frame_path_bench'
#include <arv.h>
#include <benchmark/benchmark.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <sys/resource.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/frame_count.h"
#include "fwcontrol.h"
#include "fwtransform.h"
#include "frame_drop_counter.h"
#include "gige_probe.h"
#include "support/child_process.h"
#include "support/plugin_host.h"
#include "support/temp_directory.h"
#include "support/wait_until.h"

namespace {

constexpr const char* kFakeAddress = "127.0.0.1";
constexpr int32_t kPort = 0;
// As many buffers as the bus gives its stream.
constexpr uint32_t kStreamBuffers = 6;
constexpr std::chrono::milliseconds kFrameTimeout{1000};
// Frames the plug-in delivers between two wake-ups of the benchmark thread.
constexpr uint64_t kFramesPerWait = 50;

struct FakeSetup {
    const char* name;
    ArvPixelFormat pixelFormat;
    uint32_t bytesPerPixel;  // of the host's rows
    double frameRate;        // 0: the fake's highest
};

const FakeSetup kSetups[] = {
    {"Mono8", ARV_PIXEL_FORMAT_MONO_8, 1, 0},
    {"BayerRG8", ARV_PIXEL_FORMAT_BAYER_RG_8, 3, 0},
    // A rate the fake keeps on a loaded machine, so both sides get the same frames.
    {"Mono8_100fps", ARV_PIXEL_FORMAT_MONO_8, 1, 100},
    {"BayerRG8_100fps", ARV_PIXEL_FORMAT_BAYER_RG_8, 3, 100},
};

double processCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec * 1e-6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Frames the camera sent after frame id `first` up to `last`, by the bus's own reading of
// frame ids (GigE Vision's 16-bit block ids wrap).
uint64_t framesSentAfter(uint64_t first, uint64_t last) {
    if (last == first) return 0;
    fwaravis::FrameDropCounter ids;
    ids.onBuffer(true, first);
    return ids.onBuffer(true, last) + 1;
}

struct FrameTally {
    uint64_t delivered = 0;
    uint64_t sent = 0;  // by the camera over the same time
    double cpuSeconds = 0;
};

// cpu_us_per_camera_frame is the fair comparison when a side delivers fewer frames than the
// camera sends: the frames it skips were received too.
void reportFrames(benchmark::State& state, const FrameTally& tally, uint32_t width,
                  uint32_t height) {
    const auto perFrame = [&](uint64_t frames) {
        return frames ? tally.cpuSeconds * 1e6 / static_cast<double>(frames) : 0;
    };
    state.SetLabel(std::to_string(width) + "x" + std::to_string(height));
    state.SetItemsProcessed(static_cast<int64_t>(tally.delivered));
    state.counters["fps"] =
        benchmark::Counter(static_cast<double>(tally.delivered), benchmark::Counter::kIsRate);
    state.counters["camera_fps"] =
        benchmark::Counter(static_cast<double>(tally.sent), benchmark::Counter::kIsRate);
    state.counters["cpu_us_per_frame"] = perFrame(tally.delivered);
    state.counters["cpu_us_per_camera_frame"] = perFrame(tally.sent);
}

// CPU time of each thread of the process so far, in ns, by "tid name".
std::map<std::string, uint64_t> threadCpu() {
    std::map<std::string, uint64_t> times;
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
        std::string name;
        uint64_t nanoseconds = 0;
        std::getline(std::ifstream(task.path() / "comm"), name);
        std::ifstream(task.path() / "schedstat") >> nanoseconds;
        times[task.path().filename().string() + " " + name] = nanoseconds;
    }
    return times;
}

// With LVC_BENCH_THREADS set: each thread's CPU time per frame since `before`, on stderr.
void printThreadCpu(const char* run, const std::map<std::string, uint64_t>& before,
                    uint64_t frames) {
    if (std::getenv("LVC_BENCH_THREADS") == nullptr || frames == 0) return;
    for (const auto& [thread, now] : threadCpu()) {
        const auto earlier = before.find(thread);
        const uint64_t spent = now - (earlier != before.end() ? earlier->second : 0);
        if (spent > 0)
            std::fprintf(stderr, "%s: thread %s %.1f us per frame\n", run, thread.c_str(),
                         static_cast<double>(spent) / 1e3 / static_cast<double>(frames));
    }
}

// The host's copy of the current frame, filled row by row.
struct HostFrame {
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t bytesPerPixel = 0;
    std::vector<uint8_t> pixels;
    size_t rowBytes() const { return size_t{width} * bytesPerPixel; }
    void resize(uint32_t w, uint32_t h, uint32_t bytes) {
        width = w;
        height = h;
        bytesPerPixel = bytes;
        pixels.resize(rowBytes() * height);
    }
};

HostFrame hostFrame;

// Puts the fake in the setup's pixel format and frame rate; the fake keeps its state for
// whoever opens it next. Returns the fake's highest frame rate.
double configureFake(const FakeSetup& setup) {
    GError* error = nullptr;
    ArvCamera* camera = arv_camera_new(kFakeAddress, &error);
    if (camera == nullptr) throw std::runtime_error("cannot open the fake camera");
    double lowest = 0, highest = 0;
    arv_camera_set_pixel_format(camera, setup.pixelFormat, &error);
    if (error == nullptr) arv_camera_get_frame_rate_bounds(camera, &lowest, &highest, &error);
    if (error == nullptr)
        arv_camera_set_frame_rate(camera, setup.frameRate > 0 ? setup.frameRate : highest, &error);
    g_object_unref(camera);
    if (error != nullptr) {
        const std::string message = error->message;
        g_error_free(error);
        throw std::runtime_error("cannot configure the fake camera: " + message);
    }
    return highest;
}

// --- Aravis's own pop loop ---------------------------------------------------------------

// The fake opened by address and streaming into kStreamBuffers buffers, as the bus does it.
class AravisStream {
public:
    AravisStream() {
        GError* error = nullptr;
        camera_ = arv_camera_new(kFakeAddress, &error);
        if (camera_ == nullptr) throw std::runtime_error("cannot open the fake camera");
        arv_camera_gv_auto_packet_size(camera_, &error);
        gint x = 0, y = 0, width = 0, height = 0;
        if (error == nullptr) arv_camera_get_region(camera_, &x, &y, &width, &height, &error);
        const guint payload = error == nullptr ? arv_camera_get_payload(camera_, &error) : 0;
        if (error == nullptr) stream_ = arv_camera_create_stream(camera_, nullptr, nullptr, &error);
        if (stream_ == nullptr) {
            if (error != nullptr) g_error_free(error);
            throw std::runtime_error("cannot stream from the fake camera");
        }
        width_ = static_cast<uint32_t>(width);
        height_ = static_cast<uint32_t>(height);
        g_object_set(stream_, "socket-buffer", ARV_GV_STREAM_SOCKET_BUFFER_AUTO, nullptr);
        for (uint32_t index = 0; index < kStreamBuffers; ++index)
            arv_stream_push_buffer(stream_, arv_buffer_new_allocate(payload));
        arv_camera_set_acquisition_mode(camera_, ARV_ACQUISITION_MODE_CONTINUOUS, &error);
        if (error == nullptr) arv_camera_start_acquisition(camera_, &error);
        if (error != nullptr) {
            g_error_free(error);
            throw std::runtime_error("cannot start the fake camera");
        }
    }
    ~AravisStream() {
        arv_camera_stop_acquisition(camera_, nullptr);
        g_object_unref(stream_);
        g_object_unref(camera_);
    }
    AravisStream(const AravisStream&) = delete;
    AravisStream& operator=(const AravisStream&) = delete;

    uint32_t width() const { return width_; }
    uint32_t height() const { return height_; }
    // The next complete frame's pixels, handed back with giveBack; null after a second
    // without one.
    ArvBuffer* next() {
        while (ArvBuffer* buffer = arv_stream_timeout_pop_buffer(
                   stream_, std::chrono::microseconds(kFrameTimeout).count())) {
            if (arv_buffer_get_status(buffer) == ARV_BUFFER_STATUS_SUCCESS) return buffer;
            arv_stream_push_buffer(stream_, buffer);
        }
        return nullptr;
    }
    void giveBack(ArvBuffer* buffer) { arv_stream_push_buffer(stream_, buffer); }

private:
    ArvCamera* camera_ = nullptr;
    ArvStream* stream_ = nullptr;
    uint32_t width_ = 0;
    uint32_t height_ = 0;
};

// What the plug-in does with a frame, read from Aravis's buffer: the conversion into an
// image, then the host's copy of every row.
void convertToRows(const FakeSetup& setup, const uint8_t* pixels, std::vector<uint8_t>& image) {
    const uint8_t* rows = pixels;
    if (setup.bytesPerPixel == 3) {
        FWT_Raw8ToBGR(image.data(), pixels, hostFrame.width, hostFrame.height, 0);
        rows = image.data();
    }
    for (uint32_t row = 0; row < hostFrame.height; ++row)
        std::memcpy(&hostFrame.pixels[row * hostFrame.rowBytes()],
                    &rows[row * hostFrame.rowBytes()], hostFrame.rowBytes());
}

// copiesFrame: the frame is first copied out of Aravis's buffer, as a fetch through the
// camera library copies it into its caller's buffer (the least a plug-in path can do).
void AravisPopLoop(benchmark::State& state, const FakeSetup* setup, bool copiesFrame) {
    configureFake(*setup);
    AravisStream stream;
    hostFrame.resize(stream.width(), stream.height(), setup->bytesPerPixel);
    std::vector<uint8_t> image(hostFrame.pixels.size());
    std::vector<uint8_t> fetched(size_t{stream.width()} * stream.height());
    for (int warmUp = 0; warmUp < 2; ++warmUp)
        if (ArvBuffer* buffer = stream.next()) stream.giveBack(buffer);
    FrameTally tally;
    fwaravis::FrameDropCounter ids;
    uint64_t skipped = 0;
    const auto threadsBefore = threadCpu();
    const double cpuBefore = processCpuSeconds();
    for (auto _ : state) {
        ArvBuffer* buffer = stream.next();
        if (buffer == nullptr) {
            state.SkipWithError("no frame within a second");
            break;
        }
        size_t size = 0;
        const auto* pixels = static_cast<const uint8_t*>(arv_buffer_get_image_data(buffer, &size));
        if (copiesFrame) {
            std::memcpy(fetched.data(), pixels, fetched.size());
            pixels = fetched.data();
        }
        convertToRows(*setup, pixels, image);
        skipped += ids.onBuffer(true, arv_buffer_get_frame_id(buffer));
        stream.giveBack(buffer);
        ++tally.delivered;
    }
    tally.cpuSeconds = processCpuSeconds() - cpuBefore;
    tally.sent = tally.delivered + skipped;
    reportFrames(state, tally, stream.width(), stream.height());
    printThreadCpu(copiesFrame ? "pop loop copying once" : "pop loop", threadsBefore,
                   tally.delivered);
}

// --- The plug-in's path ------------------------------------------------------------------

bench::FrameCount frameCount;
lvc::test::PluginHost* activePlugin = nullptr;
std::atomic<uint64_t> droppedLines{0};

// The plug-in's diagnostic lines: the frames it reports dropped are counted.
void LVC_CALL countDroppedFrames(const char* line) {
    if (std::strncmp(line, "Frame dropped", 13) == 0) ++droppedLines;
    if (std::getenv("LVC_BENCH_LOG") != nullptr) std::fputs(line, stderr);
}

void LVC_CALL copyRowsToHost(int32_t, int32_t port) {
    for (uint32_t row = 0; row < hostFrame.height; ++row)
        activePlugin->getCVLGrabRow(0, port, &hostFrame.pixels[row * hostFrame.rowBytes()], row, 0,
                                    hostFrame.width - 1);
    frameCount.add();
}

lvc::test::TempDirectory& systemDirectory() {
    static lvc::test::TempDirectory directory;
    return directory;
}

std::optional<std::string> fakeCameraName(lvc::test::PluginHost& plugin) {
    char** names = plugin.getCVLCameraConfigNames();
    for (int32_t index = 0; index < plugin.getCVLNoOfSupportedCameras(); ++index)
        if (std::strstr(names[index], "Aravis") != nullptr) return std::string(names[index]);
    return std::nullopt;
}

// The id of the newest frame the camera sent, as the plug-in reads it.
uint64_t newestFrameId(lvc::test::PluginHost& plugin) {
    int32_t id = 0;
    plugin.getProperty(0, kPort, "FRAMECOUNTER", &id);
    return static_cast<uint32_t>(id);
}

// The plug-in's bus load for the setup's frame rate: the plug-in sets the camera's rate
// from it when it opens the camera (the same share of the highest rate).
long busLoadFor(const FakeSetup& setup, double highestRate) {
    return setup.frameRate > 0 ? std::lround(setup.frameRate / highestRate * 1000) : 1000;
}

// The plug-in streaming from the fake with "Continous" set: every frame is delivered.
void PluginPath(benchmark::State& state, const FakeSetup* setup) {
    const double highestRate = configureFake(*setup);
    lvc::test::PluginHost plugin;
    activePlugin = &plugin;
    const std::string directory = systemDirectory().path().string();
    plugin.initialize(directory.c_str(), countDroppedFrames);
    const auto name = fakeCameraName(plugin);
    if (name)
        std::ofstream(systemDirectory().path() / "Lorvenacam.ini")
            << "[" << *name << "]\nStreaming=1\nBusload=" << busLoadFor(*setup, highestRate)
            << "\n";
    uint32_t size[2] = {};
    if (!name || plugin.openCVLPort(0, kPort, name->c_str(), size) != 1) {
        state.SkipWithError("cannot open the fake camera through the plug-in");
        plugin.finalize();
        return;
    }
    hostFrame.resize(size[0], size[1], setup->bytesPerPixel);
    plugin.setCompleteCallback(0, 0, copyRowsToHost);
    plugin.setProperty(0, kPort, "Continous", 1);
    const uint64_t first = frameCount.waitFor(frameCount.count() + 3, kFrameTimeout);
    uint64_t seen = first;
    const uint64_t droppedBefore = droppedLines;
    const auto threadsBefore = threadCpu();
    const double cpuBefore = processCpuSeconds();
    const uint64_t idBefore = newestFrameId(plugin);
    while (state.KeepRunningBatch(kFramesPerWait)) {
        const uint64_t now = frameCount.waitFor(seen + kFramesPerWait, kFrameTimeout);
        if (now < seen + kFramesPerWait) {
            state.SkipWithError("no frame within a second");
            break;
        }
        seen = now;
    }
    FrameTally tally;
    tally.cpuSeconds = processCpuSeconds() - cpuBefore;
    tally.delivered = seen - first;
    tally.sent = framesSentAfter(idBefore, newestFrameId(plugin));
    reportFrames(state, tally, size[0], size[1]);
    printThreadCpu("plug-in", threadsBefore, seen - first);
    state.counters["dropped"] = static_cast<double>(droppedLines - droppedBefore);
    plugin.closeCVLPort(0, kPort);
    plugin.setCompleteCallback(0, 0, nullptr);
    plugin.finalize();
    activePlugin = nullptr;
}

// Nothing may leave the machine: the loopback must be the only interface.
bool onlyLoopback() {
    ifaddrs* interfaces = nullptr;
    if (getifaddrs(&interfaces) != 0) return false;
    bool only = true;
    for (const ifaddrs* entry = interfaces; entry != nullptr; entry = entry->ifa_next)
        if ((entry->ifa_flags & IFF_LOOPBACK) == 0) only = false;
    freeifaddrs(interfaces);
    return only;
}

}  // namespace

int main(int argc, char** argv) {
    if (!onlyLoopback()) {
        std::fprintf(stderr,
                     "aravis_frame_path_bench: run it where the loopback is the only interface:\n"
                     "  unshare --net sh -c 'ip link set lo up && exec %s'\n",
                     argv[0]);
        return 2;
    }
    setenv("FWCONTROL_BUSES", "aravis", 1);
    setenv("FWCONTROL_GIGE_CAMERAS", kFakeAddress, 1);
    lvc::test::ChildProcess fake({"/usr/bin/arv-fake-gv-camera-0.8", "-i", kFakeAddress});
    if (!lvc::test::waitUntil(
            [] {
                return fwaravis::probeGigeCamera(kFakeAddress, std::chrono::milliseconds(200))
                    .has_value();
            },
            std::chrono::seconds(10))) {
        std::fprintf(stderr, "aravis_frame_path_bench: the fake camera does not answer\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    for (const FakeSetup& setup : kSetups) {
        benchmark::RegisterBenchmark((std::string("AravisPopLoop/") + setup.name).c_str(),
                                     AravisPopLoop, &setup, false)
            ->UseRealTime()
            ->MinTime(2.0)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark(
            (std::string("AravisPopLoopCopyingOnce/") + setup.name).c_str(), AravisPopLoop, &setup,
            true)
            ->UseRealTime()
            ->MinTime(2.0)
            ->Unit(benchmark::kMicrosecond);
        benchmark::RegisterBenchmark((std::string("PluginPath/") + setup.name).c_str(), PluginPath,
                                     &setup)
            ->UseRealTime()
            ->MinTime(2.0)
            ->Unit(benchmark::kMicrosecond);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
