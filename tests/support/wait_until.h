// Waits for a condition that nothing signals (a count in the plug-in, a file appearing),
// checking it every few milliseconds until a deadline.
#pragma once

#include <chrono>
#include <thread>

namespace lvc::test {

// True as soon as condition() holds, false when the timeout passes first.
template <typename Condition>
bool waitUntil(Condition condition, std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

}  // namespace lvc::test
