// A message the user must see, for failures the plug-in cannot report otherwise.
#pragma once

namespace lvc {

// Windows: a modal message box with no owner window and a single OK button.
// POSIX: "caption: text" on standard error, and the text as a diagnostic line when the
// host has set DebugMsgProc.
void showMessageBox(const char* text, const char* caption);

}  // namespace lvc
