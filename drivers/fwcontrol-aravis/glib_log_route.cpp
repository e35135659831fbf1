#include "glib_log_route.h"

#include <glib.h>

#include <mutex>

namespace fwaravis {
namespace {

std::mutex messageMutex;
std::string newestMessage;

void keepMessage(const gchar* domain, GLogLevelFlags, const gchar* message, gpointer) {
    std::lock_guard lock(messageMutex);
    newestMessage = std::string(domain != nullptr ? domain : "GLib") + ": " +
                    (message != nullptr ? message : "");
}

}  // namespace

void routeGlibLogs() {
    static std::once_flag installed;
    std::call_once(installed, [] {
        const auto levels =
            static_cast<GLogLevelFlags>(G_LOG_LEVEL_MASK | G_LOG_FLAG_FATAL | G_LOG_FLAG_RECURSION);
        for (const char* domain : {"Aravis", "GLib", "GLib-GObject", "GLib-GIO"})
            g_log_set_handler(domain, levels, keepMessage, nullptr);
    });
}

std::string takeGlibMessage() {
    std::lock_guard lock(messageMutex);
    std::string message;
    message.swap(newestMessage);
    return message;
}

}  // namespace fwaravis
