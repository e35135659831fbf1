#include "platform/local_time.h"

#include <cstdio>

#include <windows.h>

namespace lvc {

bool formatLocalTimeOfDay(char* destination, std::size_t size) {
    if (destination == nullptr || size == 0) return false;
    destination[0] = '\0';
    if (size < 9) return false;
    SYSTEMTIME local;
    GetLocalTime(&local);
    std::snprintf(destination, size, "%02u:%02u:%02u", local.wHour, local.wMinute, local.wSecond);
    return true;
}

}  // namespace lvc
