// The environment of the Qt tests: the offscreen platform and a private runtime
// directory (mode 0700, as Qt wants it), set before any Qt object exists.
#pragma once

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>

#include "support/temp_directory.h"

namespace lvc::test {

class OffscreenQt {
public:
    OffscreenQt() {
        chmod(runtime_.path().c_str(), 0700);
        setenv("XDG_RUNTIME_DIR", runtime_.path().c_str(), 1);
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }

private:
    TempDirectory runtime_;
};

}  // namespace lvc::test
