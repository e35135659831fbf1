// The machine-wide named mutex, against other real processes holding or trying it.
#include "platform/named_mutex.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <sys/mman.h>
#include <unistd.h>

#include "support/child_process.h"
#include "support/temp_directory.h"

namespace lvc {
namespace {

using namespace std::chrono_literals;
using test::ChildProcess;

// Each test uses a name of its own, so tests never meet; the shared-memory object behind
// it is removed afterwards.
class NamedMutexTest : public ::testing::Test {
protected:
    NamedMutexTest() {
        static int serial = 0;
        name_ = "lvc-test-mutex-" + std::to_string(getpid()) + "-" + std::to_string(++serial);
    }
    ~NamedMutexTest() override { shm_unlink(("/lvc-mutex." + name_).c_str()); }

    NamedMutex* open() {
        NamedMutex* mutex = openOrCreateNamedMutex(name_.c_str());
        if (mutex != nullptr) opened_.push_back(mutex);
        return mutex;
    }
    void TearDown() override {
        for (NamedMutex* mutex : opened_) closeNamedMutex(mutex);
    }
    // What another process gets when it tries the mutex once, with the time-out given.
    std::string triedElsewhere(uint32_t timeoutMs = 0) {
        ChildProcess other({LVC_BOUNDARY_HELPER, "wait-mutex", name_, std::to_string(timeoutMs)});
        return other.readLine().value_or("no answer");
    }
    // Another process that acquires the mutex and holds it until told to let go.
    std::unique_ptr<ChildProcess> holdElsewhere() {
        auto holder = std::make_unique<ChildProcess>(
            std::vector<std::string>{LVC_BOUNDARY_HELPER, "hold-mutex", name_});
        EXPECT_EQ(holder->readLine(), "holding");
        return holder;
    }

