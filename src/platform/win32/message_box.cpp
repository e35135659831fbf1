#include "platform/message_box.h"

#include <windows.h>

namespace lvc {

void showMessageBox(const char* text, const char* caption) {
    MessageBoxA(nullptr, text ? text : "", caption ? caption : "", MB_OK);
}

}  // namespace lvc
