// The diagnostic lines of the first initialize and of finalize, byte for byte, with each
// driver call the plug-in makes there failing in turn.
#include <gtest/gtest.h>

#include "plugin_fixture.h"

namespace lvc::test {
namespace {

const BusCamera kFirst{1, "Acme", "Eye"};
const BusCamera kSecond{2, "Bolt", "Lens 2"};

std::string listed(int index, int count, const std::string& name) {
    return std::to_string(index) + " [" + std::to_string(count) + "] - " + name + "\n";
}

struct InitializeCase {
    const char* name;
    const char* failingCall;  // fails once; null: none
    std::vector<std::string> (*expectedLines)();
    int32_t result;
};

const InitializeCase kInitializeCases[] = {
    {"EveryCallSucceeds", nullptr,
     [] {
         return std::vector<std::string>{versionLine(), listed(0, 1, configName(kFirst)),
                                         listed(1, 2, configName(kSecond))};
     },
     1},
    {"VersionUnreadable", "FWC_GetVersion",
     [] {
         return std::vector<std::string>{failureLine("FWC_GetVersion"),
                                         listed(0, 1, configName(kFirst)),
                                         listed(1, 2, configName(kSecond))};
     },
     1},
    {"DriverDoesNotStart", "FWC_Init",
     [] {
         return std::vector<std::string>{versionLine(), failureLine("FWC_Init")};
     },
     0},
    {"CamerasCannotBeListed", "FWC_GetCameras",
     [] {
         return std::vector<std::string>{versionLine(), failureLine("FWC_GetCameras")};
     },
     1},
    {"FirstCameraDoesNotOpen", "FWC_OpenCamera",
     [] {
         return std::vector<std::string>{versionLine(), listed(0, 1, "Unavailable - 1"),
                                         listed(1, 2, configName(kSecond))};
     },
     1},
    {"ModelStringUnreadable", "FWC_GetCameraInfoString",
     [] {
         return std::vector<std::string>{versionLine(), failureLine("FWC_GetCameraInfoString"),
                                         listed(0, 1, "Acme  - 1"),
                                         listed(1, 2, configName(kSecond))};
     },
     1},
    {"CloseFailsUnderItsOwnLabel", "FWC_CloseCamera",
     [] {
         return std::vector<std::string>{versionLine(), failureLine("FWC_CameraClose"),
                                         listed(0, 1, configName(kFirst)),
                                         listed(1, 2, configName(kSecond))};
     },
     1},
    {"BusNotificationRefused", "FWC_RegisterNodeListChangedNotification",
     [] {
         return std::vector<std::string>{versionLine(), listed(0, 1, configName(kFirst)),
                                         listed(1, 2, configName(kSecond)),
                                         failureLine("FWC_RegisterNodeListChangedNotification")};
     },
     1},
};

class InitializeLines : public PluginTest, public ::testing::WithParamInterface<InitializeCase> {
protected:
    InitializeLines() { useBus({kFirst, kSecond}); }
};

TEST_P(InitializeLines, AreExactlyTheCatalogueLines) {
    const InitializeCase& testCase = GetParam();
    if (testCase.failingCall) FWS_FailCall(testCase.failingCall, FWC_ERR_INJECTED, 1);
    EXPECT_EQ(initialize(), testCase.result);
    EXPECT_EQ(log().lines(), testCase.expectedLines());
}

INSTANTIATE_TEST_SUITE_P(Boundary, InitializeLines, ::testing::ValuesIn(kInitializeCases),
                         [](const auto& caseInfo) { return std::string(caseInfo.param.name); });

class FinalizeLines : public PluginTest {
protected:
    FinalizeLines() { useBus({kFirst}); }
};

// finalize silences the diagnostics before it releases the driver.
TEST_F(FinalizeLines, TeardownFailuresAreNotReported) {
    ASSERT_EQ(initialize(), 1);
    log().clear();
    FWS_FailCall("FWC_Release", FWC_ERR_INJECTED, 1);
    EXPECT_EQ(plugin.finalize(), 1);
    EXPECT_TRUE(log().lines().empty());
    FWC_Release();  // the release that failed, so the next start reads its own bus
}

}  // namespace
}  // namespace lvc::test
