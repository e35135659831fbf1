// Notifications: callbacks run on a driver thread, and after FWC_UnRegisterNotification
// returns a callback is not running and never runs again (also from inside itself).
#include <atomic>
#include <thread>

#include "fw_status.h"
#include "sim_fixture.h"
#include "support/wait_until.h"

namespace {

// A callback that holds until released, to catch an unregister returning too early.
struct HeldCallback {
    std::mutex mutex;
    std::condition_variable changed;
    bool inside = false;
    bool released = false;
    std::atomic<bool> unregistered{false};
    std::atomic<int> callsAfterUnregister{0};

    static uint32_t FWC_CALL callback(void* context) {
        auto* self = static_cast<HeldCallback*>(context);
        if (self->unregistered) {
            ++self->callsAfterUnregister;
        }
        std::unique_lock lock(self->mutex);
        self->inside = true;
        self->changed.notify_all();
        self->changed.wait(lock, [&] { return self->released; });
        self->inside = false;
        return 0;
    }
};

TEST_F(SimBusTest, UnregisterWaitsForTheRunningCallback) {
    const uint32_t id = startWithCamera(manualCamera(2, {0}));
    HeldCallback held;
    FWC_NOTIFICATION notification = FWC_MakeNotification(id, HeldCallback::callback, &held);
    FWC_HANDLE handle = 0;
    ASSERT_EQ(FWC_RegisterNotification(&handle, FWC_NOTIFY_ERROR, &notification), 0);
    ASSERT_EQ(FWS_RaiseEvent(id, FWC_NOTIFY_ERROR), 0);
    {
        std::unique_lock lock(held.mutex);
        ASSERT_TRUE(
            held.changed.wait_for(lock, std::chrono::seconds(5), [&] { return held.inside; }));
    }
    std::atomic<bool> returned{false};
    std::thread unregistering([&] {
        EXPECT_EQ(FWC_UnRegisterNotification(handle), 0);
        held.unregistered = true;
        returned = true;
    });
    ASSERT_EQ(FWS_RaiseEvent(id, FWC_NOTIFY_ERROR), 0);
    {
        std::lock_guard lock(held.mutex);
        EXPECT_FALSE(returned) << "unregister returned while the callback ran";
        held.released = true;
    }
    held.changed.notify_all();
    unregistering.join();
    EXPECT_FALSE(held.inside);

    // A later registration that has run proves the dispatcher went past the old one.
    CallCounter later;
    FWC_NOTIFICATION laterNote = FWC_MakeNotification(id, CallCounter::callback, &later);
    FWC_HANDLE laterHandle = 0;
    ASSERT_EQ(FWC_RegisterNotification(&laterHandle, FWC_NOTIFY_ERROR, &laterNote), 0);
    ASSERT_EQ(FWS_RaiseEvent(id, FWC_NOTIFY_ERROR), 0);
    EXPECT_TRUE(later.waitForCalls(1));
    EXPECT_EQ(held.callsAfterUnregister, 0);
    EXPECT_EQ(FWC_UnRegisterNotification(laterHandle), 0);
    EXPECT_EQ(FWC_UnRegisterNotification(handle), FWC_ERR_UNKNOWN_HANDLE);
}

struct SelfRemoving {
    FWC_HANDLE handle = 0;
    std::atomic<int> calls{0};
    std::atomic<int32_t> status{-1};

