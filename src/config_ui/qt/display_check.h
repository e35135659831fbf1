// Whether Qt can show windows in this process, asked before a QApplication is made:
// Qt ends the process when its platform cannot start, so a missing or unreachable
// display must be found here.
#pragma once

#include <string>

namespace lvc::qt {

// True when a QApplication can be created; otherwise why not, in one line.
bool displayUsable(std::string* reason);

}  // namespace lvc::qt
