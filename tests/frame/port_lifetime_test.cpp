// Ports opened, closed and grabbed from while frames flow: closing from inside the
// CompleteCallback, churn with cameras joining and leaving the bus, and several ports
// streaming while the host reads rows. No callback may arrive for a closed port, and no
// handler may touch a freed camera (the sanitizer builds check the latter).
#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <chrono>
#include <future>
#include <string>
#include <vector>

#include "fw_status.h"
#include "fwsim.h"
#include "frame/frame_host.h"
#include "support/sim_bus_json.h"
#include "support/wait_until.h"

namespace lvc::test {
namespace {

// Cameras in "fast" timing make the next frame as soon as the last one was fetched.
SimCamera fastCamera(uint32_t id, const char* model, uint32_t coding) {
    return SimCamera(id).model(model).timing("fast").format7({.codings = {coding}});
}

const std::string kBus = simBusJson({fastCamera(21, "FAST-A", 0), fastCamera(22, "FAST-B", 9),
                                     fastCamera(23, "FAST-C", 4), fastCamera(24, "FAST-D", 2)});

const std::string kCameraD = fastCamera(24, "FAST-D", 2).json();
const std::string kVisitor = SimCamera(30).model("VISITOR").fixedFormat(0, 5, {2}).json();

class PortLifetime : public ::testing::Test {
protected:
    FrameHost host{kBus};

    void setContinuous(int32_t port, int32_t on) {
        host.plugin().setProperty(0, port, "Continous", on);
    }
    // Reopens a camera whose previous port may still be shutting down in the driver.
    bool reopen(int32_t port, int32_t cameraIndex) {
        const std::string name = host.cameraName(cameraIndex);
        return waitUntil([&] {
            uint32_t size[2];
            if (host.plugin().openCVLPort(0, port, name.c_str(), size) == 1) return true;
            host.plugin().closeCVLPort(0, port);
            return false;
        });
    }
    void close(int32_t port) {
        host.plugin().closeCVLPort(0, port);
        host.markClosed(port);
    }
};

struct CloseCase {
    const char* name;
    const char* model;
    bool streaming;
};

class CloseInsideCallback : public PortLifetime, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(CloseInsideCallback, EndsTheCallbacksAndLeavesThePortReusable) {
    const CloseCase& mode = GetParam();
    const int32_t camera = host.indexOf(mode.model);
    if (mode.streaming) host.storeStreaming(camera);
    constexpr int32_t kPort = 7;
    host.open(kPort, camera);
    host.setAction([this](int32_t port) {
        if (host.deliveries(port) > 0) return;
        host.plugin().closeCVLPort(0, port);
        host.markClosed(port);
        EXPECT_EQ(host.plugin().doCVLGrab(0, port), 0) << "the port is empty now";
    });
    setContinuous(kPort, 1);
    ASSERT_TRUE(host.waitDeliveries(kPort, 1));
    host.setAction(nullptr);