    std::string name_;
    std::vector<NamedMutex*> opened_;
};

TEST_F(NamedMutexTest, ExcludesOtherProcessesUntilReleased) {
    NamedMutex* mutex = open();
    ASSERT_NE(mutex, nullptr);
    ASSERT_EQ(waitNamedMutex(mutex, 0), MutexWait::Acquired);
    EXPECT_EQ(triedElsewhere(), "timed out");
    EXPECT_TRUE(releaseNamedMutex(mutex));
    EXPECT_EQ(triedElsewhere(), "acquired");
}

TEST_F(NamedMutexTest, OwnerThreadTakesItAgainAndMustReleaseAsOften) {
    NamedMutex* mutex = open();
    ASSERT_EQ(waitNamedMutex(mutex, 0), MutexWait::Acquired);
    ASSERT_EQ(waitNamedMutex(mutex, 1000), MutexWait::Acquired);
    // A second handle of this process names the same mutex, owned by this thread.
    ASSERT_EQ(waitNamedMutex(open(), 0), MutexWait::Acquired);
    EXPECT_TRUE(releaseNamedMutex(mutex));
    EXPECT_TRUE(releaseNamedMutex(mutex));
    EXPECT_EQ(triedElsewhere(), "timed out");
    EXPECT_TRUE(releaseNamedMutex(mutex));
    EXPECT_EQ(triedElsewhere(), "acquired");
    EXPECT_FALSE(releaseNamedMutex(mutex)) << "released more often than acquired";
}

TEST_F(NamedMutexTest, OtherThreadOfTheOwnerProcessIsExcluded) {
    NamedMutex* mutex = open();
    ASSERT_EQ(waitNamedMutex(mutex, 0), MutexWait::Acquired);
    MutexWait seen = MutexWait::Failed;
    bool released = true;
    std::thread([&] {
        seen = waitNamedMutex(mutex, 0);
        released = releaseNamedMutex(mutex);
    }).join();
    EXPECT_EQ(seen, MutexWait::TimedOut);
    EXPECT_FALSE(released) << "a thread that does not own it cannot release it";
    EXPECT_TRUE(releaseNamedMutex(mutex));
}

TEST_F(NamedMutexTest, TimedWaitEndsAfterItsTimeoutAndSucceedsOnceReleased) {
    NamedMutex* mutex = open();
    auto holder = holdElsewhere();
    EXPECT_EQ(waitNamedMutex(mutex, 0), MutexWait::TimedOut);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(waitNamedMutex(mutex, 300), MutexWait::TimedOut);
    const auto waited = std::chrono::steady_clock::now() - start;
    EXPECT_GE(waited, 290ms);
    EXPECT_LT(waited, 5s);

    std::atomic<MutexWait> late{MutexWait::Failed};
    std::atomic<bool> released{false};
    std::thread waiter([&] {
        late = waitNamedMutex(mutex, 10000);
        released = releaseNamedMutex(mutex);
    });
    holder->closeInput();
    waiter.join();
    EXPECT_EQ(late.load(), MutexWait::Acquired);
    EXPECT_TRUE(released.load());
    EXPECT_EQ(holder->waitForExit(), 0);
}

TEST_F(NamedMutexTest, OwnerThatDiedLeavesItToTheNextWaiter) {
    NamedMutex* mutex = open();
    auto holder = holdElsewhere();
    EXPECT_EQ(waitNamedMutex(mutex, 0), MutexWait::TimedOut);
    holder->killHard();
    EXPECT_EQ(waitNamedMutex(mutex, 5000), MutexWait::Acquired);
    EXPECT_TRUE(releaseNamedMutex(mutex));
    EXPECT_EQ(triedElsewhere(), "acquired") << "the mutex works normally after the take-over";
}

TEST_F(NamedMutexTest, OwnerThatDiesWhileOthersWaitHandsItOn) {
    NamedMutex* mutex = open();
    auto holder = holdElsewhere();
    std::atomic<MutexWait> seen{MutexWait::Failed};
    std::thread waiter([&] {
        seen = waitNamedMutex(mutex, 10000);
        if (seen == MutexWait::Acquired) releaseNamedMutex(mutex);
    });
    holder->killHard();
    waiter.join();
    EXPECT_EQ(seen.load(), MutexWait::Acquired);
}

// Processes that race to create the same new name all end up with one mutex: their
// critical sections never overlap, so no addition to the shared file is lost.
TEST_F(NamedMutexTest, ProcessesRacingToCreateItShareOneMutex) {
    constexpr int kProcesses = 4;
    constexpr int kRounds = 100;
    test::TempDirectory directory;
    const std::string counter = (directory.path() / "counter").string();
    std::vector<std::unique_ptr<ChildProcess>> counters;
    for (int process = 0; process < kProcesses; ++process) {
        counters.push_back(std::make_unique<ChildProcess>(std::vector<std::string>{
            LVC_BOUNDARY_HELPER, "count-under-mutex", name_, counter, std::to_string(kRounds)}));
    }
    for (auto& process : counters) EXPECT_EQ(process->readLine(), "counted");
    std::ifstream file(counter);
    int total = 0;
    file >> total;
    EXPECT_EQ(total, kProcesses * kRounds);
}

// Threads of one process, each with a handle of its own, exclude each other too.
TEST_F(NamedMutexTest, ThreadsWithHandlesOfTheirOwnExcludeEachOther) {
    constexpr int kThreads = 8;
    constexpr int kRounds = 200;
    std::atomic<bool> inside{false};
    std::atomic<int> overlaps{0};
    std::atomic<int> failures{0};
    std::vector<std::thread> threads;
    for (int thread = 0; thread < kThreads; ++thread) {
        threads.emplace_back([&] {
            NamedMutex* mutex = openOrCreateNamedMutex(name_.c_str());
            for (int round = 0; round < kRounds; ++round) {
                if (waitNamedMutex(mutex, 10000) != MutexWait::Acquired) {
                    ++failures;
                    continue;
                }
                if (inside.exchange(true)) ++overlaps;
                inside.store(false);
                releaseNamedMutex(mutex);
            }
            closeNamedMutex(mutex);
        });
    }
    for (auto& thread : threads) thread.join();
    EXPECT_EQ(failures.load(), 0);
    EXPECT_EQ(overlaps.load(), 0);
}

TEST(NamedMutexArguments, NullAndEmptyAreRefused) {
    EXPECT_EQ(openOrCreateNamedMutex(nullptr), nullptr);
    EXPECT_EQ(openOrCreateNamedMutex(""), nullptr);
    EXPECT_EQ(openOrCreateNamedMutex(std::string(300, 'n').c_str()), nullptr);
    EXPECT_EQ(waitNamedMutex(nullptr, 0), MutexWait::Failed);
    EXPECT_FALSE(releaseNamedMutex(nullptr));
    closeNamedMutex(nullptr);
}

}  // namespace
}  // namespace lvc
