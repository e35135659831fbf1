// The loader binds every export of the plug-in, and refuses, with a line that says why,
// what it cannot bind.
#include "plugin_library.h"

#include <gtest/gtest.h>

#include <string>

namespace lvc::host {
namespace {

TEST(PluginLibrary, BindsAllNineteenExports) {
    PluginLibrary plugin;
    ASSERT_TRUE(plugin.load(LVC_PLUGIN_PATH)) << plugin.error();
    const void* const exports[] = {reinterpret_cast<const void*>(plugin.initialize),
                                   reinterpret_cast<const void*>(plugin.finalize),
                                   reinterpret_cast<const void*>(plugin.setDebugMsgProc),
                                   reinterpret_cast<const void*>(plugin.setSystemPath),
                                   reinterpret_cast<const void*>(plugin.configure),
                                   reinterpret_cast<const void*>(plugin.getPropertyRange),
                                   reinterpret_cast<const void*>(plugin.configureCamera),
                                   reinterpret_cast<const void*>(plugin.getCVLMaxNoOfPorts),
                                   reinterpret_cast<const void*>(plugin.getCVLNoOfSupportedCameras),
                                   reinterpret_cast<const void*>(plugin.getCVLCameraConfigNames),
                                   reinterpret_cast<const void*>(plugin.setCompleteCallback),
                                   reinterpret_cast<const void*>(plugin.setCmdCallback),
                                   reinterpret_cast<const void*>(plugin.openCVLPort),
                                   reinterpret_cast<const void*>(plugin.closeCVLPort),
                                   reinterpret_cast<const void*>(plugin.doCVLGrab),
                                   reinterpret_cast<const void*>(plugin.getCVLGrabRow),
                                   reinterpret_cast<const void*>(plugin.getProperty),
                                   reinterpret_cast<const void*>(plugin.setProperty),
                                   reinterpret_cast<const void*>(plugin.execCmd)};
    for (std::size_t index = 0; index < std::size(exports); ++index)
        EXPECT_NE(exports[index], nullptr) << "export " << index;
    EXPECT_EQ(plugin.getCVLMaxNoOfPorts(), 64) << "a call through the bound export";
}

TEST(PluginLibrary, RefusesWhatItCannotBindAndSaysWhy) {
    const struct {
        const char* what;
        std::string path;
        std::string error;
    } cases[] = {
        {"no such file", "/nonexistent/plugin.so",
         "cannot load the plug-in /nonexistent/plugin.so: "},
        {"a library without the exports", LVC_OTHER_LIBRARY_PATH,
         "the plug-in has no export initialize"},
    };
    for (const auto& c : cases) {
        PluginLibrary plugin;
        EXPECT_FALSE(plugin.load(c.path)) << c.what;
        EXPECT_EQ(plugin.error().rfind(c.error, 0), 0u) << c.what << ": " << plugin.error();
    }
}

}  // namespace
}  // namespace lvc::host
