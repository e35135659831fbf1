// SystemPath: the host's system directory, where the settings files live.
#pragma once

#include <cstddef>

namespace lvc {

// Keeps at most 259 characters of path; null keeps an empty path (no directory named).
void storeSystemPath(const char* path);
// Copies SystemPath into destination (size bytes), cut and always terminated.
void copySystemPath(char* destination, std::size_t size);

}  // namespace lvc
