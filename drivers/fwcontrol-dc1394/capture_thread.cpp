#include "capture_thread.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>

namespace fwdc1394 {
namespace {

// Dequeues are tried at least this often, as libdc1394 signals no failed transfer on the
// descriptor (an unplugged camera shows only as a failing dequeue).
constexpr int kPollTimeoutMs = 50;

}  // namespace

CaptureThread::CaptureThread(int captureDescriptor, Drain drain)
    : captureDescriptor_(captureDescriptor), drain_(std::move(drain)) {
    wake_ = eventfd(0, EFD_CLOEXEC);
    if (wake_ >= 0) thread_ = std::thread([this] { run(); });
}

CaptureThread::~CaptureThread() {
    stopping_ = true;
    if (wake_ < 0) return;
    const uint64_t one = 1;
    // A failed write only delays the stop until the next timeout.
    [[maybe_unused]] const ssize_t written = write(wake_, &one, sizeof one);
    thread_.join();
    close(wake_);
}

void CaptureThread::run() {
    pollfd descriptors[2] = {{captureDescriptor_, POLLIN, 0}, {wake_, POLLIN, 0}};
    while (!stopping_) {
        poll(descriptors, 2, kPollTimeoutMs);
        if (stopping_ || !drain_()) return;
    }
}

}  // namespace fwdc1394
