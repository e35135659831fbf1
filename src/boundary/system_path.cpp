#include "boundary/system_path.h"

#include <cstdio>
#include <mutex>

namespace lvc {

namespace {

std::mutex systemPathMutex;
char systemPath[260] = {};

}  // namespace

void storeSystemPath(const char* path) {
    std::lock_guard lock(systemPathMutex);
    std::snprintf(systemPath, sizeof systemPath, "%s", path ? path : "");
}

void copySystemPath(char* destination, std::size_t size) {
    if (destination == nullptr || size == 0) return;
    std::lock_guard lock(systemPathMutex);
    std::snprintf(destination, size, "%s", systemPath);
}

}  // namespace lvc
