// Without a desktop to rely on, the message goes to standard error, where a host's console
// or log shows it.
#include "platform/message_box.h"

#include <cstdio>

namespace lvc {

bool showMessageBox(const char* text, const char* caption) {
    std::fprintf(stderr, "%s: %s\n", caption ? caption : "", text ? text : "");
    return false;
}

}  // namespace lvc
