// lvcgrab stream: grabs for a while without saving and reports the rate and the counts,
// first frame by frame on request and, with --continuous, also at the camera's own pace.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <optional>

#include "command.h"
#include "diagnostic_sink.h"
#include "frame_receiver.h"
#include "host_session.h"
#include "number_argument.h"

namespace lvcgrab {
namespace {

using Clock = std::chrono::steady_clock;

struct StreamOptions {
    std::string camera;
    double seconds = 0;
    bool continuous = false;
};

struct StreamCounts {
    int32_t requests = 0;
    int32_t delivered = 0;
    int32_t refused = 0;
    int32_t timedOut = 0;
};

// What arrived while the camera ran continuously: the rate is taken between the first and
// the last frame, so the start of acquisition does not count against the camera.
struct ContinuousCounts {
    int32_t delivered = 0;
    double firstToLast = 0;
    bool stalled = false;
};

std::optional<StreamOptions> parseOptions(const Arguments& arguments, std::string& error) {
    StreamOptions options;
    Arguments rest;
    for (const std::string& argument : arguments) {
        if (argument == "--continuous")
            options.continuous = true;
        else
            rest.push_back(argument);
    }
    if (rest.size() != 3 || rest[1] != "--seconds") {
        error = "usage: stream CAMERA --seconds S [--continuous]";
        return std::nullopt;
    }
    const std::optional<double> seconds = parseSeconds(rest[2]);
    if (!seconds) {
        error = "--seconds needs a positive number, not '" + rest[2] + "'";
        return std::nullopt;
    }
    options.camera = rest[0];
    options.seconds = *seconds;
    return options;
}

Clock::time_point after(Clock::time_point start, double seconds) {
    return start +
           std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
}

StreamCounts stream(lvc::host::PluginLibrary& plugin, FrameReceiver& receiver,
                    Clock::time_point end) {
    StreamCounts counts;
    while (Clock::now() < end) {
        if (plugin.doCVLGrab(0, OpenPort::kPort) != 1) {
            ++counts.refused;
            break;
        }
        ++counts.requests;
        Frame* frame = receiver.waitFrame(std::min(end, Clock::now() + kFrameTimeout));
        if (!frame) {
            // A request the end of the run cut short is not a camera's failure.
            if (Clock::now() < end) ++counts.timedOut;
            continue;
        }
        ++counts.delivered;
        receiver.release(frame);
    }
    return counts;
}

ContinuousCounts streamContinuously(lvc::host::PluginLibrary& plugin, FrameReceiver& receiver,
                                    Clock::time_point end) {
    ContinuousCounts counts;
    plugin.setProperty(0, OpenPort::kPort, "Continous", 1);
    Clock::time_point first{};
    while (Clock::now() < end) {
        Frame* frame = receiver.waitFrame(std::min(end, Clock::now() + kFrameTimeout));
        if (!frame) {
            counts.stalled = Clock::now() < end;
            if (counts.stalled) break;
            continue;
        }
        const Clock::time_point arrival = Clock::now();
        if (counts.delivered++ == 0) first = arrival;
        counts.firstToLast = std::chrono::duration<double>(arrival - first).count();
        receiver.release(frame);
    }
    plugin.setProperty(0, OpenPort::kPort, "Continous", 0);
    return counts;
}

void reportContinuous(const ContinuousCounts& counts, int32_t skipped, int32_t droppedBefore) {
    // Rate over the intervals between the frames that arrived.
    const double rate = counts.firstToLast > 0 ? (counts.delivered - 1) / counts.firstToLast : 0;
    std::printf("continuous: %d frames in %.2f s (%.1f fps)\n", counts.delivered,
                counts.firstToLast, rate);
    std::printf("continuous: skipped %d, dropped %d\n", skipped,
                droppedFrameCount(OpenPort::kPort) - droppedBefore);
}

int runStream(HostSession& host, const Arguments& arguments) {
    std::string error;
    const std::optional<StreamOptions> options = parseOptions(arguments, error);
    if (!options) return fail(kExitUsage, error);
    int exitCode = kExitSuccess;
    const auto port = openCamera(host, options->camera, exitCode);
    if (!port) return exitCode;
    StreamCounts counts;
    double elapsed = 0;
    ContinuousCounts continuous;
    int32_t skipped = 0;
    std::optional<int32_t> droppedOnRequest;
    {
        FrameReceiver receiver(host.plugin(), *port, options->continuous ? kContinuousSlots : 1);
        const Clock::time_point start = Clock::now();
        counts = stream(host.plugin(), receiver, after(start, options->seconds));
        elapsed = std::chrono::duration<double>(Clock::now() - start).count();
        if (options->continuous && !counts.refused) {
            droppedOnRequest = droppedFrameCount(OpenPort::kPort);
            continuous =
                streamContinuously(host.plugin(), receiver, after(Clock::now(), options->seconds));
            skipped = receiver.skippedFrames();
        }
    }
    if (!droppedOnRequest) droppedOnRequest = droppedFrameCount(OpenPort::kPort);
    const PluginStatistics statistics = pluginStatistics(OpenPort::kPort);
    std::printf("%d frames in %.2f s (%.1f fps)\n", counts.delivered, elapsed,
                counts.delivered / elapsed);
    std::printf("requests %d, delivered %d, unanswered %d, dropped %d\n", counts.requests,
                counts.delivered, counts.timedOut + counts.refused, *droppedOnRequest);
    std::printf("plug-in statistics: %d line(s), Req %d, RX %d, TX %d\n", statistics.lines,
                statistics.requested, statistics.received, statistics.delivered);
    if (counts.refused) return fail(kExitFailure, "the camera refused a grab request");
    if (!options->continuous) return kExitSuccess;
    reportContinuous(continuous, skipped, *droppedOnRequest);
    if (continuous.stalled) return fail(kExitFailure, "no frame arrived within 10 s");
    return kExitSuccess;
}

}  // namespace

extern const Command streamCommand{"stream", "CAMERA --seconds S [--continuous]",
                                   "grabs without saving; reports fps, counts and drops; "
                                   "--continuous also at the camera's own pace",
                                   runStream};

}  // namespace lvcgrab