    static uint32_t FWC_CALL callback(void* context) {
        auto* self = static_cast<SelfRemoving*>(context);
        ++self->calls;
        self->status = FWC_UnRegisterNotification(self->handle);
        return 0;
    }
};

TEST_F(SimBusTest, UnregisterFromInsideItsCallbackReturnsAtOnce) {
    const uint32_t id = startWithCamera(manualCamera(2, {0}));
    SelfRemoving self;
    FWC_NOTIFICATION notification = FWC_MakeNotification(id, SelfRemoving::callback, &self);
    ASSERT_EQ(FWC_RegisterNotification(&self.handle, FWC_NOTIFY_FRAME_DROPPED, &notification), 0);
    ASSERT_EQ(FWS_RaiseEvent(id, FWC_NOTIFY_FRAME_DROPPED), 0);
    ASSERT_TRUE(lvc::test::waitUntil([&] { return self.status == 0; }));
    CallCounter later;
    FWC_NOTIFICATION laterNote = FWC_MakeNotification(id, CallCounter::callback, &later);
    FWC_HANDLE laterHandle = 0;
    ASSERT_EQ(FWC_RegisterNotification(&laterHandle, FWC_NOTIFY_FRAME_DROPPED, &laterNote), 0);
    ASSERT_EQ(FWS_RaiseEvent(id, FWC_NOTIFY_FRAME_DROPPED), 0);
    EXPECT_TRUE(later.waitForCalls(1));
    EXPECT_EQ(self.calls, 1);
    EXPECT_EQ(FWC_UnRegisterNotification(laterHandle), 0);
}

// A context that is destroyed right after its unregister: any late call touches freed
// memory (caught by the sanitizers) or counts a call after its end.
struct Scoped {
    std::atomic<bool> ended{false};
    std::atomic<int> lateCalls{0};
    static uint32_t FWC_CALL callback(void* context) {
        auto* self = static_cast<Scoped*>(context);
        if (self->ended) {
            ++self->lateCalls;
        }
        return 0;
    }
};

TEST_F(SimBusTest, NoCallbackAfterUnregisterWhileFramesStream) {
    const uint32_t id = startWithCamera(
        SimCamera(3).timing("fast").format7({.maxWidth = 64, .maxHeight = 16, .codings = {0}}));
    std::atomic<bool> stop{false};
    std::thread consumer([&] {
        std::vector<uint8_t> frame(64 * 16);
        while (!stop) {
            FWC_GetNativeImage(id, frame.data(), static_cast<uint32_t>(frame.size()), 0);
        }
    });
    ASSERT_EQ(FWC_GrabStart(id, FWC_GRAB_CONTINUOUS), 0);
    int lateCalls = 0;
    for (int round = 0; round < 200; ++round) {
        auto scoped = std::make_unique<Scoped>();
        FWC_NOTIFICATION notification = FWC_MakeNotification(id, Scoped::callback, scoped.get());
        FWC_HANDLE handle = 0;
        ASSERT_EQ(FWC_RegisterNotification(&handle, FWC_NOTIFY_FRAME_COMPLETE, &notification), 0);
        ASSERT_EQ(FWC_UnRegisterNotification(handle), 0);
        scoped->ended = true;
        lateCalls += scoped->lateCalls;
    }
    stop = true;
    consumer.join();
    EXPECT_EQ(FWC_GrabStop(id, 1), 0);
    EXPECT_EQ(lateCalls, 0);
}

TEST_F(SimBusTest, RegistrationsAreCheckedAndBusWideCallbacksSeeEveryCamera) {
    const uint32_t id = startWithCamera(manualCamera(2, {0}));
    CallCounter counter;
    FWC_NOTIFICATION notification =
        FWC_MakeNotification(FWC_ALL_CAMERAS, CallCounter::callback, &counter);
    FWC_HANDLE handle = 0;
    EXPECT_EQ(FWC_RegisterNotification(&handle, 3, &notification), FWC_ERR_NOTIFICATION_KIND);
    EXPECT_EQ(FWC_RegisterNotification(nullptr, 2, &notification), FWC_ERR_NULL_POINTER);
    ASSERT_EQ(FWC_RegisterNotification(&handle, FWC_NOTIFY_ERROR, &notification), 0);
    EXPECT_EQ(FWS_RaiseEvent(id, 5), FWC_ERR_NOTIFICATION_KIND);
    EXPECT_EQ(FWS_RaiseEvent(77, FWC_NOTIFY_ERROR), FWC_ERR_UNKNOWN_CAMERA);
    ASSERT_EQ(FWS_RaiseEvent(id, FWC_NOTIFY_ERROR), 0);
    EXPECT_TRUE(counter.waitForCalls(1));
    EXPECT_EQ(FWC_UnRegisterNotification(handle), 0);
}

}  // namespace
