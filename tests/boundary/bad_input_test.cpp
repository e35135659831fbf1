// Every export given a bad argument, or called before initialize or after finalize,
// answers with its failure result, writes nothing and does not crash.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <functional>

#include "plugin_fixture.h"

namespace lvc::test {
namespace {

const BusCamera kCamera{1, "Acme", "Eye"};

// Out-words and buffers the refused calls must leave as they are.
struct Untouched {
    uint32_t size[2] = {0xAAAA, 0xBBBB};
    int32_t value = 0x5A5A;
    char answer[16] = "unchanged";
    uint8_t row[64] = {};
    bool intact() const {
        return size[0] == 0xAAAA && size[1] == 0xBBBB && value == 0x5A5A &&
               std::strcmp(answer, "unchanged") == 0;
    }
};

struct RefusedCall {
    const char* what;
    std::function<int32_t(PluginHost&, Untouched&, const char* name)> call;
};

// name: the configuration name of a listed camera.
std::vector<RefusedCall> refusedCalls() {
    return {
        {"openCVLPort port -1",
         [](PluginHost& p, Untouched& u, const char* name) {
             return p.openCVLPort(0, -1, name, u.size);
         }},
        {"openCVLPort port 64",
         [](PluginHost& p, Untouched& u, const char* name) {
             return p.openCVLPort(0, 64, name, u.size);
         }},
        {"openCVLPort null name", [](PluginHost& p, Untouched& u,
                                     const char*) { return p.openCVLPort(0, 0, nullptr, u.size); }},
        {"openCVLPort null size",
         [](PluginHost& p, Untouched&, const char* name) {
             return p.openCVLPort(0, 0, name, nullptr);
         }},
        {"openCVLPort unlisted name",
         [](PluginHost& p, Untouched& u, const char*) {
             return p.openCVLPort(0, 0, "none", u.size);
         }},
        {"doCVLGrab empty port",
         [](PluginHost& p, Untouched&, const char*) { return p.doCVLGrab(0, 0); }},
        {"doCVLGrab port -1",
         [](PluginHost& p, Untouched&, const char*) { return p.doCVLGrab(0, -1); }},
        {"doCVLGrab port 64",
         [](PluginHost& p, Untouched&, const char*) { return p.doCVLGrab(0, 64); }},
        {"getCVLGrabRow empty port",
         [](PluginHost& p, Untouched& u, const char*) {
             return p.getCVLGrabRow(0, 0, u.row, 0, 0, 7);
         }},
        {"getCVLGrabRow port 64",
         [](PluginHost& p, Untouched& u, const char*) {
             return p.getCVLGrabRow(0, 64, u.row, 0, 0, 7);
         }},
        {"getCVLGrabRow null buffer",
         [](PluginHost& p, Untouched&, const char*) {
             return p.getCVLGrabRow(0, 0, nullptr, 0, 0, 7);
         }},
        {"getProperty empty port",
         [](PluginHost& p, Untouched& u, const char*) {
             return p.getProperty(0, 0, "PixelSize", &u.value);
         }},
        {"getProperty port -1",
         [](PluginHost& p, Untouched& u, const char*) {
             return p.getProperty(0, -1, "PixelSize", &u.value);
         }},
        {"getProperty null name",
         [](PluginHost& p, Untouched& u, const char*) {
             return p.getProperty(0, 0, nullptr, &u.value);
         }},
        {"getProperty null value",
         [](PluginHost& p, Untouched&, const char*) {
             return p.getProperty(0, 0, "PixelSize", nullptr);
         }},
        {"setProperty empty port", [](PluginHost& p, Untouched&,
                                      const char*) { return p.setProperty(0, 0, "Continous", 1); }},
        {"setProperty port 64", [](PluginHost& p, Untouched&,
                                   const char*) { return p.setProperty(0, 64, "Continous", 1); }},
        {"setProperty null name",
         [](PluginHost& p, Untouched&, const char*) { return p.setProperty(0, 0, nullptr, 1); }},
        {"execCmd empty port",
         [](PluginHost& p, Untouched& u, const char*) {
             return p.execCmd(0, 0, "getname", 0, u.answer, sizeof u.answer);
         }},
        {"execCmd port -1",
         [](PluginHost& p, Untouched& u, const char*) {
             return p.execCmd(0, -1, "getname", 0, u.answer, sizeof u.answer);
         }},
        {"execCmd null command",
         [](PluginHost& p, Untouched& u, const char*) {
             return p.execCmd(0, 0, nullptr, 0, u.answer, sizeof u.answer);
         }},
        {"execCmd null answer",
         [](PluginHost& p, Untouched&, const char*) {
             return p.execCmd(0, 0, "getname", 0, nullptr, 16);
         }},
        {"configureCamera null name",
         [](PluginHost& p, Untouched&, const char*) { return p.configureCamera(0, nullptr); }},
        {"configureCamera unlisted name",
         [](PluginHost& p, Untouched&, const char*) { return p.configureCamera(0, "none"); }},
    };
}

class BadInput : public PluginTest {
protected:
    BadInput() { useBus({kCamera}); }

