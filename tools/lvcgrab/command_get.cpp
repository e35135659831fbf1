// lvcgrab get: prints one property of a camera, by the plug-in's property names.
#include <cstdio>

#include "command.h"
#include "host_session.h"

namespace lvcgrab {
namespace {

int runGet(HostSession& host, const Arguments& arguments) {
    if (arguments.size() != 2) return fail(kExitUsage, "usage: get CAMERA PROPERTY");
    int exitCode = kExitSuccess;
    const auto port = openCamera(host, arguments[0], exitCode);
    if (!port) return exitCode;
    int32_t value = 0;
    if (host.plugin().getProperty(0, OpenPort::kPort, arguments[1].c_str(), &value) != 1)
        return fail(kExitFailure, "cannot read property '" + arguments[1] + "'");
    std::printf("%d\n", value);
    return kExitSuccess;
}

}  // namespace

extern const Command getCommand{"get", "CAMERA PROPERTY", "prints a property's value", runGet};

}  // namespace lvcgrab
