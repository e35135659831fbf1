#include "sim_fixture.h"

#include "fw_status.h"

void SimBusTest::TearDown() {
    if (started_) {
        EXPECT_EQ(FWC_Release(), 0);
    }
    bus_.reset();
}

int32_t SimBusTest::startBus(const std::string& busJson) {
    bus_.reset();
    bus_.emplace(busJson);
    const int32_t status = FWC_Init();
    started_ = status == 0;
    return status;
}

uint32_t SimBusTest::startWithCamera(const SimCamera& camera) {
    EXPECT_EQ(startBus(lvc::test::simBusJson({camera})), 0);
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

SimCamera manualCamera(uint32_t id, const std::vector<uint32_t>& codings) {
    return SimCamera(id)
        .vendor("Test")
        .model("M" + std::to_string(id))
        .timing("manual")
        .format7({.maxWidth = 128, .maxHeight = 96, .codings = codings});
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