    // Runs every refused call; each must answer 0 and leave the out-words alone.
    void expectAllRefused(const char* stage) {
        const std::string name = configName(kCamera);
        for (const auto& refused : refusedCalls()) {
            Untouched untouched;
            EXPECT_EQ(refused.call(plugin, untouched, name.c_str()), 0)
                << refused.what << " " << stage;
            EXPECT_TRUE(untouched.intact()) << refused.what << " " << stage;
        }
        for (int32_t port : {-1, 0, 64, 1 << 30}) plugin.closeCVLPort(0, port);
    }
};

TEST_F(BadInput, IsRefusedBeforeWhileAndAfterInitialised) {
    expectAllRefused("before initialize");
    ASSERT_EQ(initialize(), 1);
    expectAllRefused("while initialised");
    ASSERT_EQ(plugin.finalize(), 1);
    expectAllRefused("after finalize");
}

// The camera list outlives finalize, but a listed name must not reach the released driver:
// the port stays free and no settings are written.
TEST_F(BadInput, ListedCameraIsRefusedAfterFinalize) {
    const std::string name = configName(kCamera);
    ASSERT_EQ(initialize(), 1);
    ASSERT_EQ(plugin.finalize(), 1);
    Untouched untouched;
    EXPECT_EQ(plugin.openCVLPort(0, 0, name.c_str(), untouched.size), 0);
    EXPECT_TRUE(untouched.intact());
    EXPECT_EQ(plugin.configureCamera(0, name.c_str()), 0);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(systemPath()) / "Lorvenacam.ini"));
    ASSERT_EQ(initialize(), 1);
    EXPECT_EQ(plugin.openCVLPort(0, 0, name.c_str(), untouched.size), 1);
    plugin.closeCVLPort(0, 0);
    EXPECT_EQ(plugin.finalize(), 1);
}

// A port holding a camera still refuses the null pointers aimed at it.
TEST_F(BadInput, OpenPortRefusesNullPointers) {
    ASSERT_EQ(initialize(), 1);
    const std::string name = configName(kCamera);
    uint32_t size[2] = {};
    ASSERT_EQ(plugin.openCVLPort(0, 3, name.c_str(), size), 1);
    int32_t value = 0x5A5A;
    char answer[4] = "abc";
    EXPECT_EQ(plugin.getCVLGrabRow(0, 3, nullptr, 0, 0, 0), 0);
    EXPECT_EQ(plugin.getProperty(0, 3, nullptr, &value), 0);
    EXPECT_EQ(plugin.getProperty(0, 3, "PixelSize", nullptr), 0);
    EXPECT_EQ(plugin.setProperty(0, 3, nullptr, 1), 0);
    EXPECT_EQ(plugin.execCmd(0, 3, nullptr, 0, answer, sizeof answer), 0);
    EXPECT_EQ(plugin.execCmd(0, 3, "getname", 0, nullptr, 16), 0);
    EXPECT_EQ(plugin.execCmd(0, 3, "getname", 0, answer, 0), 0);
    EXPECT_EQ(plugin.execCmd(0, 3, "getname", 0, answer, -5), 0);
    EXPECT_EQ(value, 0x5A5A);
    EXPECT_STREQ(answer, "abc");
    plugin.closeCVLPort(0, 3);
    plugin.closeCVLPort(0, 3);
    EXPECT_EQ(plugin.finalize(), 1);
}

TEST_F(BadInput, NullSystemPathAndCallbacksAreAccepted) {
    EXPECT_EQ(plugin.initialize(nullptr, nullptr), 1);
    EXPECT_EQ(plugin.setSystemPath(nullptr), 1);
    EXPECT_EQ(plugin.getCVLNoOfSupportedCameras(), 1);
    EXPECT_EQ(plugin.finalize(), 1);
}

}  // namespace
}  // namespace lvc::test
