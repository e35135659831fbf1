// The kernel's random boot id, new at every start of the machine.
#include <fstream>

#include "boot_identity.h"

namespace fwc {

std::string bootIdentity() {
    std::ifstream file("/proc/sys/kernel/random/boot_id");
    std::string identity;
    std::getline(file, identity);
    return identity;
}

bool sameBoot(const std::string& kept) {
    const std::string current = bootIdentity();
    return !current.empty() && kept == current;
}

}  // namespace fwc
