// A test host: the plug-in loaded at run time and called only through its exports, as a
// machine-vision host does. A plug-in that does not load fails the test at once.
#pragma once

#include <stdexcept>
#include <string>

#include "plugin_library.h"

namespace lvc::test {

class PluginHost : public host::PluginLibrary {
public:
    explicit PluginHost(const std::string& path = LVC_PLUGIN_PATH) {
        if (!load(path)) throw std::runtime_error(error());
    }
};

}  // namespace lvc::test
