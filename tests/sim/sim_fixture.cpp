#include "sim_fixture.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "fw_status.h"

#ifdef _WIN32
#include <process.h>
#define getpid _getpid
#else
#include <unistd.h>
#endif

namespace {

void setBusVariable(const std::string& path) {
#ifdef _WIN32
    _putenv_s("FWCONTROL_SIM_BUS", path.c_str());
#else
    setenv("FWCONTROL_SIM_BUS", path.c_str(), 1);
#endif
}

}  // namespace

std::filesystem::path SimBusTest::directory() {
    if (directory_.empty()) {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        // One folder level, so that removing it leaves nothing: parameterised suites have
        // a "/" in their names.
        std::string name = "lvc-sim-" + std::to_string(getpid()) + "-" + test->test_suite_name() +
                           "-" + test->name();
        std::replace(name.begin(), name.end(), '/', '_');
        directory_ = std::filesystem::temp_directory_path() / name;
        std::filesystem::create_directories(directory_);
    }
    return directory_;
}

void SimBusTest::TearDown() {
    if (started_) {
        EXPECT_EQ(FWC_Release(), 0);
    }
    setBusVariable("");
    if (!directory_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(directory_, ignored);
    }
}

int32_t SimBusTest::startBus(const std::string& busJson) {
    std::ofstream(busFile()) << busJson;
    setBusVariable(busFile().string());
    const int32_t status = FWC_Init();
    started_ = status == 0;
    return status;
}

uint32_t SimBusTest::startWithCamera(const std::string& cameraJson) {
    EXPECT_EQ(startBus("{\"cameras\": [" + cameraJson + "]}"), 0);
    uint32_t count = 1;
    uint32_t id = 0;
    EXPECT_EQ(FWC_GetCameras(&count, &id), 0);
    EXPECT_EQ(count, 1u);
    EXPECT_EQ(FWC_OpenCamera(id, FWC_OPEN_DEFAULT), 0);
    return id;
}

std::string SimBusTest::errorText(int32_t status) {
    char text[FWC_ERROR_TEXT_SIZE] = {};
    EXPECT_EQ(FWC_GetErrorInfo(status, text, sizeof text), 0);
    return text;
}

bool waitFor(const std::function<bool()>& predicate, std::chrono::milliseconds deadline) {
    const auto end = std::chrono::steady_clock::now() + deadline;
    while (!predicate()) {
        if (std::chrono::steady_clock::now() >= end) {
            return predicate();
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

std::string manualCamera(uint32_t id, const std::string& codings, const std::string& extra) {
    return "{\"id\": " + std::to_string(id) + ", \"vendor\": \"Test\", \"model\": \"M" +
           std::to_string(id) +
           "\", \"timing\": \"manual\", \"format7\": [{\"mode\": 0, \"maxWidth\": 128, "
           "\"maxHeight\": 96, \"codings\": [" +
           codings + "]}]" + extra + "}";
}

uint32_t FWC_CALL CallCounter::callback(void* context) {
    auto* counter = static_cast<CallCounter*>(context);
    {
        std::lock_guard lock(counter->mutex);
        ++counter->calls;
    }
    counter->changed.notify_all();
    return 0;
}

bool CallCounter::waitForCalls(int wanted) {
    std::unique_lock lock(mutex);
    return changed.wait_for(lock, std::chrono::seconds(5), [&] { return calls >= wanted; });
}

int CallCounter::count() {
    std::lock_guard lock(mutex);
    return calls;
}

FWC_NOTIFICATION notificationFor(uint32_t cameraId, FWC_NotifyCallback callback, void* context) {
    FWC_NOTIFICATION notification{};
    notification.mode = 0;
    notification.cameraId = cameraId;
    notification.callback = callback;
    notification.context = context;
    notification.reserved0 = 0xFFFFFFFFu;
    notification.reserved3 = 0xFFFFFFFFu;
    return notification;
}
