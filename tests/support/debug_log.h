// Captures the plug-in's diagnostic lines: DebugLog::receive is a DebugMsgProc that any
// thread may call; tests read the lines or wait, with a deadline, for one to arrive.
#pragma once

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "lorvenacam.h"

namespace lvc::test {

class DebugLog {
public:
    // The process-wide log that receive() appends to.
    static DebugLog& instance() {
        static DebugLog log;
        return log;
    }
    static void LVC_CALL receive(const char* text) { instance().append(text); }

    void clear() {
        std::lock_guard lock(mutex_);
        lines_.clear();
    }
    std::vector<std::string> lines() const {
        std::lock_guard lock(mutex_);
        return lines_;
    }
    bool contains(const std::string& line) const {
        std::lock_guard lock(mutex_);
        return std::find(lines_.begin(), lines_.end(), line) != lines_.end();
    }
    // True once a line equal to `line` has arrived, false when the timeout passes first.
    bool waitFor(const std::string& line,
                 std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
        std::unique_lock lock(mutex_);
        return arrived_.wait_for(lock, timeout, [&] {
            return std::find(lines_.begin(), lines_.end(), line) != lines_.end();
        });
    }

private:
    void append(const char* text) {
        {
            std::lock_guard lock(mutex_);
            lines_.emplace_back(text);
        }
        arrived_.notify_all();
    }

    mutable std::mutex mutex_;
    std::condition_variable arrived_;
    std::vector<std::string> lines_;
};

}  // namespace lvc::test
