// initialize and finalize through the exports: the reference count, what a repeated call
// does, a failed first-time setup, and the trivial exports.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>

#include "plugin_fixture.h"
#include "support/call_count.h"
#include "support/wait_until.h"

namespace lvc::test {
namespace {

const BusCamera kCamera{1, "Acme", "Eye"};

std::vector<std::string> secondLog;
void LVC_CALL receiveSecond(const char* text) { secondLog.emplace_back(text); }

class Lifecycle : public PluginTest {
protected:
    Lifecycle() { useBus({kCamera}); }
};

TEST_F(Lifecycle, FinalizeWithoutInitializeDoesNothing) {
    EXPECT_EQ(plugin.finalize(), 0);
    EXPECT_EQ(plugin.getCVLNoOfSupportedCameras(), 0);
    EXPECT_NE(plugin.getCVLCameraConfigNames(), nullptr);
    EXPECT_TRUE(log().lines().empty());
}

TEST_F(Lifecycle, EveryInitializeIsMatchedByOneFinalizeAndOnlyTheLastTearsDown) {
    ASSERT_EQ(initialize(), 1);
    EXPECT_EQ(log().lines(),
              (std::vector<std::string>{versionLine(), "0 [1] - " + configName(kCamera) + "\n"}));

    secondLog.clear();
    EXPECT_EQ(plugin.initialize("elsewhere", &receiveSecond), 1);
    EXPECT_EQ(secondLog, std::vector<std::string>{versionLine()})
        << "a repeated initialize logs its version line to the new callback and lists nothing";
    EXPECT_EQ(log().lines().size(), 2u) << "the first callback was replaced";

    EXPECT_EQ(plugin.finalize(), 0);
    EXPECT_EQ(plugin.getCVLNoOfSupportedCameras(), 1) << "still initialised";
    EXPECT_EQ(plugin.finalize(), 1);
    EXPECT_EQ(plugin.finalize(), 0);
    EXPECT_EQ(secondLog.size(), 1u) << "the teardown reports nothing";
}

TEST_F(Lifecycle, ListSurvivesFinalizeAndIsNotListedAgain) {
    ASSERT_EQ(initialize(), 1);
    char** names = plugin.getCVLCameraConfigNames();
    const char* first = names[0];
    ASSERT_EQ(plugin.finalize(), 1);
    EXPECT_EQ(plugin.getCVLNoOfSupportedCameras(), 1);

    log().clear();
    ASSERT_EQ(initialize(), 1);
    EXPECT_EQ(log().lines(), std::vector<std::string>{versionLine()})
        << "a named camera is not opened or logged again";
    EXPECT_EQ(plugin.getCVLCameraConfigNames(), names);
    EXPECT_EQ(names[0], first);
    EXPECT_EQ(listedNames(), std::vector<std::string>{configName(kCamera)});
    EXPECT_EQ(plugin.finalize(), 1);
}

// A failed first-time setup leaves nothing behind (the leak checker of the sanitizer build
// sees the mutex handles) and the next initialize starts from the beginning.
TEST_F(Lifecycle, FailedDriverStartIsNotCountedAndALaterInitializeStartsClean) {
    FWS_FailCall("FWC_Init", FWC_ERR_INJECTED, 1);
    EXPECT_EQ(initialize(), 0);
    EXPECT_EQ(log().lines(), (std::vector<std::string>{versionLine(), failureLine("FWC_Init")}));
    EXPECT_EQ(plugin.finalize(), 0) << "nothing was counted";

    log().clear();
    EXPECT_EQ(initialize(), 1);
    EXPECT_EQ(log().lines(),
              (std::vector<std::string>{versionLine(), "0 [1] - " + configName(kCamera) + "\n"}));
    EXPECT_EQ(plugin.finalize(), 1);
}

TEST_F(Lifecycle, RefusedBusDescriptionFailsTheFirstInitialize) {
    useBusDescription("{\"cameras\": [ {\"id\": \"one\"} ]}");
    EXPECT_EQ(initialize(), 0);
    const auto lines = log().lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1].rfind("FWC_Init: ", 0), 0u) << lines[1];
    EXPECT_EQ(plugin.getCVLNoOfSupportedCameras(), 0);
}

