// A simulated bus for one test: writes the JSON description into a temporary directory
// and points FWCONTROL_SIM_BUS at it until the object goes. Set it up before the
// plug-in's initialize (the bus reads its description in FWC_Init). Bus files of
// different tests are different files, so their cameras never see each other.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "support/temp_directory.h"

namespace lvc::test {

class SimBusFile {
public:
    explicit SimBusFile(const std::string& json) : path_(directory_.path() / "bus.json") {
        std::ofstream file(path_);
        file << json;
        if (!file) throw std::runtime_error("cannot write " + path_.string());
        file.close();
        setBusVariable(path_.string().c_str());
    }
    ~SimBusFile() { setBusVariable(nullptr); }
    SimBusFile(const SimBusFile&) = delete;
    SimBusFile& operator=(const SimBusFile&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The temporary directory, free for other files of the test (a system path, say).
    const std::filesystem::path& directory() const { return directory_.path(); }

private:
    static void setBusVariable(const char* value) {
#if defined(_WIN32)
        _putenv_s("FWCONTROL_SIM_BUS", value ? value : "");
#else
        if (value) {
            setenv("FWCONTROL_SIM_BUS", value, 1);
        } else {
            unsetenv("FWCONTROL_SIM_BUS");
        }
#endif
    }

    TempDirectory directory_;
    std::filesystem::path path_;
};

}  // namespace lvc::test
