// Exclusive open across real processes: the test binary, started again with
// LVC_SIM_HOLD_CAMERA set, becomes a holder process that opens a camera on the bus named
// by FWCONTROL_SIM_BUS and obeys commands on its standard input.
#ifndef _WIN32

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "fw_status.h"
#include "sim_fixture.h"

namespace {

// Holder: reports the status of its open, then "open" / "close" run those calls and
// report their status; at the end of its input it releases the library and exits, so its
// claims leave no file behind (a killed holder stands for a crash).
[[noreturn]] void runHolder(uint32_t cameraId) {
    std::printf("%d\n", FWC_Init() == 0 ? FWC_OpenCamera(cameraId, FWC_OPEN_DEFAULT) : -1);
    std::fflush(stdout);
    char command[32];
    while (std::fgets(command, sizeof command, stdin) != nullptr) {
        const int32_t status = std::strncmp(command, "close", 5) == 0
                                   ? FWC_CloseCamera(cameraId)
                                   : FWC_OpenCamera(cameraId, FWC_OPEN_DEFAULT);
        std::printf("%d\n", status);
        std::fflush(stdout);
    }
    FWC_Release();
    _exit(0);
}

[[maybe_unused]] const bool holderStarted = [] {
    const char* camera = std::getenv("LVC_SIM_HOLD_CAMERA");
    if (camera != nullptr) {
        runHolder(static_cast<uint32_t>(std::strtoul(camera, nullptr, 10)));
    }
    return false;
}();

class Holder {
public:
    Holder(const std::string& busPath, uint32_t cameraId) {
        int toChild[2];
        int fromChild[2];
        EXPECT_EQ(pipe(toChild), 0);
        EXPECT_EQ(pipe(fromChild), 0);
        pid_ = fork();
        if (pid_ == 0) {
            dup2(toChild[0], STDIN_FILENO);
            dup2(fromChild[1], STDOUT_FILENO);
            close(toChild[1]);
            close(fromChild[0]);
            setenv("FWCONTROL_SIM_BUS", busPath.c_str(), 1);
            setenv("LVC_SIM_HOLD_CAMERA", std::to_string(cameraId).c_str(), 1);
            execl("/proc/self/exe", "holder", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(toChild[0]);
        close(fromChild[1]);
        commands_ = fdopen(toChild[1], "w");
        replies_ = fdopen(fromChild[0], "r");
    }

    ~Holder() {
        if (commands_ != nullptr) {
            std::fclose(commands_);
        }
        if (replies_ != nullptr) {
            std::fclose(replies_);
        }
        if (pid_ > 0) {
            int status = 0;
            waitpid(pid_, &status, 0);
        }
    }

    // The next status the holder reports (-2 when it reports nothing).
    int reply() {
        char line[32];
        if (replies_ == nullptr || std::fgets(line, sizeof line, replies_) == nullptr) {
            return -2;
        }
        return std::atoi(line);
    }

    int send(const char* command) {
        std::fprintf(commands_, "%s\n", command);
        std::fflush(commands_);
        return reply();
    }

    void kill() {
        ::kill(pid_, SIGKILL);
        int status = 0;
        waitpid(pid_, &status, 0);
        pid_ = -1;
    }

private:
    pid_t pid_ = -1;
    FILE* commands_ = nullptr;
    FILE* replies_ = nullptr;
};

const std::string twoCameras =
    lvc::test::simBusJson({manualCamera(31, {0}), manualCamera(32, {0})});

TEST_F(SimBusTest, CameraOpenInAnotherProcessIsBusyUntilClosedThere) {
    ASSERT_EQ(startBus(twoCameras), 0);
    Holder holder(busFile().string(), 31);
    ASSERT_EQ(holder.reply(), 0) << "the holder opened camera 31";
    EXPECT_EQ(FWC_OpenCamera(31, FWC_OPEN_DEFAULT), FWC_ERR_CAMERA_BUSY);
    EXPECT_EQ(FWC_OpenCamera(32, FWC_OPEN_DEFAULT), 0) << "other cameras stay free";
    EXPECT_EQ(holder.send("close"), 0);
    ASSERT_EQ(FWC_OpenCamera(31, FWC_OPEN_DEFAULT), 0);
    EXPECT_EQ(holder.send("open"), FWC_ERR_CAMERA_BUSY) << "now busy for the holder";
    EXPECT_EQ(FWC_CloseCamera(31), 0);
    EXPECT_EQ(holder.send("open"), 0);
}

TEST_F(SimBusTest, CrashedProcessFreesItsCameras) {
    ASSERT_EQ(startBus(twoCameras), 0);
    Holder holder(busFile().string(), 32);
    ASSERT_EQ(holder.reply(), 0);
    EXPECT_EQ(FWC_OpenCamera(32, FWC_OPEN_DEFAULT), FWC_ERR_CAMERA_BUSY);
    holder.kill();
    EXPECT_EQ(FWC_OpenCamera(32, FWC_OPEN_DEFAULT), 0);
}

TEST_F(SimBusTest, ProcessesOnDifferentBusesDoNotShareCameras) {
    ASSERT_EQ(startBus(twoCameras), 0);
    const std::string otherBus = (directory() / "other.json").string();
    std::ofstream(otherBus) << twoCameras;
    Holder holder(otherBus, 31);
    ASSERT_EQ(holder.reply(), 0);
    EXPECT_EQ(FWC_OpenCamera(31, FWC_OPEN_DEFAULT), 0);
}

// Points TMPDIR, where the claims live, at a folder of the test's own while it lasts.
class ClaimFolder {
public:
    explicit ClaimFolder(const std::filesystem::path& base)
        : root_(base / ("fwcontrol-sim-" + std::to_string(getuid()))) {
        const char* previous = std::getenv("TMPDIR");
        if (previous != nullptr) previous_ = previous;
        setenv("TMPDIR", base.c_str(), 1);
    }
    ~ClaimFolder() {
        if (previous_.empty()) {
            unsetenv("TMPDIR");
        } else {
            setenv("TMPDIR", previous_.c_str(), 1);
        }
    }
    // The folder of this user's claims, there while any claim file is.
    const std::filesystem::path& root() const { return root_; }

private:
    std::filesystem::path root_;
    std::string previous_;
};

// Claim files under the folder, at any depth: the kept camera states stay beside them.
int claimFileCount(const std::filesystem::path& root) {
    int count = 0;
    if (!std::filesystem::exists(root)) return 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root))
        count += entry.path().extension() == ".lock" ? 1 : 0;
    return count;
}

TEST_F(SimBusTest, ClaimFilesGoWithTheLastClaimOfTheirBus) {
    const ClaimFolder claims(directory());
    ASSERT_EQ(startBus(twoCameras), 0);
    Holder holder(busFile().string(), 31);
    ASSERT_EQ(holder.reply(), 0);
    ASSERT_EQ(FWC_OpenCamera(32, FWC_OPEN_DEFAULT), 0);
    EXPECT_EQ(FWC_CloseCamera(32), 0);
    EXPECT_EQ(claimFileCount(claims.root()), 1) << "camera 31 is still claimed";
    EXPECT_EQ(FWC_OpenCamera(31, FWC_OPEN_DEFAULT), FWC_ERR_CAMERA_BUSY)
        << "a neighbour's release leaves the claim alone";
    EXPECT_EQ(holder.send("close"), 0);
    EXPECT_EQ(claimFileCount(claims.root()), 0) << "the last release removes every claim file";
    ASSERT_EQ(FWC_OpenCamera(31, FWC_OPEN_DEFAULT), 0);
    EXPECT_EQ(holder.send("open"), FWC_ERR_CAMERA_BUSY) << "a claim made after the cleanup holds";
    EXPECT_EQ(FWC_CloseCamera(31), 0);
    EXPECT_EQ(claimFileCount(claims.root()), 0);
}

}  // namespace

#endif