TEST_F(Lifecycle, SettersAndConstantsAnswerAsDocumented) {
    EXPECT_EQ(plugin.getCVLMaxNoOfPorts(), 64);
    EXPECT_EQ(plugin.configure(), 0);
    EXPECT_EQ(plugin.getPropertyRange(), 0);
    EXPECT_EQ(reinterpret_cast<void*>(plugin.configure),
              reinterpret_cast<void*>(plugin.getPropertyRange))
        << "one function under two names";
    EXPECT_EQ(plugin.setDebugMsgProc(&receiveSecond), &receiveSecond);
    EXPECT_EQ(plugin.setDebugMsgProc(nullptr), nullptr);
    EXPECT_EQ(plugin.setSystemPath("/somewhere"), 1);
    EXPECT_EQ(plugin.setSystemPath(std::string(1000, 'p').c_str()), 1);
    EXPECT_EQ(plugin.setCompleteCallback(0, 0, nullptr), 1);
    EXPECT_EQ(plugin.setCmdCallback(0, 0, nullptr), 1);

    ASSERT_EQ(initialize(), 1);
    EXPECT_EQ(plugin.getCVLMaxNoOfPorts(), 64);
    EXPECT_EQ(plugin.finalize(), 1);
    EXPECT_EQ(plugin.getCVLMaxNoOfPorts(), 64);
}

}  // namespace
}  // namespace lvc::test

namespace lvc::test {
namespace {

// The host should close its ports before the last finalize; when it has not, finalize
// closes them, so the cameras are stopped and freed and no notification of theirs reaches
// the plug-in once it may be unloaded.
TEST_F(Lifecycle, LastFinalizeClosesThePortsLeftOpen) {
    const std::string name = configName(kCamera);
    uint32_t size[2] = {};
    ASSERT_EQ(initialize(), 1);
    ASSERT_EQ(plugin.openCVLPort(0, 5, name.c_str(), size), 1);
    EXPECT_EQ(plugin.finalize(), 1);

    ASSERT_EQ(initialize(), 1);
    EXPECT_EQ(plugin.openCVLPort(0, 5, name.c_str(), size), 1)
        << "port 5 was emptied and the camera closed by the finalize";
    plugin.closeCVLPort(0, 5);
    EXPECT_EQ(plugin.finalize(), 1);
}

}  // namespace
}  // namespace lvc::test

namespace lvc::test {
namespace {

// A bus-change notification of the test's own. The driver runs pending notifications in
// the order they were registered, so once a change has reached this one, it has reached
// every notification registered before it.
class NodeListWitness {
public:
    NodeListWitness() {
        descriptor_ = FWC_MakeNotification(FWC_ALL_CAMERAS, countCall, &calls_);
        EXPECT_EQ(FWC_RegisterNodeListChangedNotification(&handle_, &descriptor_), 0);
    }
    ~NodeListWitness() { FWC_UnRegisterNotification(handle_); }
    bool waitForCalls(int wanted) {
        return waitUntil([&] { return calls_.load() >= wanted; });
    }

private:
    FWC_NOTIFICATION descriptor_{};
    FWC_HANDLE handle_ = 0;
    std::atomic<int> calls_{0};
};

const BusCamera kJoining{2, "Bolt", "Lens"};
const BusCamera kLater{3, "Core", "View"};

// Another user of the camera library in the host keeps it up while the plug-in stops and
// starts, so a bus notification the plug-in failed to remove stays with the driver.
class DriverKeptUp : public Lifecycle {
protected:
    DriverKeptUp() { EXPECT_EQ(FWC_Init(), 0); }
    ~DriverKeptUp() override { FWC_Release(); }
};

// The next initialize removes the notification left behind: a bus change then enumerates
// once, not once per registration.
TEST_F(DriverKeptUp, NotificationLeftByAFailedFinalizeIsRemovedByTheNextInitialize) {
    ASSERT_EQ(initialize(), 1);
    FWS_FailCall("FWC_UnRegisterNotification", FWC_ERR_INJECTED, 1);
    ASSERT_EQ(plugin.finalize(), 1);

    log().clear();
    ASSERT_EQ(initialize(), 1);
    EXPECT_EQ(log().lines(), std::vector<std::string>{versionLine()});
    NodeListWitness witness;
    ASSERT_NE(FWS_Plug(cameraJson(kJoining).c_str()), 0u);
    ASSERT_TRUE(witness.waitForCalls(1));
    const auto lines = log().lines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "NodeChangedCallback - enum\n"), 1);
    EXPECT_EQ(plugin.finalize(), 1);
}

// Bus changes keep coming through a notification the driver still holds while the plug-in
// stops and starts again and again: none may reach the mutexes a finalize has closed (the
// sanitizer build sees a use after free).
TEST_F(DriverKeptUp, BusChangesThroughANotificationLeftWithTheDriverAcrossRestarts) {
    FWS_FailCall("FWC_UnRegisterNotification", FWC_ERR_INJECTED, 1000);
    std::atomic<bool> stop{false};
    std::thread busChanges([&] {
        const std::string camera = cameraJson(kLater);
        while (!stop) {
            FWS_Plug(camera.c_str());
            FWS_Unplug(kLater.id);
        }
    });
    int restarts = 0;
    while (restarts < 200 && initialize() == 1 && plugin.finalize() == 1) ++restarts;
    stop = true;
    busChanges.join();
    EXPECT_EQ(restarts, 200);
}

}  // namespace
}  // namespace lvc::test
