// Drives the virtual USB IIDC cameras of this test process through the stand-in's
// configuration file (see tests/iidc_usb_standin/standin_config.h for its keys).
#pragma once

#include <cstdint>
#include <string>

#include "support/temp_directory.h"

namespace lvc::test {

class StandinControl {
public:
    // The process's control file; the first call points the stand-in at it, so it must
    // come before the first libdc1394 call.
    static StandinControl& instance();

    // Power-cycles the cameras into the given configuration lines (a new session).
    void start(const std::string& lines);
    // Adds lines to the current configuration, for example "camera 0 unplugged 1".
    void update(const std::string& lines);

private:
    StandinControl();
    void write();

    TempDirectory directory_;
    std::string lines_;
    uint32_t session_ = 0;
};

}  // namespace lvc::test
