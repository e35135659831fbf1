// Whether Qt can show windows in this process, asked before a QApplication is made:
// Qt ends the process when its platform cannot start, so a missing or unreachable
// display must be found here.
#pragma once

#include <string>

namespace lvc::qt {

// True when a QApplication can be created and a person can see its windows; otherwise why
// not, in one line. A platform that shows no window to anyone (offscreen, minimal, ...)
// counts only when LORVENACAM_DRIVEN_DIALOG=1 says that a program drives the dialog, as
// tests do: nobody could close the dialog otherwise.
bool displayUsable(std::string* reason);

}  // namespace lvc::qt
