// lvcgrab set: writes one property of a camera, by the plug-in's property names.
#include "command.h"
#include "host_session.h"
#include "number_argument.h"

namespace lvcgrab {
namespace {

int runSet(HostSession& host, const Arguments& arguments) {
    if (arguments.size() != 3) return fail(kExitUsage, "usage: set CAMERA PROPERTY VALUE");
    const std::optional<int32_t> value = parseInteger(arguments[2]);
    if (!value) return fail(kExitUsage, "'" + arguments[2] + "' is not a 32-bit integer");
    int exitCode = kExitSuccess;
    const auto port = openCamera(host, arguments[0], exitCode);
    if (!port) return exitCode;
    if (host.plugin().setProperty(0, OpenPort::kPort, arguments[1].c_str(), *value) != 1)
        return fail(kExitFailure, "cannot set property '" + arguments[1] + "'");
    return kExitSuccess;
}

}  // namespace

extern const Command setCommand{"set", "CAMERA PROPERTY VALUE", "writes a property", runSet};

}  // namespace lvcgrab
