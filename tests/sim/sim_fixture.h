// A private simulated bus per test: the description is written to a file of its own
// (so the cameras' exclusivity namespace is the test's own) and the library is started
// on it; teardown releases it.
#ifndef LVC_TESTS_SIM_FIXTURE_H
#define LVC_TESTS_SIM_FIXTURE_H

#include <gtest/gtest.h>

#include <cctype>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "fwsim.h"

class SimBusTest : public ::testing::Test {
protected:
    void TearDown() override;

    // Writes the description and starts the library on it; the status of FWC_Init.
    int32_t startBus(const std::string& busJson);
    // Starts the library on a bus of one camera and opens it.
    uint32_t startWithCamera(const std::string& cameraJson);
    std::filesystem::path directory();
    std::filesystem::path busFile() { return directory() / "bus.json"; }
    std::string errorText(int32_t status);

private:
    std::filesystem::path directory_;
    bool started_ = false;
};

// Waits until predicate holds, up to the deadline; the predicate's last value.
bool waitFor(const std::function<bool()>& predicate,
             std::chrono::milliseconds deadline = std::chrono::seconds(5));

// A JSON camera with one Format 7 mode (128 x 96, units 1, the given codings) in
// "manual" timing, plus extra keys (a JSON fragment starting with a comma, or empty).
std::string manualCamera(uint32_t id, const std::string& codings, const std::string& extra = "");

// Counts the calls of a notification callback.
struct CallCounter {
    std::mutex mutex;
    std::condition_variable changed;
    int calls = 0;

    static uint32_t FWC_CALL callback(void* context);
    bool waitForCalls(int wanted);
    int count();
};

// Test name of a parameter with a "what" text: its letters and digits.
template <typename Case>
std::string caseName(const ::testing::TestParamInfo<Case>& info) {
    std::string name;
    for (const char c : std::string(info.param.what)) {
        name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    }
    return name;
}

#endif
