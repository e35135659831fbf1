// The viewer's DebugMsgProc: hands the plug-in's lines to the GUI thread, counts the
// dropped-frame reports per port and tells when the bus's camera list may have changed.
#pragma once

#include <QObject>
#include <QString>
#include <array>
#include <atomic>
#include <cstdint>

#include "lorvenacam.h"

namespace lvcview {

class DiagnosticFeed : public QObject {
    Q_OBJECT
public:
    static constexpr int32_t kPortCount = 64;

    // Becomes the target of receive() for its lifetime; one feed at a time.
    DiagnosticFeed();
    ~DiagnosticFeed() override;
    DiagnosticFeed(const DiagnosticFeed&) = delete;
    DiagnosticFeed& operator=(const DiagnosticFeed&) = delete;

    // Runs on any thread, possibly several at once.
    static void LVC_CALL receive(const char* text);

    // "Frame dropped" reports for the port since the feed started.
    int32_t droppedFrames(int32_t port) const;

signals:
    // Queued to the feed's thread; the text keeps its line feed.
    void lineArrived(const QString& text);
    // A line of the plug-in's camera listing or bus-change handling arrived.
    void busChanged();

private:
    void take(const char* text);

    std::array<std::atomic<int32_t>, kPortCount> dropped_{};
};

}  // namespace lvcview
