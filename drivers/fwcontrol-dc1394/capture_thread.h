// The thread that takes a camera's frames from libdc1394: it waits on the capture
// descriptor with a timeout (libdc1394's own waiting dequeue can block forever) and then
// calls drain, which dequeues without waiting. A stop wakes it at once.
#pragma once

#include <atomic>
#include <functional>
#include <thread>

namespace fwdc1394 {

class CaptureThread {
public:
    // drain returns false to end the thread (the camera failed).
    using Drain = std::function<bool()>;

    CaptureThread(int captureDescriptor, Drain drain);
    // Stops and joins.
    ~CaptureThread();
    CaptureThread(const CaptureThread&) = delete;
    CaptureThread& operator=(const CaptureThread&) = delete;

    bool started() const { return wake_ >= 0; }

private:
    void run();

    const int captureDescriptor_;
    const Drain drain_;
    int wake_ = -1;
    std::atomic<bool> stopping_{false};
    std::thread thread_;
};

}  // namespace fwdc1394
