#include "diagnostic_feed.h"

#include <cstdio>
#include <cstring>

namespace lvcview {
namespace {

std::atomic<DiagnosticFeed*> activeFeed{nullptr};

// The plug-in logs "NodeChangedCallback - ..." when the bus changes and "index [count] -
// name" for each camera it lists or names anew.
bool isBusChangeLine(const char* text) {
    int32_t index = 0;
    int32_t count = 0;
    char dash = 0;
    return std::strncmp(text, "NodeChangedCallback", 19) == 0 ||
           std::sscanf(text, "%d [%d] %c", &index, &count, &dash) == 3;
}

}  // namespace

DiagnosticFeed::DiagnosticFeed() { activeFeed = this; }

DiagnosticFeed::~DiagnosticFeed() { activeFeed = nullptr; }

void LVC_CALL DiagnosticFeed::receive(const char* text) {
    DiagnosticFeed* feed = activeFeed;
    if (feed && text) feed->take(text);
}

void DiagnosticFeed::take(const char* text) {
    int32_t port = -1;
    if (std::sscanf(text, "Frame dropped %d", &port) == 1 && port >= 0 && port < kPortCount)
        ++dropped_[static_cast<std::size_t>(port)];
    emit lineArrived(QString::fromLocal8Bit(text));
    if (isBusChangeLine(text)) emit busChanged();
}

int32_t DiagnosticFeed::droppedFrames(int32_t port) const {
    if (port < 0 || port >= kPortCount) return 0;
    return dropped_[static_cast<std::size_t>(port)];
}

}  // namespace lvcview
