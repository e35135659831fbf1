// Private-profile files through the Windows profile functions, so the plug-in reads and
// writes "Lorvenacam.ini" exactly as other programs on the machine do.
#include "platform/private_profile.h"

#include <windows.h>

namespace lvc {

namespace {

// The profile functions look for a bare file name in the Windows directory; a path
// relative to the current directory is meant here, so every path is made full first.
bool fullPath(const char* path, char (&buffer)[MAX_PATH]) {
    const DWORD length = GetFullPathNameA(path, MAX_PATH, buffer, nullptr);
    return length > 0 && length < MAX_PATH;
}

}  // namespace

int32_t readProfileInt(const char* section, const char* key, int32_t defaultValue,
                       const char* path) {
    char file[MAX_PATH];
    if (!fullPath(path, file)) return defaultValue;
    return static_cast<int32_t>(GetPrivateProfileIntA(section, key, defaultValue, file));
}

uint32_t readProfileString(const char* section, const char* key, const char* defaultValue,
                           char* buffer, uint32_t size, const char* path) {
    if (size == 0) return 0;
    char file[MAX_PATH];
    if (!fullPath(path, file)) {
        lstrcpynA(buffer, defaultValue ? defaultValue : "", static_cast<int>(size));
        return static_cast<uint32_t>(lstrlenA(buffer));
    }
    return GetPrivateProfileStringA(section, key, defaultValue, buffer, size, file);
}

bool writeProfileString(const char* section, const char* key, const char* value, const char* path) {
    char file[MAX_PATH];
    return fullPath(path, file) && WritePrivateProfileStringA(section, key, value, file) != 0;
}

}  // namespace lvc
