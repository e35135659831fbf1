// The plug-in loaded for the viewer's life and, once initialised, finalised with it; with
// the feed of its diagnostic lines.
#pragma once

#include <QString>
#include <QStringList>
#include <string>

#include "diagnostic_feed.h"
#include "plugin_library.h"

namespace lvcview {

class PluginSession {
public:
    // Loads the plug-in at pluginPath.
    explicit PluginSession(const std::string& pluginPath);
    // Finalises the plug-in when the initialisation succeeded: no callback runs afterwards.
    ~PluginSession();
    PluginSession(const PluginSession&) = delete;
    PluginSession& operator=(const PluginSession&) = delete;

    // Initialises the plug-in with the system directory and the diagnostic feed, so lines
    // from the start reach whoever listens to the feed by then. False when it failed.
    bool initialize(const std::string& systemDirectory);
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
