// "Lorvenacam.ini" (four values per camera) and the camera's XML settings file.
#pragma once

#include <cstddef>
#include <cstdint>

namespace lvc {

struct CCamera;

constexpr std::size_t kSettingsPathSize = 511;

// Settings directory (the camera's systemPath, or the current directory when it is empty),
// the platform's separator unless the directory ends in '/' or '\', and fileName, into
// buffer (kSettingsPathSize bytes). Returns buffer, or null with the diagnostic line
// "Settings path too long for %s\n" when the path does not fit.
char* buildSettingsPath(const CCamera& camera, const char* fileName, char* buffer);
// The camera's XML settings path. A name that is a valid file name is used unchanged;
// separators, characters that file systems refuse and device names are replaced so that
// the file stays inside the settings directory. Null when too long.
char* buildXmlPath(const CCamera& camera, char* buffer);
void writeProfileInt(const char* section, const char* key, int32_t value, const char* iniPath);
bool readSettings(const char* iniPath, CCamera& camera, const char* xmlPath);
bool writeSettings(CCamera& camera, const char* iniPath, const char* xmlPath);

}  // namespace lvc
