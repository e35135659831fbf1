// Soak: the plug-in loaded as a host loads it, on the default simulated bus, for a given
// time. Ports stream on a camera of every kind (continuously and on request) while other
// ports open and close, a camera leaves and rejoins the bus, driver calls fail on purpose
// and dropped-frame and error events arrive, each on a thread of its own. It fails on a
// crash (the sanitizer builds), a hang (the watchdog aborts), a callback for a closed
// port, a frame that is not the scene its camera rendered, or an event never reported.
#include <array>
#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "fw_status.h"
#include "fwsim.h"
#include "soak/port_record.h"
#include "soak/soak_options.h"
#include "support/plugin_host.h"
#include "support/temp_directory.h"
#include "support/wait_until.h"

namespace lvc::soak {
namespace {

using namespace std::chrono_literals;

constexpr int32_t kPorts = 64;

// The cameras of the default bus, what each one does in the soak and on which port.
enum class Use {
    ContinuousStream,
    RequestedMultishot,
    ContinuousMultishot,
    RequestedStream,
    Churn
};
struct PortPlan {
    int32_t port;
    Camera camera;
    Use use;
    const char* what;
};
constexpr PortPlan kStreamingPorts[] = {
    {0, {1001, "Bayer RAW8", 6}, Use::ContinuousStream, "streaming, continuous"},
    {1, {1003, "YUV422", 1}, Use::RequestedMultishot, "multishot, on request"},
    {2, {1004, "interlaced CYGM", 2}, Use::ContinuousMultishot, "multishot, continuous"},
    {3, {1005, "Mono8 LUT", 0}, Use::RequestedStream, "streaming, on request"},
};
constexpr Camera kChurnCamera{1002, "Mono8", 0};
constexpr int32_t kChurnPorts[] = {8, 9};
// Camera 1002 as the default bus describes it, for plugging it in again.
constexpr const char* kChurnCameraJson = R"json({
  "id": 1002, "vendor": "Simvision", "model": "SM-640",
  "fixedFormats": [ { "format": 0, "mode": 5, "rates": [1, 2, 3, 4] },
                    { "format": 0, "mode": 6, "rates": [1, 2, 3] } ],
  "current": { "format": 0, "mode": 5, "rate": 3 } })json";
constexpr const char* kVisitorJson = R"json({ "id": 1099, "vendor": "Soak", "model": "VISITOR",
  "fixedFormats": [ { "format": 0, "mode": 5, "rates": [2] } ] })json";

// The calls made to fail, one at a time, in turn.
constexpr const char* kInjectedCalls[] = {"FWC_GetNativeImage",
                                          "FWC_MultiShotStart",
                                          "FWC_MultiShotStop",
                                          "FWC_GrabStart",
                                          "FWC_GrabStop",
                                          "FWC_OpenCamera",
                                          "FWC_CloseCamera",
                                          "FWC_RegisterNotification",
                                          "FWC_UnRegisterNotification",
                                          "FWC_GetCameras",
                                          "FWC_GetCameraInfoString",
                                          "FWC_GetCurrentImageFormat",
                                          "FWC_PrepareFreeGrab",
                                          "FWC_PrepareFixedGrab",
                                          "FWC_LoadSettings"};
constexpr auto kRequestDeadline = 3s;

// A thread of the soak and the last time it made progress, for the watchdog.
struct Worker {
    explicit Worker(const char* workerName) : name(workerName) {}
    const char* name;
    std::function<void()> body;
    std::atomic<int64_t> lastBeatMs{millisecondsNow()};
    std::thread thread;
    void beat() { lastBeatMs = millisecondsNow(); }
};

class Soak {
public:
    explicit Soak(Options options) : options_(std::move(options)) {
        // The default bus, with claims of its own: its cameras are claimed machine-wide, so
        // a demo on the default bus must not make them busy here.
        unsetenv("FWCONTROL_SIM_BUS");
        setenv("TMPDIR", directory_.path().c_str(), 1);
        active() = this;
    }
    ~Soak() { active() = nullptr; }

