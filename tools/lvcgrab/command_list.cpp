// lvcgrab list: the configuration names of the cameras on the bus, with their indexes.
#include <cstdio>

#include "command.h"
#include "host_session.h"

namespace lvcgrab {
namespace {

int runList(HostSession& host, const Arguments& arguments) {
    if (!arguments.empty()) return fail(kExitUsage, "list takes no arguments");
    const std::vector<std::string> names = host.cameraNames();
    for (std::size_t index = 0; index < names.size(); ++index)
        std::printf("%zu  %s\n", index, names[index].c_str());
    return kExitSuccess;
}

}  // namespace

extern const Command listCommand{"list", "", "the cameras on the bus, by index and name", runList};

}  // namespace lvcgrab
