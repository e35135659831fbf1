// Grab requests through the host interface: multishot, streaming and triggered cameras,
// "Continous", the statistics line, and the failures of the request and of the fetch.
#include <gtest/gtest.h>

#include <atomic>
#include <string>

#include "fw_status.h"
#include "fwsim.h"
#include "frame/frame_host.h"
#include "frame/statistics_lines.h"
#include "support/sim_bus_json.h"
#include "support/wait_until.h"

namespace lvc::test {
namespace {

// Small manual-timing cameras: a frame exists only when the test steps or triggers it.
const std::string kBus = simBusJson(
    {SimCamera(11).model("MULTI").timing("manual").format7({.codings = {0}}),
     SimCamera(12).model("STREAM").timing("manual").format7({.codings = {0}}),
     SimCamera(13).model("TRIG").with("trigger", R"({"active": true})").format7({.codings = {0}})});

constexpr uint32_t kMultishot = 11;
constexpr uint32_t kStreaming = 12;
constexpr uint32_t kTriggered = 13;
constexpr int32_t kPort = 5;

class GrabModes : public ::testing::Test {
protected:
    FrameHost host{kBus};

    void open(const char* model) { host.open(kPort, host.indexOf(model)); }
    int32_t grab() { return host.plugin().doCVLGrab(0, kPort); }
    void setContinuous(int32_t on) { host.plugin().setProperty(0, kPort, "Continous", on); }
};

TEST_F(GrabModes, MultishotServesTwoRequestsWithOneShotAndReportsTheMismatch) {
    open("MULTI");
    EXPECT_EQ(grab(), 1);
    EXPECT_EQ(grab(), 1);
    ASSERT_EQ(FWS_Step(kMultishot), 0);
    EXPECT_NE(FWS_Step(kMultishot), 0) << "a second shot was started";
    ASSERT_TRUE(host.waitDeliveries(kPort, 1));
    ASSERT_TRUE(waitUntil([] { return !statisticsLines(kPort).empty(); }));
    EXPECT_EQ(statisticsLines(kPort), std::vector<std::string>{"SYNC:5 Req:2 RX:1 TX:1"});
}

TEST_F(GrabModes, StreamingDeliversOnlyRequestedFramesAndNeverReports) {
    host.storeStreaming(host.indexOf("STREAM"));
    open("STREAM");
    for (int frame = 0; frame < 3; ++frame) ASSERT_EQ(FWS_Step(kStreaming), 0);
    EXPECT_EQ(grab(), 1);
    ASSERT_EQ(FWS_Step(kStreaming), 0);
    ASSERT_TRUE(host.waitDeliveries(kPort, 1));
    for (int frame = 0; frame < 3; ++frame) ASSERT_EQ(FWS_Step(kStreaming), 0);
    EXPECT_EQ(grab(), 1);
    ASSERT_EQ(FWS_Step(kStreaming), 0);
    ASSERT_TRUE(host.waitDeliveries(kPort, 2));
    EXPECT_EQ(host.deliveries(kPort), 2);
    EXPECT_TRUE(statisticsLines(kPort).empty());
}

TEST_F(GrabModes, TriggeredCameraDeliversRequestedPulsesAndReportsUnrequestedOnes) {
    open("TRIG");
    EXPECT_EQ(grab(), 1);
    ASSERT_EQ(FWS_Trigger(kTriggered), 0);
    ASSERT_TRUE(host.waitDeliveries(kPort, 1));
    ASSERT_EQ(FWS_Trigger(kTriggered), 0);
    ASSERT_TRUE(waitUntil([] { return !statisticsLines(kPort).empty(); }));
    EXPECT_EQ(statisticsLines(kPort), std::vector<std::string>{"SYNC:5 Req:1 RX:2 TX:1"});
    EXPECT_EQ(host.deliveries(kPort), 1);
}

TEST_F(GrabModes, ContinuousMultishotKeepsOneShotInFlightUntilSwitchedOff) {
    open("MULTI");
    EXPECT_EQ(host.property(kPort, "continous"), 0);
    // The fourth delivery switches the chain off from inside the callback.
    host.setAction([this](int32_t port) {
        if (host.deliveries(port) == 3) host.plugin().setProperty(0, port, "Continous", 0);
    });
    setContinuous(1);
    EXPECT_EQ(host.property(kPort, "CONTINOUS"), 1);
    for (int32_t frame = 1; frame <= 4; ++frame) {
        ASSERT_TRUE(waitUntil([] { return FWS_Step(kMultishot) == 0; })) << "frame " << frame;
        ASSERT_TRUE(host.waitDeliveries(kPort, frame));
    }
    EXPECT_EQ(host.property(kPort, "Continous"), 0);
    EXPECT_NE(FWS_Step(kMultishot), 0) << "a shot was asked for after the chain stopped";
    EXPECT_TRUE(statisticsLines(kPort).empty()) << "every shot was asked for by the plug-in";
}

TEST_F(GrabModes, ContinuousStreamingDeliversEveryFrameUnasked) {
    host.storeStreaming(host.indexOf("STREAM"));
    open("STREAM");
    setContinuous(1);
    for (int32_t frame = 1; frame <= 3; ++frame) {
        ASSERT_EQ(FWS_Step(kStreaming), 0);
        ASSERT_TRUE(host.waitDeliveries(kPort, frame));
    }
}

TEST_F(GrabModes, HostMayAskForTheNextFrameFromInsideTheCallback) {
    open("MULTI");
    host.setAction([this](int32_t port) {
        if (host.deliveries(port) < 2) {
            EXPECT_EQ(host.plugin().doCVLGrab(0, port), 1);
        }
    });
    ASSERT_EQ(grab(), 1);
    for (int32_t frame = 1; frame <= 3; ++frame) {
        ASSERT_TRUE(waitUntil([] { return FWS_Step(kMultishot) == 0; }));
        ASSERT_TRUE(host.waitDeliveries(kPort, frame));
    }
    EXPECT_NE(FWS_Step(kMultishot), 0);
}

TEST_F(GrabModes, FailingShotStartRefusesTheRequestAndLeavesTheCameraIdle) {
    open("MULTI");
    ASSERT_EQ(FWS_FailCall("FWC_MultiShotStart", FWC_ERR_INJECTED, 1), 0);
    EXPECT_EQ(grab(), 0);
    EXPECT_TRUE(DebugLog::instance().contains(
        "FWC_MultiShotStart: failure injected by the test control interface\n"));
    EXPECT_EQ(grab(), 1);
    ASSERT_EQ(FWS_Step(kMultishot), 0);
    EXPECT_TRUE(host.waitDeliveries(kPort, 1));
}

// A failed fetch spends the shot without a delivery. The request is re-armed, so the
// host's next request starts a new shot instead of waiting for one that never comes.
TEST_F(GrabModes, FailedFetchInMultishotReArmsTheRequest) {
    open("MULTI");
    ASSERT_EQ(FWS_FailCall("FWC_GetNativeImage", FWC_ERR_INJECTED, 1), 0);
    EXPECT_EQ(grab(), 1);
    ASSERT_EQ(FWS_Step(kMultishot), 0);
    ASSERT_TRUE(DebugLog::instance().waitFor(
        "FWC_GetNativeImage: failure injected by the test control interface\n"));
    EXPECT_EQ(grab(), 1);
    ASSERT_TRUE(waitUntil([] { return FWS_Step(kMultishot) == 0; }));
    ASSERT_TRUE(host.waitDeliveries(kPort, 1));
    EXPECT_EQ(host.deliveries(kPort), 1);
}

TEST_F(GrabModes, FailedFetchKeepsAContinuousChainGoing) {
    open("MULTI");
    ASSERT_EQ(FWS_FailCall("FWC_GetNativeImage", FWC_ERR_INJECTED, 1), 0);
    setContinuous(1);
    ASSERT_EQ(FWS_Step(kMultishot), 0);
    ASSERT_TRUE(waitUntil([] { return FWS_Step(kMultishot) == 0; }));
    EXPECT_TRUE(host.waitDeliveries(kPort, 1));
}

// A continuous chain whose next shot is refused once, when switched on and again after a
// delivery, still delivers without any further request from the host.
TEST_F(GrabModes, ContinuousChainGoesOnAfterARefusedShotStart) {
    open("MULTI");
    const std::string refused =
        "FWC_MultiShotStart: failure injected by the test control interface\n";
    std::atomic<bool> refuseAfterDelivery{true};
    host.setAction([&refuseAfterDelivery](int32_t) {
        if (refuseAfterDelivery.exchange(false))
            FWS_FailCall("FWC_MultiShotStart", FWC_ERR_INJECTED, 1);
    });
    ASSERT_EQ(FWS_FailCall("FWC_MultiShotStart", FWC_ERR_INJECTED, 1), 0);
    setContinuous(1);
    EXPECT_TRUE(DebugLog::instance().contains(refused));
    for (int32_t frame = 1; frame <= 3; ++frame) {
        ASSERT_TRUE(waitUntil([] { return FWS_Step(kMultishot) == 0; })) << "frame " << frame;
        ASSERT_TRUE(host.waitDeliveries(kPort, frame));
    }
    EXPECT_EQ(host.property(kPort, "Continous"), 1);
}

TEST_F(GrabModes, DroppedFramesAndErrorsAreReportedWithThePort) {
    host.open(3, host.indexOf("MULTI"));
    ASSERT_EQ(FWS_RaiseEvent(kMultishot, FWC_NOTIFY_FRAME_DROPPED), 0);
    EXPECT_TRUE(DebugLog::instance().waitFor("Frame dropped 3\n"));
    ASSERT_EQ(FWS_RaiseEvent(kMultishot, FWC_NOTIFY_ERROR), 0);
    EXPECT_TRUE(DebugLog::instance().waitFor("Error on 3\n"));
}

}  // namespace
}  // namespace lvc::test
