#include "diagnostics/user_alert.h"

#include "diagnostics/diagnostics.h"
#include "platform/message_box.h"

namespace lvc {

void alertUser(const char* text, const char* caption) {
    if (!showMessageBox(text, caption)) debugMessage("%s\n", text ? text : "");
}

}  // namespace lvc
