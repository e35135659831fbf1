// Without a desktop to rely on, the message goes to standard error, where a host's console
// or log shows it, and to the host's diagnostic lines.
#include "platform/message_box.h"

#include <cstdio>

#include "boundary/diagnostics.h"

namespace lvc {

void showMessageBox(const char* text, const char* caption) {
    const char* shownText = text ? text : "";
    std::fprintf(stderr, "%s: %s\n", caption ? caption : "", shownText);
    debugMessage("%s\n", shownText);
}

}  // namespace lvc
