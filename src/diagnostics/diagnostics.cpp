// Diagnostic lines. Each routine formats on its own stack and shares nothing but the
// DebugMsgProc pointer, read once per line, so any thread may emit at any time.
#include "diagnostics/diagnostics.h"

#include <cstdarg>
#include <cstdio>

#include "diagnostics/debug_msg_proc.h"
#include "fwcontrol.h"

namespace lvc {

namespace {

constexpr std::size_t kNameFieldSize = 128;

}  // namespace

void debugMessage(const char* format, ...) {
    const LvcDebugMsgProc proc = debugMsgProc();
    if (proc == nullptr || format == nullptr) return;
    char line[kMessageSize];
    va_list arguments;
    va_start(arguments, format);
    if (std::vsnprintf(line, sizeof line, format, arguments) < 0) line[0] = '\0';
    va_end(arguments);
    proc(line);
}

int32_t checkResult(int32_t status, const char* callName) {
    if (status == 0 || debugMsgProc() == nullptr) return status;
    char text[FWC_ERROR_TEXT_SIZE] = {};
    if (FWC_GetErrorInfo(status, text, sizeof text) != 0)
        std::snprintf(text, sizeof text, "error %d", status);
    text[sizeof text - 1] = '\0';
    debugMessage("%s: %s\n", callName ? callName : "", text);
    return status;
}

void formatName(char* destination, const char* format, ...) {
    if (destination == nullptr) return;
    destination[0] = '\0';
    if (format == nullptr) return;
    va_list arguments;
    va_start(arguments, format);
    if (std::vsnprintf(destination, kNameFieldSize, format, arguments) < 0) destination[0] = '\0';
    va_end(arguments);
}

}  // namespace lvc
