// Fuzzes the LUT file reader and inspector with arbitrary file contents.
#include <cstdlib>
#include <cstring>
#include <vector>

#include "camera/lut_file.h"
#include "fuzz_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = lvc::fuzz::writeScratchFile("table.lut", data, size);
    std::vector<uint8_t> values(257);
    lvc::readLutValues(path.c_str(), 256, values.data());
    if (!lvc::readLutValues(path.c_str(), 0, values.data())) std::abort();

    int32_t count = -1;
    char description[lvc::kLutDescriptionSize];
    const bool hasValues = lvc::inspectLutFile(path.c_str(), &count, description);
    if (hasValues != (count > 0) || std::strlen(description) >= sizeof description) std::abort();
    return 0;
}
