// Fuzzes the private-profile reader and writer with arbitrary file contents. Besides
// crashes it checks that a write is read back and leaves another section's value as it
// was.
#include <cstdlib>
#include <cstring>
#include <string>

#include "fuzz_file.h"
#include "platform/private_profile.h"

namespace {

std::string readText(const char* section, const char* key, const std::string& path) {
    char buffer[255];
    lvc::readProfileString(section, key, "<missing>", buffer, sizeof buffer, path.c_str());
    if (std::strlen(buffer) >= sizeof buffer) std::abort();
    return buffer;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = lvc::fuzz::writeScratchFile("Lorvenacam.ini", data, size);
    lvc::readProfileInt("Cam - 1", "Busload", 1000, path.c_str());
    const std::string otherBefore = readText("Cam - 2", "LUTname", path);
    const std::string keyBefore = readText("Cam - 1", "LUTname", path);

    if (!lvc::writeProfileString("Cam - 1", "Busload", "42", path.c_str())) std::abort();
    if (lvc::readProfileInt("Cam - 1", "Busload", 1000, path.c_str()) != 42) std::abort();
    if (readText("Cam - 2", "LUTname", path) != otherBefore) std::abort();
    if (readText("Cam - 1", "LUTname", path) != keyBefore) std::abort();
    return 0;
}
