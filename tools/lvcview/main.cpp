// lvcview: a live viewer that loads the plug-in as a machine-vision host does.
//
//     lvcview [--system-path DIR] [--camera NAME [--port N] [--stream]] [--log]
//             [--screenshot FILE --after SECONDS]
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QScreen>
#include <QTimer>

#include "main_window.h"
#include "plugin_library.h"
#include "plugin_session.h"

namespace {

struct Options {
    QString systemPath;
    QString camera;
    int port = 0;
    bool stream = false;
    bool log = false;
    QString screenshot;
    double after = 3;
};

Options parseOptions(const QApplication& application) {
    QCommandLineParser parser;
    parser.setApplicationDescription("Live viewer of the cameras the plug-in offers.");
    parser.addHelpOption();
    const QCommandLineOption systemPath("system-path", "Where the settings live.", "DIR",
                                        QDir::currentPath());
    const QCommandLineOption camera("camera", "Open this camera (configuration name).", "NAME");
    const QCommandLineOption port("port", "The port to open it on (0-63).", "N", "0");
    const QCommandLineOption stream("stream", "Start streaming at once.");
    const QCommandLineOption log("log", "Open the log pane.");
    const QCommandLineOption screenshot(
        "screenshot", "Save the screen as the display shows it to FILE, then quit.", "FILE");
    const QCommandLineOption after("after", "Seconds before the screenshot.", "SECONDS", "3");
    parser.addOptions({systemPath, camera, port, stream, log, screenshot, after});
    parser.process(application);
    return {parser.value(systemPath),      parser.value(camera), parser.value(port).toInt(),
            parser.isSet(stream),          parser.isSet(log),    parser.value(screenshot),
            parser.value(after).toDouble()};
}

// The whole screen as the display server has it, so the picture is the real window.
void scheduleScreenshot(const QString& path, double seconds) {
    QTimer::singleShot(static_cast<int>(seconds * 1000), qApp, [path] {
        const bool saved = QGuiApplication::primaryScreen()->grabWindow(0).save(path, "PNG");
        QCoreApplication::exit(saved ? 0 : 1);
    });
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    const Options options = parseOptions(application);
    lvcview::PluginSession plugin(lvc::host::pluginBesideExecutable());
    lvcview::MainWindow window(plugin);
    window.start(QDir::toNativeSeparators(options.systemPath).toStdString());
    window.resize(1200, 760);
    window.log().setExpanded(options.log);
    window.show();
    if (!options.camera.isEmpty() && window.openCamera(options.camera, options.port) &&
        options.stream)
        window.startStreaming();
    if (!options.screenshot.isEmpty()) scheduleScreenshot(options.screenshot, options.after);
    const int status = application.exec();
    return plugin.ready() ? status : 1;
}
