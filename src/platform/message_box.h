// A message the user must see, for failures the plug-in cannot report otherwise.
#pragma once

namespace lvc {

// Windows: a modal message box with no owner window and a single OK button; true once a
// person has dismissed it. POSIX: "caption: text" on standard error; false, since nobody
// may be watching it.
bool showMessageBox(const char* text, const char* caption);

}  // namespace lvc
