#include "platform/message_box.h"

#include <windows.h>

namespace lvc {

bool showMessageBox(const char* text, const char* caption) {
    return MessageBoxA(nullptr, text ? text : "", caption ? caption : "", MB_OK) != 0;
}

}  // namespace lvc
