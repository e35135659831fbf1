#include "platform/current_directory.h"

#include <unistd.h>

namespace lvc {

bool currentDirectory(char* destination, std::size_t size) {
    if (destination == nullptr || size == 0) return false;
    if (getcwd(destination, size) == nullptr) {
        destination[0] = '\0';
        return false;
    }
    return true;
}

}  // namespace lvc
