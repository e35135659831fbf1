// PortTable: slots, the one-port-per-name rule and lookups, also under concurrent use.
#include "boundary/port_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <memory>
#include <thread>
#include <vector>

#include "camera/camera.h"

namespace lvc {
namespace {

// A camera that was never registered with the driver: destroying it changes nothing.
CameraPtr cameraNamed(const char* name) {
    CameraPtr camera(new CCamera);
    std::memcpy(camera->name, name, std::min(std::strlen(name), sizeof camera->name - 1));
    return camera;
}

class PortTableTest : public ::testing::Test {
protected:
    // Every slot is emptied again: the table lives as long as the process.
    void TearDown() override {
        for (int32_t port = 0; port < kPortCount; ++port) vacatePort(port);
    }
};

TEST_F(PortTableTest, SlotHoldsOneCameraAndANameIsOpenOnOnePortOnly) {
    auto first = cameraNamed("Acme Eye - 1");
    auto sameName = cameraNamed("Acme Eye - 1");
    auto other = cameraNamed("Bolt Lens - 2");
    CameraPtr none;
    CCamera* const firstCamera = first.get();

    EXPECT_FALSE(occupyPort(-1, first));
    EXPECT_FALSE(occupyPort(kPortCount, first));
    EXPECT_FALSE(occupyPort(0, none));
    ASSERT_TRUE(occupyPort(9, first));
    EXPECT_FALSE(occupyPort(9, other)) << "occupied";
    EXPECT_FALSE(occupyPort(3, sameName)) << "the name is open on port 9";
    ASSERT_TRUE(occupyPort(4, other));

    EXPECT_EQ(portCamera(9), firstCamera);
    EXPECT_EQ(portCamera(3), nullptr);
    EXPECT_EQ(portCamera(-1), nullptr);
    EXPECT_EQ(portCamera(1 << 30), nullptr);

    EXPECT_EQ(vacatePort(9).get(), firstCamera);
    EXPECT_EQ(vacatePort(9), nullptr);
    EXPECT_EQ(vacatePort(-5), nullptr);
    EXPECT_TRUE(occupyPort(3, sameName)) << "free again once port 9 is closed";
}

TEST_F(PortTableTest, FindPortByNameGivesTheLowestPortOfTheExactName) {
    auto first = cameraNamed("Acme Eye - 1");
    auto second = cameraNamed("Acme Eye - 10");
    ASSERT_TRUE(occupyPort(40, first));
    ASSERT_TRUE(occupyPort(2, second));
    EXPECT_EQ(findPortByName("Acme Eye - 1"), 40);
    EXPECT_EQ(findPortByName("Acme Eye - 10"), 2);
    EXPECT_EQ(findPortByName("acme eye - 1"), -1);
    EXPECT_EQ(findPortByName("Acme Eye - "), -1);
    EXPECT_EQ(findPortByName(""), -1);
    EXPECT_EQ(findPortByName(nullptr), -1);
    EXPECT_TRUE(isValidPort(0));
    EXPECT_TRUE(isValidPort(63));
    EXPECT_FALSE(isValidPort(64));
    EXPECT_FALSE(isValidPort(-1));
}

// Host threads opening, looking up and closing at once: every open of a name succeeds on
// exactly one port at a time (run under the thread sanitizer for the races).
TEST_F(PortTableTest, ConcurrentHostThreadsNeverShareANameOrASlot) {
    constexpr int kThreads = 4;
    constexpr int kRounds = 2000;
    auto shared = cameraNamed("Shared - 1");
    std::vector<CameraPtr> twins;
    for (int thread = 0; thread < kThreads; ++thread) twins.push_back(cameraNamed("Shared - 1"));
    std::atomic<int> holders{0};
    std::atomic<int> overlaps{0};
    std::vector<std::thread> threads;
    for (int thread = 0; thread < kThreads; ++thread) {
        threads.emplace_back([&, thread] {
            CameraPtr& twin = twins[static_cast<std::size_t>(thread)];
            CCamera* const mine = twin.get();
            for (int round = 0; round < kRounds; ++round) {
                const int32_t port = (thread * 16 + round) % kPortCount;
                if (!occupyPort(port, twin)) continue;
                if (holders.fetch_add(1) != 0) ++overlaps;
                if (findPortByName("Shared - 1") != port) ++overlaps;
                holders.fetch_sub(1);
                twin = vacatePort(port);
                if (twin.get() != mine) ++overlaps;
            }
        });
    }
    for (auto& thread : threads) thread.join();
    EXPECT_EQ(overlaps.load(), 0);
    EXPECT_EQ(findPortByName("Shared - 1"), -1);
}

}  // namespace
}  // namespace lvc
