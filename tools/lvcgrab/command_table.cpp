#include <cstdio>
#include <cstring>

#include "command.h"

namespace lvcgrab {

// Each command is defined in its own command_<name>.cpp.
extern const Command listCommand;
extern const Command grabCommand;
extern const Command streamCommand;
extern const Command getCommand;
extern const Command setCommand;
extern const Command configureCommand;

const Command* const kCommands[] = {
    &listCommand, &grabCommand,      &streamCommand, &getCommand,
    &setCommand,  &configureCommand, nullptr,
};

const Command* findCommand(const std::string& name) {
    for (const Command* const* command = kCommands; *command; ++command)
        if (name == (*command)->name) return *command;
    return nullptr;
}

int fail(int code, const std::string& message) {
    std::fprintf(stderr, "lvcgrab: %s\n", message.c_str());
    return code;
}

}  // namespace lvcgrab
