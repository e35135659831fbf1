// A private simulated bus per test: the description is written to a file of its own
// (so the cameras' exclusivity namespace is the test's own) and the library is started
// on it; teardown releases it.
#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "fwsim.h"
#include "support/sim_bus_file.h"
#include "support/sim_bus_json.h"
#include "support/temp_directory.h"

using lvc::test::SimCamera;

class SimBusTest : public ::testing::Test {
protected:
    void TearDown() override;

    // Writes the description and starts the library on it; the status of FWC_Init.
    int32_t startBus(const std::string& busJson);
    // Starts the library on a bus of one camera and opens it.
    uint32_t startWithCamera(const SimCamera& camera);
    // A directory of the test's own for its other files, there from the start of the test.
    const std::filesystem::path& directory() const { return directory_.path(); }
    const std::filesystem::path& busFile() const { return bus_->path(); }
    std::string errorText(int32_t status);

private:
    lvc::test::TempDirectory directory_;
    std::optional<lvc::test::SimBusFile> bus_;
    bool started_ = false;
};

// A camera with one Format 7 mode (128 x 96, units 1, the given codings) in "manual" timing.
SimCamera manualCamera(uint32_t id, const std::vector<uint32_t>& codings);

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
