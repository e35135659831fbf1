#include "plugin_session.h"

namespace lvcview {

PluginSession::PluginSession(const std::string& pluginPath) {
    if (!plugin_.load(pluginPath)) error_ = QString::fromStdString(plugin_.error());
}

bool PluginSession::initialize(const std::string& systemDirectory) {
    if (initialized_ || !error_.isEmpty()) return initialized_;
    initialized_ = plugin_.initialize(systemDirectory.c_str(), DiagnosticFeed::receive) == 1;
    if (!initialized_) error_ = "the plug-in did not start its camera driver";
    return initialized_;
}

PluginSession::~PluginSession() {
    if (initialized_) plugin_.finalize();
}

QStringList PluginSession::cameraNames() {
    QStringList names;
    if (!initialized_) return names;
    const int32_t count = plugin_.getCVLNoOfSupportedCameras();
    char** configNames = plugin_.getCVLCameraConfigNames();
    for (int32_t index = 0; configNames && index < count; ++index)
        names << QString::fromLocal8Bit(configNames[index] ? configNames[index] : "");
    return names;
}

}  // namespace lvcview
