// A second process for the Windows tests: it takes a machine-wide resource, signals
// that it holds it, and lets go when the test tells it to (or ends without letting go).
//
//   lvc_win32_helper READY_EVENT RELEASE_EVENT hold-mutex NAME release|abandon
//   lvc_win32_helper READY_EVENT RELEASE_EVENT open-camera INDEX
//
// open-camera loads lorvenacam.dll from beside the helper and opens the camera listed
// at INDEX on port 0, so that it is busy for every other process on the same bus.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <windows.h>

#include "lorvenacam.h"

namespace {

constexpr DWORD kReleaseDeadlineMs = 60000;

bool signalAndWait(const char* readyEvent, const char* releaseEvent) {
    HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, readyEvent);
    HANDLE release = OpenEventA(SYNCHRONIZE, FALSE, releaseEvent);
    if (!ready || !release) return false;
    SetEvent(ready);
    const bool released = WaitForSingleObject(release, kReleaseDeadlineMs) == WAIT_OBJECT_0;
    CloseHandle(ready);
    CloseHandle(release);
    return released;
}

int holdMutex(const char* name, const char* readyEvent, const char* releaseEvent, bool abandon) {
    HANDLE mutex = CreateMutexA(nullptr, FALSE, name);
    if (!mutex || WaitForSingleObject(mutex, 10000) != WAIT_OBJECT_0) return 2;
    if (!signalAndWait(readyEvent, releaseEvent)) return 3;
    if (abandon) ExitProcess(0);  // ends with the mutex owned: the kernel abandons it
    ReleaseMutex(mutex);
    CloseHandle(mutex);
    return 0;
}

std::string besideThisProgram(const char* fileName) {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string directory(path, length);
    return directory.substr(0, directory.find_last_of("\\/") + 1) + fileName;
}

// GetProcAddress's result is a generic function pointer; going through void* states that
// the export is known to have the type asked for.
template <typename Function>
Function bind(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

int openCamera(int index, const char* readyEvent, const char* releaseEvent) {
    HMODULE plugin = LoadLibraryA(besideThisProgram("lorvenacam.dll").c_str());
    if (!plugin) return 2;
    auto initialize = bind<decltype(&::initialize)>(plugin, "initialize");
    auto finalize = bind<decltype(&::finalize)>(plugin, "finalize");
    auto count =
        bind<decltype(&::getCVLNoOfSupportedCameras)>(plugin, "getCVLNoOfSupportedCameras");
    auto names = bind<decltype(&::getCVLCameraConfigNames)>(plugin, "getCVLCameraConfigNames");
    auto openPort = bind<decltype(&::openCVLPort)>(plugin, "openCVLPort");
    auto closePort = bind<decltype(&::closeCVLPort)>(plugin, "closeCVLPort");
    if (!initialize || !finalize || !count || !names || !openPort || !closePort) return 3;
    uint32_t size[2] = {};
    if (initialize("", nullptr) != 1 || index >= count()) return 4;
    if (openPort(0, 0, names()[index], size) != 1) return 5;
    const bool released = signalAndWait(readyEvent, releaseEvent);
    closePort(0, 0);
    finalize();
    FreeLibrary(plugin);
    return released ? 0 : 6;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 6 && std::strcmp(argv[3], "hold-mutex") == 0)
        return holdMutex(argv[4], argv[1], argv[2], std::strcmp(argv[5], "abandon") == 0);
    if (argc == 5 && std::strcmp(argv[3], "open-camera") == 0)
        return openCamera(std::atoi(argv[4]), argv[1], argv[2]);
    std::fprintf(stderr, "usage: lvc_win32_helper READY RELEASE hold-mutex|open-camera ...\n");
    return 1;
}
