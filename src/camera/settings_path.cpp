// Paths of the settings files: the settings directory (the host's system path the camera
// was made with, or the current directory when it names none) joined with a file name.
//
// The separator appended is the platform's ('\' on Windows, '/' elsewhere). A directory
// that already ends in '/' or '\' gets none: both end a directory on Windows, and on
// other systems a host that passes a Windows-style path keeps the file it names.
#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>

#include "camera/ascii_text.h"
#include "camera/camera.h"
#include "camera/settings_file.h"
#include "diagnostics/diagnostics.h"

namespace lvc {
namespace {

constexpr char kSeparator = static_cast<char>(std::filesystem::path::preferred_separator);

// Characters that some file system refuses in a name, the separators included. The same
// set on every platform, so a camera's file has the same name everywhere.
constexpr std::string_view kRefusedInNames = "/\\<>:\"|?*";

std::string settingsDirectory(const CCamera& camera) {
    if (camera.systemPath[0] != '\0') return camera.systemPath;
    std::error_code error;
    const auto current = std::filesystem::current_path(error);
    return error ? std::string() : current.string();
}

bool endsInSeparator(const std::string& directory) {
    return !directory.empty() && (directory.back() == '/' || directory.back() == '\\');
}

// Device names that Windows resolves in any directory, with any extension.
bool isReservedDeviceName(const std::string& name) {
    const std::string base = name.substr(0, name.find('.'));
    for (const char* device : {"CON", "PRN", "AUX", "NUL"})
        if (equalsIgnoringCase(base.c_str(), device)) return true;
    return base.size() == 4 &&
           (startsWithIgnoringCase(base.c_str(), "COM") ||
            startsWithIgnoringCase(base.c_str(), "LPT")) &&
           base[3] >= '1' && base[3] <= '9';
}

// The camera name as a file name inside the settings directory: separators, characters
// that file systems refuse and control characters become '_', and a device name gets a
// '_' in front. A name that is a valid file name stays as it is.
std::string safeFileName(const char* name) {
    std::string safe(name);
    for (char& c : safe) {
        const auto code = static_cast<unsigned char>(c);
        if (code < 0x20 || code == 0x7F || kRefusedInNames.find(c) != std::string_view::npos)
            c = '_';
    }
    if (isReservedDeviceName(safe)) return "_" + safe;
    return safe;
}

}  // namespace

char* buildSettingsPath(const CCamera& camera, const char* fileName, char* buffer) {
    std::string path = settingsDirectory(camera);
    if (!endsInSeparator(path) && !path.empty()) path += kSeparator;
    path += fileName;
    if (path.size() >= kSettingsPathSize) {
        debugMessage("Settings path too long for %s\n", fileName);
        return nullptr;
    }
    std::memcpy(buffer, path.c_str(), path.size() + 1);
    return buffer;
}

char* buildXmlPath(const CCamera& camera, char* buffer) {
    return buildSettingsPath(camera, (safeFileName(camera.name) + ".xml").c_str(), buffer);
}

}  // namespace lvc