    host.markOpen(kPort);
    ASSERT_TRUE(reopen(kPort, camera));
    EXPECT_EQ(host.strayCallbacks(), 0);
    EXPECT_EQ(host.plugin().doCVLGrab(0, kPort), 1);
    EXPECT_TRUE(host.waitDeliveries(kPort, 2));
}

INSTANTIATE_TEST_SUITE_P(Modes, CloseInsideCallback,
                         ::testing::Values(CloseCase{"multishot", "FAST-A", false},
                                           CloseCase{"streaming", "FAST-B", true}),
                         [](const auto& test) { return std::string(test.param.name); });

// A close whose unregistering fails must still wait for a frame handler that is
// delivering to its end, as a close whose unregistering succeeds does, and free nothing the
// driver still hands to a handler: the same camera, opened on another port and grabbed,
// raises the closed camera's registrations too. A freed camera that was delivering
// continuously calls the closed port (the sanitizer builds catch the freed camera itself).
TEST_F(PortLifetime, CloseWhoseUnregisteringFailsLeavesTheCameraToTheDriver) {
    const int32_t camera = host.indexOf("FAST-A");
    std::promise<void> delivering;
    std::promise<void> release;
    std::atomic<bool> held{false};
    host.setAction([&](int32_t port) {
        if (port != 0 || held.exchange(true)) return;
        delivering.set_value();
        release.get_future().wait();
    });
    host.open(0, camera);
    setContinuous(0, 1);
    delivering.get_future().wait();
    ASSERT_EQ(FWS_FailCall("FWC_UnRegisterNotification", FWC_ERR_INJECTED, 3), 0);
    auto closing = std::async(std::launch::async, [&] {
        close(0);
        return host.deliveries(0);
    });
    // A close that does not wait for the handler returns meanwhile.
    closing.wait_for(std::chrono::milliseconds(200));
    release.set_value();
    const int32_t deliveredBeforeClose = closing.get();
    EXPECT_GE(deliveredBeforeClose, 1) << "the close returned before the delivery ended";
    EXPECT_TRUE(DebugLog::instance().contains(
        "FWC_UnRegisterNotification: failure injected by the test control interface\n"));
    EXPECT_FALSE(DebugLog::instance().contains("FWC_MultiShotStart: camera is not open\n"))
        << "the closed camera's handler went on with its grab chain";
    ASSERT_TRUE(reopen(1, camera));
    for (int32_t frame = 1; frame <= 3; ++frame) {
        ASSERT_EQ(host.plugin().doCVLGrab(0, 1), 1);
        ASSERT_TRUE(host.waitDeliveries(1, frame));
    }
    EXPECT_EQ(host.deliveries(0), deliveredBeforeClose);
    EXPECT_EQ(host.strayCallbacks(), 0);
}

TEST_F(PortLifetime, OpenCloseAndGrabChurnWhileTheBusChanges) {
    const int32_t multishot = host.indexOf("FAST-A");
    const int32_t streaming = host.indexOf("FAST-B");
    const int32_t requested = host.indexOf("FAST-C");
    const int32_t unplugged = host.indexOf("FAST-D");
    host.storeStreaming(streaming);
    host.storeStreaming(requested);
    for (int round = 0; round < 12; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        for (int32_t port : {0, 1, 2, 3}) host.markOpen(port);
        ASSERT_TRUE(reopen(0, multishot));
        ASSERT_TRUE(reopen(1, streaming));
        ASSERT_TRUE(reopen(2, requested));
        ASSERT_TRUE(reopen(3, unplugged));
        const std::array<int32_t, 4> before = {host.deliveries(0), host.deliveries(1),
                                               host.deliveries(2), host.deliveries(3)};
        setContinuous(0, 1);
        setContinuous(1, 1);
        EXPECT_EQ(host.plugin().doCVLGrab(0, 2), 1);
        EXPECT_EQ(host.plugin().doCVLGrab(0, 3), 1);
        ASSERT_NE(FWS_Plug(kVisitor.c_str()), 0u);
        EXPECT_TRUE(host.waitDeliveries(0, before[0] + 2));
        EXPECT_TRUE(host.waitDeliveries(1, before[1] + 2));
        EXPECT_TRUE(host.waitDeliveries(2, before[2] + 1));
        ASSERT_EQ(FWS_Unplug(30), 0);
        // The camera leaves the bus while open; closing it afterwards must still be clean.
        ASSERT_EQ(FWS_Unplug(24), 0);
        close(3);
        ASSERT_EQ(FWS_Plug(kCameraD.c_str()), 24u);
        const std::array<int32_t, 3> order =
            round % 2 ? std::array<int32_t, 3>{0, 1, 2} : std::array<int32_t, 3>{2, 1, 0};
        for (int32_t port : order) close(port);
    }
    EXPECT_EQ(host.strayCallbacks(), 0);
}

TEST_F(PortLifetime, SeveralPortsStreamWhileTheHostReadsRows) {
    const std::array<const char*, 3> models = {"FAST-A", "FAST-B", "FAST-C"};
    std::array<std::array<uint32_t, 2>, 3> sizes{};
    std::array<int32_t, 3> pixelBytes{};
    for (int32_t port = 0; port < 3; ++port) {
        host.storeStreaming(host.indexOf(models[port]));
        sizes[port] = host.open(port, host.indexOf(models[port]));
        pixelBytes[port] = host.property(port, "PixelSize") / 8;
    }
    std::vector<uint8_t> row(64 * 3);
    for (int32_t round = 1; round <= 20; ++round) {
        for (int32_t port = 0; port < 3; ++port) ASSERT_EQ(host.plugin().doCVLGrab(0, port), 1);
        for (int32_t port = 0; port < 3; ++port) ASSERT_TRUE(host.waitDeliveries(port, round));
        // The frames stream on; the delivered image stays put until the next request.
        for (int32_t port = 0; port < 3; ++port) {
            const uint32_t last = sizes[port][0] - 1;
            for (uint32_t y = 0; y < sizes[port][1]; ++y)
                ASSERT_EQ(host.plugin().getCVLGrabRow(0, port, row.data(), y, 0, last), 1);
        }
    }
    EXPECT_EQ(pixelBytes, (std::array<int32_t, 3>{1, 3, 3}));
}

}  // namespace
}  // namespace lvc::test
