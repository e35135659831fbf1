#include "platform/current_directory.h"

#include <windows.h>

namespace lvc {

bool currentDirectory(char* destination, std::size_t size) {
    if (destination == nullptr || size == 0) return false;
    const DWORD capacity = size > MAXDWORD ? MAXDWORD : static_cast<DWORD>(size);
    const DWORD length = GetCurrentDirectoryA(capacity, destination);
    if (length == 0 || length >= capacity) {
        destination[0] = '\0';
        return false;
    }
    // Only a drive's root ends in a separator ("C:\"); the settings path adds its own.
    if (destination[length - 1] == '\\') destination[length - 1] = '\0';
    return true;
}

}  // namespace lvc
