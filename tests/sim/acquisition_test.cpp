// Acquisition: counted and continuous grabs, the frame ring and drops with a slow
// consumer, "fast" timing, triggered frames and "realtime" pacing.
#include <atomic>
#include <cstdlib>
#include <string>
#include <thread>

#include "fw_status.h"
#include "sim_fixture.h"
#include "support/wait_until.h"

namespace {

// The frame number of the newest frame of a Mono8 camera (128 x 96).
uint32_t fetchFrameNumber(uint32_t id) {
    std::vector<uint8_t> frame(128 * 96);
    if (FWC_GetNativeImage(id, frame.data(), static_cast<uint32_t>(frame.size()), 0) != 0) {
        return 0;
    }
    uint32_t number = 0;
    EXPECT_EQ(FWS_ReadFrameNumber(frame.data(), 128, 96, 1, &number), 0);
    return number;
}

struct Counters {
    uint32_t completed = 0;
    uint32_t dropped = 0;
};

Counters counters(uint32_t id) {
    Counters result;
    EXPECT_EQ(FWS_GetFrameCounters(id, &result.completed, &result.dropped), 0);
    return result;
}

TEST_F(SimBusTest, FullRingDropsTheOldestFrameAndSaysSo) {
    const uint32_t id = startWithCamera(
        manualCamera(5, {0}).with("features", R"([{"id": 1026, "min": 1, "max": 8, "value": 3}])"));
    CallCounter dropped;
    CallCounter completed;
    FWC_NOTIFICATION droppedNote = FWC_MakeNotification(id, CallCounter::callback, &dropped);
    FWC_NOTIFICATION completedNote = FWC_MakeNotification(id, CallCounter::callback, &completed);
    FWC_HANDLE droppedHandle = 0, completedHandle = 0;
    ASSERT_EQ(FWC_RegisterNotification(&droppedHandle, FWC_NOTIFY_FRAME_DROPPED, &droppedNote), 0);
    ASSERT_EQ(FWC_RegisterNotification(&completedHandle, FWC_NOTIFY_FRAME_COMPLETE, &completedNote),
              0);
    ASSERT_EQ(FWC_GrabStart(id, FWC_GRAB_CONTINUOUS), 0);
    for (int i = 0; i < 3; ++i) {
        ASSERT_EQ(FWS_Step(id), 0);
    }
    EXPECT_EQ(counters(id).dropped, 0u) << "three frames fit a ring of three";
    ASSERT_EQ(FWS_Step(id), 0);
    ASSERT_EQ(FWS_Step(id), 0);
    EXPECT_EQ(counters(id).dropped, 2u);
    EXPECT_TRUE(dropped.waitForCalls(1));
    EXPECT_TRUE(completed.waitForCalls(1));
    EXPECT_EQ(fetchFrameNumber(id), 5u) << "the newest frame is fetched";
    ASSERT_EQ(FWS_Step(id), 0);
    ASSERT_EQ(FWS_Step(id), 0);
    ASSERT_EQ(FWS_Step(id), 0);
    EXPECT_EQ(counters(id).dropped, 2u) << "fetching emptied the ring";
    EXPECT_EQ(fetchFrameNumber(id), 8u);
    EXPECT_EQ(FWC_UnRegisterNotification(droppedHandle), 0);
    EXPECT_EQ(FWC_UnRegisterNotification(completedHandle), 0);
    EXPECT_EQ(FWC_GrabStop(id, 1), 0);
    EXPECT_EQ(FWS_Step(id), FWC_ERR_ACQUISITION_NOT_RUNNING);
}

TEST_F(SimBusTest, MultiShotMakesCountedFramesAndAddsFurtherShots) {
    const uint32_t id = startWithCamera(manualCamera(6, {0}));
    EXPECT_EQ(FWC_MultiShotStart(id, 0), FWC_ERR_INVALID_ARGUMENT);
    ASSERT_EQ(FWC_MultiShotStart(id, 2), 0);
    EXPECT_EQ(FWC_GrabStart(id, FWC_GRAB_CONTINUOUS), FWC_ERR_ACQUISITION_RUNNING);
    uint32_t width = 64, height = 64, mode = 0, coding = FWC_CODING_MONO8, left = 0, top = 0,
             busLoad = 10;
    EXPECT_EQ(
        FWC_PrepareFreeGrab(id, &mode, &coding, &width, &height, nullptr, &left, &top, &busLoad),
        FWC_ERR_ACQUISITION_RUNNING);
    ASSERT_EQ(FWS_Step(id), 0);
    ASSERT_EQ(FWS_Step(id), 0);
    EXPECT_EQ(FWS_Step(id), FWC_ERR_ACQUISITION_NOT_RUNNING) << "two shots taken";
    ASSERT_EQ(FWC_MultiShotStart(id, 1), 0);
    ASSERT_EQ(FWS_Step(id), 0);
    EXPECT_EQ(counters(id).completed, 3u);
    EXPECT_EQ(fetchFrameNumber(id), 3u);
    EXPECT_EQ(
        FWC_PrepareFreeGrab(id, &mode, &coding, &width, &height, nullptr, &left, &top, &busLoad), 0)
        << "with every shot taken the camera is idle";
    EXPECT_EQ(FWC_GrabStart(id, 2), 0);
    ASSERT_EQ(FWS_Step(id), 0);
    EXPECT_EQ(FWC_MultiShotStart(id, 1), FWC_ERR_ACQUISITION_RUNNING) << "a grab is running";
    EXPECT_EQ(FWC_MultiShotStop(id), 0);
    EXPECT_EQ(FWC_MultiShotStop(id), 0) << "stopping a stopped camera succeeds";
}

TEST_F(SimBusTest, FastTimingMakesTheNextFrameWhenTheLastIsFetched) {
    const uint32_t id = startWithCamera(
        SimCamera(8).timing("fast").format7({.maxWidth = 128, .maxHeight = 96, .codings = {0}}));
    ASSERT_EQ(FWC_GrabStart(id, FWC_GRAB_CONTINUOUS), 0);
    for (uint32_t expected = 1; expected <= 20; ++expected) {
        ASSERT_TRUE(lvc::test::waitUntil([&] { return counters(id).completed >= expected; }));
        ASSERT_EQ(fetchFrameNumber(id), expected) << "no frame skipped, none made ahead";
    }
    EXPECT_EQ(counters(id).dropped, 0u);
    EXPECT_EQ(FWC_GrabStop(id, 1), 0);
}

// A stop joins the acquisition thread without the camera's lock; a start meanwhile must
// not start a second thread and cancel the stop request the joined one waits for.
TEST_F(SimBusTest, StartsAndStopsFromTwoThreadsKeepOneAcquisitionThread) {
    const uint32_t id = startWithCamera(
        SimCamera(9).timing("fast").format7({.maxWidth = 16, .maxHeight = 8, .codings = {0}}));
    constexpr int kRounds = 2000;
    std::atomic<int> finished{0};
    const auto repeat = [&](auto call) {
        return std::thread([&finished, call] {
            for (int round = 0; round < kRounds; ++round) call();
            ++finished;
        });
    };
    std::thread starter = repeat([id] { FWC_MultiShotStart(id, 1); });
    std::thread stopper = repeat([id] { FWC_MultiShotStop(id); });
    if (!lvc::test::waitUntil([&] { return finished == 2; }, std::chrono::seconds(30))) {
        ADD_FAILURE() << "a start or stop never returned";
        std::_Exit(1);  // the hung join cannot be undone
    }
    starter.join();
    stopper.join();
    EXPECT_EQ(FWC_MultiShotStop(id), 0);
}

// A start that passed the open check while another thread closed the camera must not
// leave an acquisition on the closed camera: after the next open, a grab would find it
// running, and the frame it left unfetched would hold a "fast" camera back for good.
TEST_F(SimBusTest, StartRacingACloseLeavesNoAcquisitionBehind) {
    const uint32_t id = startWithCamera(manualCamera(10, {0}));
    for (int round = 0; round < 300; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        std::atomic<bool> started{false};
        std::thread starter([&] {
            while (FWC_MultiShotStart(id, 1) != FWC_ERR_CAMERA_NOT_OPEN) started = true;
        });
        while (!started) std::this_thread::yield();
        ASSERT_EQ(FWC_CloseCamera(id), 0);
        starter.join();
        ASSERT_EQ(FWC_OpenCamera(id, FWC_OPEN_DEFAULT), 0);
        ASSERT_EQ(FWC_GrabStart(id, FWC_GRAB_CONTINUOUS), 0) << "nothing acquires after a close";
        ASSERT_EQ(FWC_GrabStop(id, 1), 0);
    }
}

TEST_F(SimBusTest, ActiveTriggerMakesOneFramePerPulse) {
    const uint32_t id =
        startWithCamera(SimCamera(11)
                            .timing("fast")
                            .format7({.maxWidth = 128, .maxHeight = 96, .codings = {0}})
                            .with("trigger", R"({"mode": 0, "active": true, "polarity": 1})"));
    ASSERT_EQ(FWC_GrabStart(id, FWC_GRAB_CONTINUOUS), 0);
    EXPECT_EQ(counters(id).completed, 0u) << "nothing before the first pulse";
    ASSERT_EQ(FWS_Trigger(id), 0);
    EXPECT_EQ(counters(id).completed, 1u);
    ASSERT_EQ(FWS_Trigger(id), 0);
    ASSERT_EQ(FWS_Trigger(id), 0);
    EXPECT_EQ(counters(id).completed, 3u);
    EXPECT_EQ(fetchFrameNumber(id), 3u);
    ASSERT_EQ(FWC_Trigger_Set(id, 0, 0, 1), 0);
    EXPECT_TRUE(lvc::test::waitUntil([&] { return counters(id).completed >= 4; }))
        << "free-running again once the trigger is off";
    EXPECT_EQ(FWC_GrabStop(id, 1), 0);
}

TEST_F(SimBusTest, RealtimeCameraKeepsItsRateAndDropsForAnAbsentConsumer) {
    const uint32_t id =
        startWithCamera(SimCamera(12)
                            .timing("realtime")
                            .fixedFormat(0, 0, {7})
                            .with("features", R"([{"id": 1026, "min": 1, "max": 4, "value": 2}])"));
    double fps = 0;
    ASSERT_EQ(FWS_GetFrameRate(id, &fps), 0);
    ASSERT_DOUBLE_EQ(fps, 240.0);
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(FWC_GrabStart(id, FWC_GRAB_CONTINUOUS), 0);
    ASSERT_TRUE(lvc::test::waitUntil([&] { return counters(id).completed >= 48; }));
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    ASSERT_EQ(FWC_GrabStop(id, 1), 0);
    EXPECT_GE(seconds, 47 / 240.0) << "frames are paced, not made as fast as possible";
    const Counters after = counters(id);
    EXPECT_EQ(after.dropped, after.completed - 2) << "all but the ring's two frames dropped";
}

}  // namespace
