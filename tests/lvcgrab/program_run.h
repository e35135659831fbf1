// Runs a program as a user would from a shell and keeps what it said: its exit code and
// everything it wrote to standard output and standard error (POSIX).
#pragma once

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/wait_until.h"

extern char** environ;

namespace lvc::test {

struct ProgramRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

inline std::string fileText(const std::filesystem::path& path) {
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// Runs arguments[0] with the environment of the test; outputs are kept in directory.
inline ProgramRun runProgram(const std::vector<std::string>& arguments,
                             const std::filesystem::path& directory,
                             std::chrono::milliseconds timeout = std::chrono::seconds(60)) {
    const std::string outPath = (directory / "stdout.txt").string();
    const std::string errPath = (directory / "stderr.txt").string();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    constexpr int kCreate = O_WRONLY | O_CREAT | O_TRUNC;
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outPath.c_str(), kCreate, 0644);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errPath.c_str(), kCreate, 0644);
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t pid = -1;
    const int status = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (status != 0) throw std::runtime_error("cannot start " + arguments.front());
    int waitStatus = 0;
    if (!waitUntil([&] { return waitpid(pid, &waitStatus, WNOHANG) == pid; }, timeout)) {
        kill(pid, SIGKILL);
        waitpid(pid, &waitStatus, 0);
        throw std::runtime_error(arguments.front() + " did not end in time");
    }
    ProgramRun run;
    run.exitCode = WIFEXITED(waitStatus) ? WEXITSTATUS(waitStatus) : 128 + WTERMSIG(waitStatus);
    run.out = fileText(outPath);
    run.err = fileText(errPath);
    return run;
}

}  // namespace lvc::test
