#include "diagnostic_sink.h"

#include <atomic>
#include <cstdio>
#include <mutex>

namespace lvcgrab {
namespace {

constexpr int32_t kPortCount = 64;

struct PortCounters {
    std::atomic<int32_t> dropped{0};
    std::atomic<int32_t> statisticsLines{0};
    std::atomic<int32_t> requested{0};
    std::atomic<int32_t> received{0};
    std::atomic<int32_t> delivered{0};
};

std::atomic<bool> verboseDiagnostics{false};
std::mutex standardErrorLock;
PortCounters counters[kPortCount];

PortCounters* countersOf(int32_t port) {
    return port >= 0 && port < kPortCount ? &counters[port] : nullptr;
}

void countLine(const char* text) {
    int32_t port = -1;
    char timeOfDay[16];
    int32_t requested = 0;
    int32_t received = 0;
    int32_t delivered = 0;
    if (std::sscanf(text, "Frame dropped %d", &port) == 1) {
        if (PortCounters* portCounters = countersOf(port)) ++portCounters->dropped;
    } else if (std::sscanf(text, "%15s SYNC:%d Req:%d RX:%d TX:%d", timeOfDay, &port, &requested,
                           &received, &delivered) == 5) {
        if (PortCounters* portCounters = countersOf(port)) {
            ++portCounters->statisticsLines;
            portCounters->requested += requested;
            portCounters->received += received;
            portCounters->delivered += delivered;
        }
    }
}

}  // namespace

void setVerboseDiagnostics(bool verbose) { verboseDiagnostics = verbose; }

void LVC_CALL receiveDiagnostic(const char* text) {
    if (text == nullptr) return;
    countLine(text);
    if (!verboseDiagnostics) return;
    std::lock_guard lock(standardErrorLock);
    std::fputs(text, stderr);
}

int32_t droppedFrameCount(int32_t port) {
    const PortCounters* portCounters = countersOf(port);
    return portCounters ? portCounters->dropped.load() : 0;
}

PluginStatistics pluginStatistics(int32_t port) {
    const PortCounters* portCounters = countersOf(port);
    if (!portCounters) return {};
    return {portCounters->statisticsLines, portCounters->requested, portCounters->received,
            portCounters->delivered};
}

}  // namespace lvcgrab
