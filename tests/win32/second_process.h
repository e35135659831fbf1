// Runs lvc_win32_helper as a second process that holds a machine-wide resource until
// the test lets it go.
#pragma once

#include <string>
#include <vector>

#include <windows.h>

namespace lvc::test {

class SecondProcess {
public:
    // Starts the helper with these arguments (after the two event names) and waits
    // until it reports that it holds the resource. Throws when it does not in time.
    explicit SecondProcess(const std::vector<std::string>& arguments);
    // Lets go and waits for the helper to end.
    ~SecondProcess();
    SecondProcess(const SecondProcess&) = delete;
    SecondProcess& operator=(const SecondProcess&) = delete;

    // Tells the helper to let go and returns its exit code once it has ended.
    DWORD finish();

private:
    HANDLE ready_ = nullptr;
    HANDLE release_ = nullptr;
    PROCESS_INFORMATION process_{};
    bool finished_ = false;
};

// The path of a file in the directory of the running test program.
std::string besideTestProgram(const char* fileName);

}  // namespace lvc::test
