// A scratch file for a fuzz target: each input is written to it before the code under
// test reads it. The directory lives for the whole run.
#pragma once

#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

namespace lvc::fuzz {

inline const std::string& scratchDirectory() {
    static const std::string directory = [] {
        // Memory-backed when available: the profile writer syncs every file it writes.
        for (const char* base : {"/dev/shm", "/tmp"}) {
            std::string pattern = std::string(base) + "/lvc-fuzz-XXXXXX";
            if (mkdtemp(pattern.data())) return pattern;
        }
        std::abort();
    }();
    return directory;
}

inline std::string writeScratchFile(const char* name, const uint8_t* data, size_t size) {
    const std::string path = scratchDirectory() + "/" + name;
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) std::abort();
    if (size && std::fwrite(data, 1, size, file) != size) std::abort();
    std::fclose(file);
    return path;
}

}  // namespace lvc::fuzz
