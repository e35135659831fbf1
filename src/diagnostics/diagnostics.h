// Diagnostic lines for the host's DebugMsgProc.
#pragma once

#include <cstddef>
#include <cstdint>

namespace lvc {

constexpr std::size_t kMessageSize = 512;

// printf-style; formats and delivers one line only when DebugMsgProc is set. Lines longer
// than 511 characters are cut.
void debugMessage(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;
// A non-zero driver status emits "%s: %s\n" with callName and the driver's error text.
// Returns status unchanged.
int32_t checkResult(int32_t status, const char* callName);
// printf-style into a 128-byte name field, cut and always terminated.
void formatName(char* destination, const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 2, 3)))
#endif
    ;

}  // namespace lvc
