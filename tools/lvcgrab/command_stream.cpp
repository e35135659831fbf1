// lvcgrab stream: grabs for a while without saving and reports the rate and the counts.
#include <algorithm>
#include <chrono>
#include <cstdio>

#include "command.h"
#include "diagnostic_sink.h"
#include "frame_receiver.h"
#include "host_session.h"
#include "number_argument.h"

namespace lvcgrab {
namespace {

using Clock = std::chrono::steady_clock;

constexpr std::chrono::seconds kFrameTimeout{10};

struct StreamCounts {
    int32_t requests = 0;
    int32_t delivered = 0;
    int32_t refused = 0;
    int32_t timedOut = 0;
};

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

int runStream(HostSession& host, const Arguments& arguments) {
    if (arguments.size() != 3 || arguments[1] != "--seconds")
        return fail(kExitUsage, "usage: stream CAMERA --seconds S");
    const std::optional<double> seconds = parseSeconds(arguments[2]);
    if (!seconds)
        return fail(kExitUsage, "--seconds needs a positive number, not '" + arguments[2] + "'");
    int exitCode = kExitSuccess;
    const auto port = openCamera(host, arguments[0], exitCode);
    if (!port) return exitCode;
    StreamCounts counts;
    double elapsed = 0;
    {
        FrameReceiver receiver(host.plugin(), *port, 1);
        const Clock::time_point start = Clock::now();
        counts = stream(host.plugin(), receiver,
                        start + std::chrono::duration_cast<Clock::duration>(
                                    std::chrono::duration<double>(*seconds)));
        elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    }
    const PluginStatistics statistics = pluginStatistics(OpenPort::kPort);
    std::printf("%d frames in %.2f s (%.1f fps)\n", counts.delivered, elapsed,
                counts.delivered / elapsed);
    std::printf("requests %d, delivered %d, unanswered %d, dropped %d\n", counts.requests,
                counts.delivered, counts.timedOut + counts.refused,
                droppedFrameCount(OpenPort::kPort));
    std::printf("plug-in statistics: %d line(s), Req %d, RX %d, TX %d\n", statistics.lines,
                statistics.requested, statistics.received, statistics.delivered);
    if (counts.refused) return fail(kExitFailure, "the camera refused a grab request");
    return kExitSuccess;
}

}  // namespace

extern const Command streamCommand{"stream", "CAMERA --seconds S",
                                   "grabs without saving; reports fps, counts and drops",
                                   runStream};

}  // namespace lvcgrab
