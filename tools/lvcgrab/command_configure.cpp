// lvcgrab configure: opens the plug-in's configuration dialog for a camera, as a host
// does, and returns when the user closes it; the plug-in then stores the camera's settings.
#include "command.h"
#include "diagnostic_sink.h"
#include "host_session.h"

namespace lvcgrab {
namespace {

int runConfigure(HostSession& host, const Arguments& arguments) {
    if (arguments.size() != 1) return fail(kExitUsage, "usage: configure CAMERA");
    const auto name = host.findCamera(arguments[0]);
    if (!name) return fail(kExitFailure, "no camera '" + arguments[0] + "'");
    // The dialog is interactive: what its pages log, and why it could not be shown, is
    // for the user to see.
    setVerboseDiagnostics(true);
    host.plugin().configureCamera(0, name->c_str());
    return kExitSuccess;
}

}  // namespace

extern const Command configureCommand{
    "configure", "CAMERA", "opens the configuration dialog for the camera", runConfigure};

}  // namespace lvcgrab
