// SystemPath: the host's system directory, where the settings files live.
#pragma once

namespace lvc {

// Keeps at most 259 characters of path; null keeps an empty path (no directory named).
void storeSystemPath(const char* path);

}  // namespace lvc