    int run() {
        if (!start()) {
            for (const PortPlan& plan : kStreamingPorts) closePort(plan.port);
            plugin_.finalize();
            return 1;
        }
        addWorker("requests", [this] { requestFrames(); });
        addWorker("open/close churn", [this] { churnPorts(); });
        addWorker("hot-plug", [this] { plugCameras(); });
        addWorker("failure injection", [this] { injectFailures(); });
        addWorker("events", [this] { raiseEvents(); });
        std::thread watchdog([this] { watch(); });
        for (auto& worker : workers_) worker->thread = std::thread(worker->body);

        waitWhileRunning(std::chrono::seconds(options_.seconds));
        stopping_ = true;
        wake_.notify_all();
        main_.beat();
        for (auto& worker : workers_) worker->thread.join();
        main_.beat();
        for (const char* call : kInjectedCalls) FWS_FailCall(call, FWC_ERR_INJECTED, 0);
        awaitRaisedEvents();
        main_.beat();
        for (int32_t port = 0; port < kPorts; ++port) closePort(port);
        main_.beat();
        plugin_.setCompleteCallback(0, 0, nullptr);
        plugin_.finalize();
        finished_ = true;
        wake_.notify_all();
        watchdog.join();

        printFigures(stdout);
        return verdict();
    }

private:
    static Soak*& active() {
        static Soak* soak = nullptr;
        return soak;
    }
    static void LVC_CALL onComplete(int32_t, int32_t port) {
        Soak* soak = active();
        if (soak == nullptr) return;
        if (port < 0 || port >= kPorts) {
            ++soak->strayCallbacks_;
            return;
        }
        soak->ports_[port].onComplete(soak->plugin_, port);
    }
    // Counts the dropped-frame and error lines per port and the reported driver failures.
    static void LVC_CALL onDiagnostic(const char* text) {
        Soak* soak = active();
        if (soak == nullptr || text == nullptr) return;
        int port = -1;
        if (std::sscanf(text, "Frame dropped %d", &port) == 1 && port >= 0 && port < kPorts) {
            ++soak->ports_[port].dropsReported;
            soak->ports_[port].lastDropReported = ++soak->eventOrder_;
        } else if (std::sscanf(text, "Error on %d", &port) == 1 && port >= 0 && port < kPorts) {
            ++soak->ports_[port].errorsReported;
            soak->ports_[port].lastErrorReported = ++soak->eventOrder_;
        } else if (std::strncmp(text, "FWC_", 4) == 0 && std::strstr(text, ": ") != nullptr) {
            ++soak->failuresReported_;
        }
    }

    // Initialises the plug-in and opens the streaming ports; false, with a message, when
    // that fails.
    bool start() {
        if (plugin_.initialize(directory_.path().string().c_str(), onDiagnostic) != 1)
            return fail("initialize failed");
        plugin_.setCompleteCallback(0, 0, onComplete);
        for (const PortPlan& plan : kStreamingPorts) {
            if (plan.use == Use::ContinuousStream || plan.use == Use::RequestedStream)
                storeStreaming(plan.camera.id);
            if (!openPort(plan.port, plan.camera)) return fail("cannot open the camera of a port");
            if (plan.use == Use::ContinuousStream || plan.use == Use::ContinuousMultishot)
                plugin_.setProperty(0, plan.port, "Continous", 1);
        }
        return true;
    }

