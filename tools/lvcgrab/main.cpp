// lvcgrab: a command-line host of the plug-in. It loads the library at run time and calls
// only its exports, as a machine-vision host does.
#include <cstdio>
#include <filesystem>
#include <string>

#include "command.h"
#include "diagnostic_sink.h"
#include "host_session.h"
#include "plugin_library.h"

namespace lvcgrab {
namespace {

struct GlobalOptions {
    bool verbose = false;
    bool help = false;
    std::string pluginPath;
    std::string systemDirectory;
    Arguments rest;  // the command and its arguments
};

void printUsage(std::FILE* stream) {
    std::fprintf(stream,
                 "usage: lvcgrab [-v] [--plugin PATH] [--system-dir DIR] COMMAND [ARGUMENTS]\n"
                 "  CAMERA is a configuration name or its index in 'lvcgrab list'.\n"
                 "  -v            print the plug-in's diagnostic lines on standard error\n"
                 "  --plugin      the plug-in library (default: beside lvcgrab)\n"
                 "  --system-dir  where Lorvenacam.ini and the camera settings live "
                 "(default: the current directory)\n"
                 "commands:\n");
    for (const Command* const* command = kCommands; *command; ++command)
        std::fprintf(stream, "  %s %s\n      %s\n", (*command)->name, (*command)->usage,
                     (*command)->summary);
    std::fprintf(stream, "exit status: 0 done, 1 failed, 2 bad arguments or unknown camera\n");
}

// Global options may stand anywhere; -v also after the command.
bool parseGlobalOptions(int argc, char** argv, GlobalOptions& options) {
    for (int index = 1; index < argc; ++index) {
        const std::string argument = argv[index];
        const bool hasValue = index + 1 < argc;
        if (argument == "-v" || argument == "--verbose") {
            options.verbose = true;
        } else if (argument == "-h" || argument == "--help") {
            options.help = true;
        } else if (argument == "--plugin" || argument == "--system-dir") {
            if (!hasValue) return false;
            (argument == "--plugin" ? options.pluginPath : options.systemDirectory) = argv[++index];
        } else {
            options.rest.push_back(argument);
        }
    }
    return true;
}

int run(const GlobalOptions& options) {
    const Command* command = findCommand(options.rest.front());
    if (!command)
        return fail(kExitUsage,
                    "unknown command '" + options.rest.front() + "' (see lvcgrab --help)");
    setVerboseDiagnostics(options.verbose);
    lvc::host::PluginLibrary plugin;
    const std::string pluginPath =
        options.pluginPath.empty() ? lvc::host::pluginBesideExecutable() : options.pluginPath;
    if (!plugin.load(pluginPath)) return fail(kExitFailure, plugin.error());
    const std::string systemDirectory = options.systemDirectory.empty()
                                            ? std::filesystem::current_path().string()
                                            : options.systemDirectory;
    HostSession host(plugin, systemDirectory);
    if (!host.initialized())
        return fail(kExitFailure, "the plug-in failed to initialise (run with -v for details)");
    return command->run(host, Arguments(options.rest.begin() + 1, options.rest.end()));
}

}  // namespace
}  // namespace lvcgrab

int main(int argc, char** argv) {
    using namespace lvcgrab;
    GlobalOptions options;
    if (!parseGlobalOptions(argc, argv, options))
        return fail(kExitUsage, "an option is missing its value (see lvcgrab --help)");
    if (options.help) {
        printUsage(stdout);
        return kExitSuccess;
    }
    if (options.rest.empty()) {
        printUsage(stderr);
        return kExitUsage;
    }
    return run(options);
}
