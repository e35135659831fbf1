// The Windows named mutex shared with a second process: held elsewhere it times out,
// released or abandoned there it is acquired here, and it is recursive per thread.
#include <gtest/gtest.h>

#include <string>

#include "platform/named_mutex.h"
#include "win32/second_process.h"

namespace lvc {
namespace {

std::string uniqueMutexName(const char* role) {
    return std::string("LORVENACAM_TEST_") + role + "_" + std::to_string(GetCurrentProcessId());
}

struct MutexCloser {
    void operator()(NamedMutex* mutex) const { closeNamedMutex(mutex); }
};
using MutexHandle = std::unique_ptr<NamedMutex, MutexCloser>;

TEST(Win32NamedMutex, HeldByAnotherProcessTimesOutUntilReleased) {
    const std::string name = uniqueMutexName("held");
    test::SecondProcess holder({"hold-mutex", name, "release"});
    MutexHandle mutex(openOrCreateNamedMutex(name.c_str()));
    ASSERT_NE(mutex, nullptr);

    EXPECT_EQ(waitNamedMutex(mutex.get(), 0), MutexWait::TimedOut);
    EXPECT_EQ(waitNamedMutex(mutex.get(), 50), MutexWait::TimedOut);

    EXPECT_EQ(holder.finish(), 0u);
    EXPECT_EQ(waitNamedMutex(mutex.get(), 0), MutexWait::Acquired);
    EXPECT_TRUE(releaseNamedMutex(mutex.get()));
}

TEST(Win32NamedMutex, AbandonedByAnEndedProcessCountsAsAcquired) {
    const std::string name = uniqueMutexName("abandoned");
    MutexHandle mutex(openOrCreateNamedMutex(name.c_str()));
    ASSERT_NE(mutex, nullptr);
    {
        test::SecondProcess holder({"hold-mutex", name, "abandon"});
        EXPECT_EQ(waitNamedMutex(mutex.get(), 0), MutexWait::TimedOut);
    }
    EXPECT_EQ(waitNamedMutex(mutex.get(), 5000), MutexWait::Acquired);
    EXPECT_TRUE(releaseNamedMutex(mutex.get()));
}

TEST(Win32NamedMutex, RecursiveOnOneThreadAndOwnedOnlyByIt) {
    const std::string name = uniqueMutexName("recursive");
    MutexHandle first(openOrCreateNamedMutex(name.c_str()));
    MutexHandle second(openOrCreateNamedMutex(name.c_str()));
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);

    ASSERT_EQ(waitNamedMutex(first.get(), 0), MutexWait::Acquired);
    EXPECT_EQ(waitNamedMutex(second.get(), 0), MutexWait::Acquired);
    EXPECT_TRUE(releaseNamedMutex(second.get()));
    EXPECT_TRUE(releaseNamedMutex(first.get()));
    EXPECT_FALSE(releaseNamedMutex(first.get())) << "released more often than acquired";
}

}  // namespace
}  // namespace lvc
