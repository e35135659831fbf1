// A program run beside the test in a real process of its own (POSIX): the test writes to
// its standard input, reads its standard output line by line with a deadline, and waits
// for its end. The child inherits the environment (FWCONTROL_SIM_BUS among it).
#pragma once

#include <chrono>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "support/wait_until.h"

extern char** environ;

namespace lvc::test {

class ChildProcess {
public:
    explicit ChildProcess(const std::vector<std::string>& arguments) {
        int input[2];
        int output[2];
        if (pipe(input) != 0) throw std::runtime_error("pipe");
        if (pipe(output) != 0) {
            closeDescriptors(input[0], input[1]);
            throw std::runtime_error("pipe");
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, input[0], STDIN_FILENO);
        posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, input[1]);
        posix_spawn_file_actions_addclose(&actions, output[0]);
        std::vector<char*> argv;
        for (const auto& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        const int status = posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        closeDescriptors(input[0], output[1]);
        input_ = input[1];
        output_ = output[0];
        if (status != 0) {
            closeDescriptors(input_, output_);
            throw std::runtime_error("cannot start " + arguments.front());
        }
    }
    // A child still running is killed.
    ~ChildProcess() {
        if (!exitCode_) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        closeDescriptors(input_, output_);
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // The next line of the child's output without its line feed; nothing when the child
    // ends its output or the timeout passes first.
    std::optional<std::string> readLine(
        std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        for (;;) {
            const auto end = pending_.find('\n');
            if (end != std::string::npos) {
                std::string line = pending_.substr(0, end);
                pending_.erase(0, end + 1);
                return line;
            }
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0) return std::nullopt;
            pollfd ready{output_, POLLIN, 0};
            if (poll(&ready, 1, static_cast<int>(left.count())) <= 0) continue;
            char buffer[256];
            const ssize_t count = read(output_, buffer, sizeof buffer);
            if (count <= 0) return std::nullopt;
            pending_.append(buffer, static_cast<std::size_t>(count));
        }
    }
    // Ends the child's input: a child that waits for its end of input goes on.
    void closeInput() {
        if (input_ >= 0) close(input_);
        input_ = -1;
    }
    // The exit code once the child ended (128 + signal when a signal ended it), nothing
    // when the timeout passes first.
    std::optional<int> waitForExit(std::chrono::milliseconds timeout = std::chrono::seconds(10)) {
        if (!waitUntil([this] { return reaped(); }, timeout)) return std::nullopt;
        return exitCode_;
    }
    // Ends the child at once, as a crash would: nothing it holds is released by itself.
    void killHard() {
        kill(pid_, SIGKILL);
        waitForExit();
    }

private:
    static void closeDescriptors(int first, int second) {
        if (first >= 0) close(first);
        if (second >= 0) close(second);
    }
    // True once the child has ended. Drains its output meanwhile, so that a child writing
    // while the test waits for its end never blocks on a full pipe.
    bool reaped() {
        if (exitCode_) return true;
        drainOutput();
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) != pid_) return false;
        exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        return true;
    }
    void drainOutput() {
        pollfd ready{output_, POLLIN, 0};
        char buffer[256];
        while (poll(&ready, 1, 0) > 0 && (ready.revents & POLLIN)) {
            const ssize_t count = read(output_, buffer, sizeof buffer);
            if (count <= 0) return;
            pending_.append(buffer, static_cast<std::size_t>(count));
        }
    }

    pid_t pid_ = -1;
    int input_ = -1;
    int output_ = -1;
    std::string pending_;
    std::optional<int> exitCode_;
};

}  // namespace lvc::test
