#include "config_ui/qt/display_check.h"

#include <dlfcn.h>

#include <QDir>
#include <QLibraryInfo>
#include <cstdlib>

namespace lvc::qt {
namespace {

// Platforms that need no display server: the first ones show windows to nobody.
constexpr const char* kUnseenPlatforms[] = {"offscreen", "minimal", "minimalegl"};
constexpr const char* kHeadlessPlatforms[] = {"vnc", "linuxfb", "eglfs", "vkkhrdisplay"};

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// Connects to the X server named by DISPLAY through libxcb, which the xcb platform uses.
bool xServerReachable(std::string* reason) {
    void* xcb = dlopen("libxcb.so.1", RTLD_NOW | RTLD_LOCAL);
    if (!xcb) {
        *reason = "libxcb.so.1 cannot be loaded";
        return false;
    }
    using Connect = void* (*)(const char*, int*);
    using HasError = int (*)(void*);
    using Disconnect = void (*)(void*);
    auto connect = reinterpret_cast<Connect>(dlsym(xcb, "xcb_connect"));
    auto hasError = reinterpret_cast<HasError>(dlsym(xcb, "xcb_connection_has_error"));
    auto disconnect = reinterpret_cast<Disconnect>(dlsym(xcb, "xcb_disconnect"));
    bool reachable = false;
    if (connect && hasError && disconnect) {
        void* connection = connect(nullptr, nullptr);
        reachable = connection && hasError(connection) == 0;
        if (connection) disconnect(connection);
    }
    dlclose(xcb);
    if (!reachable) *reason = "the X display \"" + environment("DISPLAY") + "\" cannot be reached";
    return reachable;
}

bool waylandPluginInstalled() {
    QDir platforms(QLibraryInfo::path(QLibraryInfo::PluginsPath) + "/platforms");
    return !platforms.entryList({"libqwayland*.so"}, QDir::Files).isEmpty();
}

bool unseenPlatformUsable(const std::string& platform, std::string* reason) {
    if (environment("LORVENACAM_DRIVEN_DIALOG") == "1") return true;
    *reason = "QT_QPA_PLATFORM is " + platform +
              ", which shows the dialog to nobody (use a display, for example xvfb-run)";
    return false;
}

bool platformUsable(const std::string& platform, std::string* reason) {
    for (const char* unseen : kUnseenPlatforms)
        if (platform == unseen) return unseenPlatformUsable(platform, reason);
    for (const char* headless : kHeadlessPlatforms)
        if (platform == headless) return true;
    if (platform.rfind("wayland", 0) == 0) {
        if (!environment("WAYLAND_DISPLAY").empty()) return true;
        *reason = "QT_QPA_PLATFORM is " + platform + " but WAYLAND_DISPLAY is not set";
        return false;
    }
    if (platform == "xcb") {
        if (!environment("DISPLAY").empty()) return xServerReachable(reason);
        *reason = "QT_QPA_PLATFORM is xcb but DISPLAY is not set";
        return false;
    }
    // Another platform plugin: Qt reports itself whether it can start.
    return true;
}

}  // namespace

bool displayUsable(std::string* reason) {
    std::string platform = environment("QT_QPA_PLATFORM");
    platform = platform.substr(0, platform.find(':'));
    if (!platform.empty()) return platformUsable(platform, reason);
    if (!environment("DISPLAY").empty()) return xServerReachable(reason);
    if (!environment("WAYLAND_DISPLAY").empty() && waylandPluginInstalled()) return true;
    *reason = "no display (DISPLAY and WAYLAND_DISPLAY are not set; xvfb-run provides one)";
    return false;
}

}  // namespace lvc::qt
