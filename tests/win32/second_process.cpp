#include "win32/second_process.h"

#include <atomic>
#include <stdexcept>

namespace lvc::test {

namespace {

constexpr DWORD kDeadlineMs = 20000;

std::string uniqueEventName(const char* role) {
    static std::atomic<int> serial{0};
    return "lvc_test_" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(serial++) +
           "_" + role;
}

}  // namespace

std::string besideTestProgram(const char* fileName) {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string directory(path, length);
    return directory.substr(0, directory.find_last_of("\\/") + 1) + fileName;
}

SecondProcess::SecondProcess(const std::vector<std::string>& arguments) {
    const std::string readyName = uniqueEventName("ready");
    const std::string releaseName = uniqueEventName("release");
    ready_ = CreateEventA(nullptr, TRUE, FALSE, readyName.c_str());
    release_ = CreateEventA(nullptr, TRUE, FALSE, releaseName.c_str());
    if (!ready_ || !release_) throw std::runtime_error("cannot create events");

    std::string commandLine =
        "\"" + besideTestProgram("lvc_win32_helper.exe") + "\" " + readyName + " " + releaseName;
    for (const std::string& argument : arguments) commandLine += " \"" + argument + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process_))
        throw std::runtime_error("cannot start " + commandLine);

    HANDLE readyOrEnded[] = {ready_, process_.hProcess};
    if (WaitForMultipleObjects(2, readyOrEnded, FALSE, kDeadlineMs) != WAIT_OBJECT_0) {
        finish();
        throw std::runtime_error("helper did not get ready: " + commandLine);
    }
}

SecondProcess::~SecondProcess() {
    finish();
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
    CloseHandle(ready_);
    CloseHandle(release_);
}

DWORD SecondProcess::finish() {
    if (!finished_ && process_.hProcess) {
        SetEvent(release_);
        if (WaitForSingleObject(process_.hProcess, kDeadlineMs) != WAIT_OBJECT_0)
            TerminateProcess(process_.hProcess, 99);
        finished_ = true;
    }
    DWORD code = 99;
    if (process_.hProcess) GetExitCodeProcess(process_.hProcess, &code);
    return code;
}

}  // namespace lvc::test
