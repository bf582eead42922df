#include "platform/SingleInstanceLock.h"
#include "platform/tests/TempHome.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

using corvane::SingleInstanceLock;
using Result = corvane::SingleInstanceLock::Result;

TEST(SingleInstanceLock, SecondHolderOfTheSameNameIsRefusedOthersCoexist)
{
    corvane::test::TempHome home("lock");
    SingleInstanceLock first;
    SingleInstanceLock second;
    SingleInstanceLock other;
    ASSERT_EQ(first.Acquire(L"Corvane", home.Runtime()), Result::Acquired);
    EXPECT_EQ(second.Acquire(L"Corvane", home.Runtime()), Result::AlreadyRunning);
    EXPECT_FALSE(second.Held());
    EXPECT_EQ(other.Acquire(L"corvane", home.Runtime()), Result::Acquired) << "names are case-sensitive";

    first.Release();
    EXPECT_EQ(second.Acquire(L"Corvane", home.Runtime()), Result::Acquired);
}

TEST(SingleInstanceLock, TheLockIsNotHandedToStartedPrograms)
{
    corvane::test::TempHome home("lock");
    SingleInstanceLock lock;
    ASSERT_EQ(lock.Acquire(L"Corvane", home.Runtime()), Result::Acquired);
    const int fd = ::open(SingleInstanceLock::LockPath(L"Corvane", home.Runtime()).c_str(), O_RDONLY);
    ASSERT_GE(fd, 0);
    EXPECT_NE(::flock(fd, LOCK_EX | LOCK_NB), 0);
    ::close(fd);

    // A child that execs keeps no descriptor of the lock.
    const pid_t child = ::fork();
    if (child == 0) {
        ::execl("/bin/sh", "sh", "-c", "ls -l /proc/self/fd | grep -q '\\.lock' && exit 1; exit 0", nullptr);
        ::_exit(2);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST(SingleInstanceLock, WithoutARuntimeFolderUsesAPerUserTempFile)
{
    const auto path = SingleInstanceLock::LockPath(L"Corvane", {});
    EXPECT_EQ(path.filename().string(), "Corvane-" + std::to_string(::getuid()) + ".lock");
}

TEST(SingleInstanceLock, AnUnusableRuntimeFolderIsUnavailableNotRunning)
{
    corvane::test::TempHome home("lock");
    SingleInstanceLock lock;
    EXPECT_EQ(lock.Acquire(L"Corvane", home.Root() / "missing"), Result::Unavailable);
}