    std::string nameOf(uint32_t cameraId) {
        const std::string suffix = " - " + std::to_string(cameraId);
        char** names = plugin_.getCVLCameraConfigNames();
        for (int32_t index = 0; index < plugin_.getCVLNoOfSupportedCameras(); ++index) {
            const std::string name = names[index];
            if (name.size() > suffix.size() &&
                name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
                return name;
        }
        return "";
    }
    void storeStreaming(uint32_t cameraId) {
        std::ofstream ini(directory_.path() / "Lorvenacam.ini", std::ios::app);
        ini << "[" << nameOf(cameraId) << "]\nStreaming=1\n";
    }

    bool openPort(int32_t port, const Camera& camera) {
        PortRecord& record = ports_[port];
        record.opening(camera);
        uint32_t size[2] = {0, 0};
        const std::string name = nameOf(camera.id);
        if (plugin_.openCVLPort(0, port, name.c_str(), size) != 1) {
            ++record.refusedOpens;
            return false;
        }
        int32_t pixelSize = 0;
        plugin_.getProperty(0, port, "PixelSize", &pixelSize);
        record.opened(size[0], size[1], static_cast<uint32_t>(pixelSize / 8));
        ++record.opens;
        return true;
    }
    // A port whose camera failed to start stays occupied until closed: close it either way.
    void closePort(int32_t port) {
        ports_[port].closing();
        plugin_.closeCVLPort(0, port);
        ports_[port].closed();
    }

    // One request on the port and the wait for its frame; false when none came in time.
    bool requestFrame(int32_t port) {
        PortRecord& record = ports_[port];
        const int64_t before = record.frames;
        ++record.requests;
        if (plugin_.doCVLGrab(0, port) != 1) {
            ++record.refusedRequests;
            return false;
        }
        if (record.waitForFramesAbove(before, kRequestDeadline)) return true;
        ++record.unanswered;
        return false;
    }

    void requestFrames() {
        Worker& self = *workers_[0];
        while (!stopping_) {
            for (const PortPlan& plan : kStreamingPorts)
                if (plan.use == Use::RequestedMultishot || plan.use == Use::RequestedStream)
                    if (!requestFrame(plan.port)) pause(20ms);
            self.beat();
        }
    }

    // Opens camera 1002 on alternate ports, grabs one frame or lets it stream, and closes
    // the port again: closing while frames flow must end its callbacks.
    void churnPorts() {
        Worker& self = *workers_[1];
        for (int64_t cycle = 0; !stopping_; ++cycle) {
            const int32_t port = kChurnPorts[cycle % 2];
            if (openPort(port, kChurnCamera)) {
                if (cycle % 4 < 2) {
                    requestFrame(port);
                } else {
                    plugin_.setProperty(0, port, "Continous", 1);
                    ports_[port].waitForFramesAbove(ports_[port].frames + 1, kRequestDeadline);
                }
            }
            closePort(port);
            ++churnCycles_;
            self.beat();
        }
    }

    // Camera 1002 leaves the bus and comes back; a visitor joins and leaves.
    void plugCameras() {
        Worker& self = *workers_[2];
        while (!stopping_) {
            if (FWS_Unplug(kChurnCamera.id) != 0) ++plugFailures_;
            pause(100ms);
            if (FWS_Plug(kChurnCameraJson) != kChurnCamera.id) ++plugFailures_;
            if (FWS_Plug(kVisitorJson) != 1099) ++plugFailures_;
            pause(100ms);
            if (FWS_Unplug(1099) != 0) ++plugFailures_;
            ++plugCycles_;
            self.beat();
            pause(200ms);
        }
    }

    void injectFailures() {
        Worker& self = *workers_[3];
        for (std::size_t turn = 0; !stopping_; ++turn) {
            const char* call = kInjectedCalls[turn % std::size(kInjectedCalls)];
            if (FWS_FailCall(call, FWC_ERR_INJECTED, 1) == 0) {
                std::lock_guard lock(injectedMutex_);
                ++injected_[call];
            }
            self.beat();
            pause(50ms);
        }
    }

    void raiseEvents() {
        Worker& self = *workers_[4];
        for (std::size_t turn = 0; !stopping_; ++turn) {
            const PortPlan& plan = kStreamingPorts[turn % std::size(kStreamingPorts)];
            const bool dropped = (turn / std::size(kStreamingPorts)) % 2 == 0;
            PortRecord& record = ports_[plan.port];
            std::atomic<int64_t>& lastRaised =
                dropped ? record.lastDropRaised : record.lastErrorRaised;
            // Counted first: the report may arrive before the call returns.
            ++(dropped ? record.dropsRaised : record.errorsRaised);
            const int64_t previous = lastRaised.exchange(++eventOrder_);
            if (FWS_RaiseEvent(plan.camera.id, dropped ? 4 : 6) != 0) {
                --(dropped ? record.dropsRaised : record.errorsRaised);
                lastRaised = previous;
            }
            self.beat();
            pause(40ms);
        }
    }

    // A report follows the last raise of each kind (a deadline, not a hope).
    static bool lastRaiseReported(const PortRecord& record) {
        return (record.lastDropRaised == 0 || record.lastDropReported > record.lastDropRaised) &&
               (record.lastErrorRaised == 0 || record.lastErrorReported > record.lastErrorRaised);
    }

    // Every raise is reported by the time the ports close, merged with the raises before it
    // into one report at most.
    void awaitRaisedEvents() {
        lvc::test::waitUntil(
            [&] {
                for (const PortPlan& plan : kStreamingPorts) {
                    const PortRecord& record = ports_[plan.port];
                    if (!lastRaiseReported(record)) return false;
                }
                return true;
            },
            5s);
    }

    // Aborts with the figures so far when a worker or a streaming port stands still.
    void watch() {
        const int64_t limitMs = int64_t{options_.watchdogSeconds} * 1000;
        std::unique_lock lock(wakeMutex_);
        while (!wake_.wait_for(lock, 250ms, [&] { return finished_.load(); })) {
            const int64_t now = millisecondsNow();
            if (now - main_.lastBeatMs > limitMs)
                hang("the main thread (stopping, closing, finalize)");
            for (const auto& worker : workers_)
                if (!stopping_ && now - worker->lastBeatMs > limitMs) hang(worker->name);
            for (const PortPlan& plan : kStreamingPorts)
                if (!stopping_ && now - ports_[plan.port].lastDeliveryMs > limitMs)
                    hang("port " + std::to_string(plan.port) + " (" + plan.what + ")");
        }
    }
    [[noreturn]] void hang(const std::string& what) {
        std::fprintf(stderr, "soak: HANG: %s made no progress for %d s\n", what.c_str(),
                     options_.watchdogSeconds);
        printFigures(stderr);
        std::fflush(nullptr);
        std::abort();
    }

    // Waits out the run time; the watchdog keeps watching meanwhile.
    void waitWhileRunning(std::chrono::seconds time) {
        const auto end = Clock::now() + time;
        while (Clock::now() < end) {
            main_.beat();
            std::unique_lock lock(wakeMutex_);
            wake_.wait_until(lock, std::min(end, Clock::now() + std::chrono::seconds(1)));
        }
    }
    // Paces a worker; returns at once when the soak stops.
    void pause(std::chrono::milliseconds time) {
        std::unique_lock lock(wakeMutex_);
        wake_.wait_for(lock, time, [&] { return stopping_.load(); });
    }

    void addWorker(const char* name, std::function<void()> body) {
        workers_.push_back(std::make_unique<Worker>(name));
        workers_.back()->body = std::move(body);
    }

    void printFigures(std::FILE* out) {
        std::fprintf(out, "soak: %d s, watchdog %d s\n", options_.seconds,
                     options_.watchdogSeconds);
        std::fprintf(out, "%-4s %-6s %-16s %-22s %7s %6s %6s %6s %6s %6s %6s %6s %6s %5s %5s %6s\n",
                     "port", "camera", "kind", "use", "frames", "drops", "raised", "errors",
                     "raised", "reqs", "refuse", "unansw", "opens", "fail", "late", "worst");
        auto line = [&](int32_t port, const Camera& camera, const char* use) {
            const PortRecord& r = ports_[port];
            std::fprintf(out,
                         "%-4d %-6u %-16s %-22s %7lld %6lld %6lld %6lld %6lld %6lld %6lld %6lld "
                         "%6lld %5lld %5lld %6.2f\n",
                         port, camera.id, camera.kind, use, ll(r.frames), ll(r.dropsReported),
                         ll(r.dropsRaised), ll(r.errorsReported), ll(r.errorsRaised),
                         ll(r.requests), ll(r.refusedRequests + r.refusedOpens), ll(r.unanswered),
                         ll(r.opens), ll(r.corrupted), ll(r.lateCallbacks), r.worstError());
        };
        for (const PortPlan& plan : kStreamingPorts) line(plan.port, plan.camera, plan.what);
        for (int32_t port : kChurnPorts) line(port, kChurnCamera, "open/close churn");
        std::string injected;
        int64_t total = 0;
        {
            std::lock_guard lock(injectedMutex_);
            for (const auto& [call, count] : injected_) {
                injected += " " + call + "=" + std::to_string(count);
                total += count;
            }
        }
        std::fprintf(out, "failures injected: %lld (%s), failure lines reported: %lld\n", ll(total),
                     injected.c_str() + (injected.empty() ? 0 : 1), ll(failuresReported_));
        std::fprintf(out,
                     "plug cycles: %lld (refused plug calls: %lld), churn cycles: %lld, "
                     "callbacks for no port: %lld\n",
                     ll(plugCycles_), ll(plugFailures_), ll(churnCycles_), ll(strayCallbacks_));
    }
    static long long ll(int64_t value) { return static_cast<long long>(value); }

    int verdict() {
        std::vector<std::string> faults;
        auto check = [&](bool good, const std::string& fault) {
            if (!good) faults.push_back(fault);
        };
        for (int32_t port = 0; port < kPorts; ++port) {
            const PortRecord& r = ports_[port];
            const std::string name = "port " + std::to_string(port) + ": ";
            check(r.corrupted == 0, name + "corrupted frame: " + r.firstCorruption());
            check(r.lateCallbacks == 0, name + "CompleteCallback after closeCVLPort returned");
            check(lastRaiseReported(r), name + "a raised event never reported");
        }
        for (const PortPlan& plan : kStreamingPorts)
            check(ports_[plan.port].frames > 0, "port " + std::to_string(plan.port) + ": no frame");
        check(plugFailures_ == 0, "the bus refused a plug or unplug");
        check(strayCallbacks_ == 0, "CompleteCallback for a port out of range");
        for (const std::string& fault : faults) std::printf("soak: FAULT: %s\n", fault.c_str());
        std::printf("soak: %s\n", faults.empty() ? "passed" : "FAILED");
        return faults.empty() ? 0 : 1;
    }

    bool fail(const char* what) {
        std::fprintf(stderr, "soak: %s\n", what);
        return false;
    }

    Options options_;
    lvc::test::TempDirectory directory_;
    lvc::test::PluginHost plugin_;
    std::array<PortRecord, kPorts> ports_;
    std::vector<std::unique_ptr<Worker>> workers_;
    Worker main_{"main"};
    std::mutex wakeMutex_;
    std::condition_variable wake_;
    std::atomic<bool> stopping_{false};
    std::atomic<bool> finished_{false};
    std::mutex injectedMutex_;
    std::map<std::string, int64_t> injected_;
    std::atomic<int64_t> failuresReported_{0};
    std::atomic<int64_t> eventOrder_{0};
    std::atomic<int64_t> plugCycles_{0};
    std::atomic<int64_t> plugFailures_{0};
    std::atomic<int64_t> churnCycles_{0};
    std::atomic<int64_t> strayCallbacks_{0};
};

}  // namespace
}  // namespace lvc::soak

int main(int argc, char** argv) {
    const auto options = lvc::soak::parseOptions(argc, argv);
    if (!options) {
        std::fputs(lvc::soak::kUsage, stderr);
        return 2;
    }
    lvc::soak::Soak soak(*options);
    return soak.run();
}
