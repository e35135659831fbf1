// The plug-in loaded and initialised for the viewer's life, with the feed of its
// diagnostic lines.
#pragma once

#include <QString>
#include <QStringList>
#include <string>

#include "diagnostic_feed.h"
#include "plugin_library.h"

namespace lvcview {

class PluginSession {
public:
    // Loads the plug-in at pluginPath and initialises it with the system directory.
    PluginSession(const std::string& pluginPath, const std::string& systemDirectory);
    // Finalises the plug-in when the initialisation succeeded: no callback runs afterwards.
    ~PluginSession();
    PluginSession(const PluginSession&) = delete;
    PluginSession& operator=(const PluginSession&) = delete;

    bool ready() const { return initialized_; }
    // Why the session is not ready, one line.
    const QString& error() const { return error_; }
    lvc::host::PluginLibrary& plugin() { return plugin_; }
    DiagnosticFeed& diagnostics() { return feed_; }
    // The configuration names the plug-in lists, by index.
    QStringList cameraNames();

private:
    DiagnosticFeed feed_;
    lvc::host::PluginLibrary plugin_;
    bool initialized_ = false;
    QString error_;
};

}  // namespace lvcview
