#include "platform/local_time.h"

#include <ctime>

namespace lvc {

bool formatLocalTimeOfDay(char* destination, std::size_t size) {
    if (destination == nullptr || size == 0) return false;
    destination[0] = '\0';
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    if (localtime_r(&now, &local) == nullptr) return false;
    if (std::strftime(destination, size, "%H:%M:%S", &local) != 0) return true;
    destination[0] = '\0';
    return false;
}

}  // namespace lvc
