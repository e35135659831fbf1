// One lvcgrab command: its name, its arguments as the help shows them, and what runs it.
#pragma once

#include <string>
#include <vector>

namespace lvcgrab {

class HostSession;

// Exit codes of lvcgrab.
enum ExitCode : int { kExitSuccess = 0, kExitFailure = 1, kExitUsage = 2 };

using Arguments = std::vector<std::string>;

struct Command {
    const char* name;
    const char* usage;    // arguments after the name
    const char* summary;  // one line for the help
    // Runs with the plug-in initialised; arguments follow the command name.
    int (*run)(HostSession& host, const Arguments& arguments);
};

// Every command, in the order the help lists them; null-terminated.
extern const Command* const kCommands[];
const Command* findCommand(const std::string& name);

// Writes "lvcgrab: message" to standard error and returns code.
int fail(int code, const std::string& message);

}  // namespace lvcgrab
