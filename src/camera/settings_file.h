// "Lorvenacam.ini" (four values per camera) and the camera's XML settings file.
#pragma once

#include <cstddef>
#include <cstdint>

namespace lvc {

struct CCamera;

constexpr std::size_t kSettingsPathSize = 511;

// Settings directory + fileName into buffer (kSettingsPathSize bytes). Returns buffer, or
// null (with a diagnostic line) when the path does not fit.
char* buildSettingsPath(const char* fileName, char* buffer);
// The camera's XML settings path; the name is made safe as a file name. Null when too long.
char* buildXmlPath(const CCamera& camera, char* buffer);
void writeProfileInt(const char* section, const char* key, int32_t value, const char* iniPath);
bool readSettings(const char* iniPath, CCamera& camera, const char* xmlPath);
bool writeSettings(CCamera& camera, const char* iniPath, const char* xmlPath);

}  // namespace lvc
