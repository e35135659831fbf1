// The plug-in's own module. The library load hook (DllMain's process attach on Windows, a
// load-time constructor on POSIX) keeps it when a process loads the library, so the
// plug-in can find the files installed beside it (the dialog's view module, for one).
#pragma once

#include <cstddef>

namespace lvc {

// Writes the directory of the plug-in's file, without a trailing separator, into
// destination (size bytes); false, with destination empty, when unknown or too long. In a
// program that links the plug-in's code statically (unit tests), the program's directory.
bool pluginDirectory(char* destination, std::size_t size);

}  // namespace lvc
