// Another process on the same machine, for the tests: holds a camera of the bus named by
// FWCONTROL_SIM_BUS, or a named mutex, until its standard input ends, or tries a named
// mutex once. It reports on standard output, one line per event.
//   lvc_boundary_helper hold-camera ID
//   lvc_boundary_helper hold-mutex NAME
//   lvc_boundary_helper wait-mutex NAME TIMEOUT_MS
//   lvc_boundary_helper count-under-mutex NAME FILE ROUNDS
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "fwcontrol.h"
#include "platform/named_mutex.h"

namespace {

void report(const char* line) {
    std::printf("%s\n", line);
    std::fflush(stdout);
}

void waitForEndOfInput() {
    while (std::getchar() != EOF) {
    }
}

int holdCamera(uint32_t cameraId) {
    if (FWC_Init() != 0 || FWC_OpenCamera(cameraId, FWC_OPEN_DEFAULT) != 0) {
        report("failed");
        return 1;
    }
    report("holding");
    waitForEndOfInput();
    FWC_CloseCamera(cameraId);
    FWC_Release();
    return 0;
}

int holdMutex(const char* name) {
    lvc::NamedMutex* mutex = lvc::openOrCreateNamedMutex(name);
    if (lvc::waitNamedMutex(mutex, 0xFFFFFFFF) != lvc::MutexWait::Acquired) {
        report("failed");
        return 1;
    }
    report("holding");
    waitForEndOfInput();
    lvc::releaseNamedMutex(mutex);
    lvc::closeNamedMutex(mutex);
    return 0;
}

int waitMutex(const char* name, uint32_t timeoutMs) {
    lvc::NamedMutex* mutex = lvc::openOrCreateNamedMutex(name);
    switch (lvc::waitNamedMutex(mutex, timeoutMs)) {
    case lvc::MutexWait::Acquired:
        report("acquired");
        lvc::releaseNamedMutex(mutex);
        break;
    case lvc::MutexWait::TimedOut: report("timed out"); break;
    case lvc::MutexWait::Failed: report("failed"); break;
    }
    lvc::closeNamedMutex(mutex);
    return 0;
}

// Adds one to the number in the file, ROUNDS times, each time under the mutex: processes
// that share the mutex never lose an addition.
int countUnderMutex(const char* name, const char* path, uint32_t rounds) {
    lvc::NamedMutex* mutex = lvc::openOrCreateNamedMutex(name);
    for (uint32_t round = 0; round < rounds; ++round) {
        if (lvc::waitNamedMutex(mutex, 10000) != lvc::MutexWait::Acquired) {
            report("failed");
            return 1;
        }
        long count = 0;
        if (std::FILE* file = std::fopen(path, "r")) {
            if (std::fscanf(file, "%ld", &count) != 1) count = 0;
            std::fclose(file);
        }
        if (std::FILE* file = std::fopen(path, "w")) {
            std::fprintf(file, "%ld\n", count + 1);
            std::fclose(file);
        }
        lvc::releaseNamedMutex(mutex);
    }
    lvc::closeNamedMutex(mutex);
    report("counted");
    return 0;
}

uint32_t number(const char* text) { return static_cast<uint32_t>(std::strtoul(text, nullptr, 0)); }

}  // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "hold-camera" && argc == 3) return holdCamera(number(argv[2]));
    if (command == "hold-mutex" && argc == 3) return holdMutex(argv[2]);
    if (command == "wait-mutex" && argc == 4) return waitMutex(argv[2], number(argv[3]));
    if (command == "count-under-mutex" && argc == 5)
        return countUnderMutex(argv[2], argv[3], number(argv[4]));
    std::fprintf(stderr,
                 "usage: lvc_boundary_helper hold-camera ID | hold-mutex NAME | "
                 "wait-mutex NAME TIMEOUT_MS | count-under-mutex NAME FILE ROUNDS\n");
    return 2;
}
