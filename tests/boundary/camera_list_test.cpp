// The camera list as a host sees it: names, indices and ConfigNames pointers across bus
// changes, a camera busy in another process, and the machine-wide enumeration mutex held
// by another process.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

#include "plugin_fixture.h"
#include "support/child_process.h"

namespace lvc::test {
namespace {

using namespace std::chrono_literals;

const BusCamera kFirst{11, "Acme", "Eye"};
const BusCamera kSecond{12, "Bolt", "Lens"};
const BusCamera kThird{13, "Core", "View"};

std::string listed(int index, int count, const std::string& name) {
    return std::to_string(index) + " [" + std::to_string(count) + "] - " + name + "\n";
}

// Another process on the machine: a host holding a camera, or the enumeration mutex.
std::unique_ptr<ChildProcess> holdInAnotherProcess(const std::string& what,
                                                   const std::string& which) {
    auto holder =
        std::make_unique<ChildProcess>(std::vector<std::string>{LVC_BOUNDARY_HELPER, what, which});
    EXPECT_EQ(holder->readLine(), "holding");
    return holder;
}

void letGo(ChildProcess& holder) {
    holder.closeInput();
    EXPECT_EQ(holder.waitForExit(), 0);
}

constexpr const char* kEnumerationMutex = "LORVENACAM_ENUMERATION_MUTEX";

using CameraList = PluginTest;

TEST_F(CameraList, EmptyBusListsNothing) {
    useBus({});
    ASSERT_EQ(initialize(), 1);
    EXPECT_EQ(plugin.getCVLNoOfSupportedCameras(), 0);
    EXPECT_EQ(log().lines(), std::vector<std::string>{versionLine()});
}

// A camera open in another process is listed under its unavailable name; once that process
// lets go, the next bus change names it in place: same row, same pointer.
TEST_F(CameraList, CameraBusyElsewhereIsNamedInPlaceLater) {
    useBus({kFirst, kSecond});
    auto holder = holdInAnotherProcess("hold-camera", std::to_string(kSecond.id));
    ASSERT_EQ(initialize(), 1);
    EXPECT_EQ(log().lines(),
              (std::vector<std::string>{versionLine(), listed(0, 1, configName(kFirst)),
                                        listed(1, 2, "Unavailable - 12")}));
    char** names = plugin.getCVLCameraConfigNames();
    const char* secondSlot = names[1];

    letGo(*holder);
    ASSERT_NE(FWS_Plug(cameraJson(kThird).c_str()), 0u);
    ASSERT_TRUE(log().waitFor(listed(2, 3, configName(kThird))));
    EXPECT_TRUE(log().contains(listed(1, 2, configName(kSecond))))
        << "the pass names the freed camera before it meets the new one";
    EXPECT_EQ(names[1], secondSlot);
    EXPECT_EQ(listedNames(), (std::vector<std::string>{configName(kFirst), configName(kSecond),
                                                       configName(kThird)}));
    EXPECT_EQ(plugin.finalize(), 1);
}

// Rows are only appended: a camera that leaves keeps its row, one that comes back reuses it.
TEST_F(CameraList, HotPlugAppendsAndNeverMovesRows) {
    useBus({kFirst});
    ASSERT_EQ(initialize(), 1);
    char** names = plugin.getCVLCameraConfigNames();
    const char* firstSlot = names[0];

    ASSERT_EQ(FWS_Unplug(kFirst.id), 0);
    ASSERT_NE(FWS_Plug(cameraJson(kSecond).c_str()), 0u);
    ASSERT_TRUE(log().waitFor(listed(1, 2, configName(kSecond))));
    EXPECT_TRUE(log().contains("NodeChangedCallback - enum\n"));
    EXPECT_EQ(plugin.getCVLCameraConfigNames(), names);
    EXPECT_EQ(names[0], firstSlot);
    EXPECT_EQ(listedNames(), (std::vector<std::string>{configName(kFirst), configName(kSecond)}));

    ASSERT_NE(FWS_Plug(cameraJson(kFirst).c_str()), 0u);
    ASSERT_NE(FWS_Plug(cameraJson(kThird).c_str()), 0u);
    ASSERT_TRUE(log().waitFor(listed(2, 3, configName(kThird))));
    EXPECT_EQ(listedNames(), (std::vector<std::string>{configName(kFirst), configName(kSecond),
                                                       configName(kThird)}));
    EXPECT_EQ(plugin.finalize(), 1);
}

// A host thread reads the count and then the last name while cameras join the bus: the
// row it counts must already carry its name.
TEST_F(CameraList, CountedRowAlreadyHasItsName) {
    useBus({kFirst});
    ASSERT_EQ(initialize(), 1);
    char** names = plugin.getCVLCameraConfigNames();
    std::atomic<bool> stop{false};
    std::atomic<int> emptyNames{0};
    std::thread reader([&] {
        while (!stop) {
            const int count = plugin.getCVLNoOfSupportedCameras();
            if (count > 0 && names[count - 1][0] == '\0') ++emptyNames;
        }
    });
    bool listedInTime = true;
    int count = 1;
    for (const BusCamera& joining : {kSecond, kThird}) {
        ASSERT_NE(FWS_Plug(cameraJson(joining).c_str()), 0u);
        listedInTime = listedInTime && log().waitFor(listed(count, count + 1, configName(joining)));
        ++count;
    }
    stop = true;
    reader.join();
    ASSERT_TRUE(listedInTime);
    EXPECT_EQ(emptyNames, 0);
    EXPECT_STREQ(names[2], configName(kThird).c_str());
}

// While another process enumerates, a bus change is not enumerated at all; only the next
// change brings the list up to date.
TEST_F(CameraList, BusChangeDuringAnotherEnumerationIsSkipped) {
    useBus({kFirst});
    ASSERT_EQ(initialize(), 1);
    auto holder = holdInAnotherProcess("hold-mutex", kEnumerationMutex);
    ASSERT_NE(FWS_Plug(cameraJson(kSecond).c_str()), 0u);
    ASSERT_TRUE(log().waitFor("NodeChangedCallback - busy\n"));
    EXPECT_EQ(plugin.getCVLNoOfSupportedCameras(), 1);

    letGo(*holder);
    ASSERT_NE(FWS_Plug(cameraJson(kThird).c_str()), 0u);
    ASSERT_TRUE(log().waitFor(listed(2, 3, configName(kThird))));
    EXPECT_EQ(listedNames(), (std::vector<std::string>{configName(kFirst), configName(kSecond),
                                                       configName(kThird)}));
    EXPECT_EQ(plugin.finalize(), 1);
}

// initialize waits up to 5 s for another process's enumeration, then goes on without one;
// the bus notification is registered all the same.
TEST_F(CameraList, InitializeGoesOnWithoutListWhenTheMutexStaysHeld) {
    useBus({kFirst});
    auto holder = holdInAnotherProcess("hold-mutex", kEnumerationMutex);
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(initialize(), 1);
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(waited, 4900ms);
    EXPECT_LT(waited, 15s);
    EXPECT_EQ(plugin.getCVLNoOfSupportedCameras(), 0);
    EXPECT_EQ(log().lines(), std::vector<std::string>{versionLine()});

    letGo(*holder);
    ASSERT_NE(FWS_Plug(cameraJson(kSecond).c_str()), 0u);
    ASSERT_TRUE(log().waitFor(listed(1, 2, configName(kSecond))));
    EXPECT_EQ(plugin.finalize(), 1);
}

// A host that died while enumerating does not block the others: its mutex is taken over.
TEST_F(CameraList, EnumerationMutexOfADeadProcessIsTakenOver) {
    useBus({kFirst});
    auto holder = holdInAnotherProcess("hold-mutex", kEnumerationMutex);
    holder->killHard();
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(initialize(), 1);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 4s);
    EXPECT_EQ(listedNames(), std::vector<std::string>{configName(kFirst)});
    EXPECT_EQ(plugin.finalize(), 1);
}

// Information strings of 63 characters each make a name longer than 127: it is cut.
TEST_F(CameraList, OverlongNameIsCutTo127Characters) {
    const BusCamera longNamed{21, std::string(63, 'v'), std::string(63, 'm')};
    useBus({longNamed});
    ASSERT_EQ(initialize(), 1);
    const auto names = listedNames();
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(names[0], configName(longNamed).substr(0, 127));
    EXPECT_EQ(plugin.finalize(), 1);
}

// Names are looked up exactly; a name that differs in case or by a character opens nothing.
TEST_F(CameraList, PortsOpenOnlyUnderTheExactName) {
    useBus({kFirst});
    ASSERT_EQ(initialize(), 1);
    const std::string exact = configName(kFirst);
    const std::string nearMisses[] = {"acme Eye - 11",  "ACME EYE - 11",  "Acme Eye - 1",
                                      "Acme Eye - 11 ", " Acme Eye - 11", "Acme Eye"};
    uint32_t size[2] = {7, 7};
    for (const auto& name : nearMisses) {
        EXPECT_EQ(plugin.openCVLPort(0, 0, name.c_str(), size), 0) << name;
        EXPECT_EQ(size[0], 7u) << name;
    }
    ASSERT_EQ(plugin.openCVLPort(0, 0, exact.c_str(), size), 1);
    EXPECT_EQ(plugin.openCVLPort(0, 1, exact.c_str(), size), 0) << "open on one port only";
    plugin.closeCVLPort(0, 0);
    EXPECT_EQ(plugin.finalize(), 1);
}

}  // namespace
}  // namespace lvc::test
