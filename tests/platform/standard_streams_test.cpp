#include <gtest/gtest.h>

#include <algorithm>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "platform/standard_streams.h"

namespace
{

bool IsNullDevice(int fd, const struct stat& null)
{
    struct stat info {
    };
    return fstat(fd, &info) == 0 && S_ISCHR(info.st_mode) && info.st_rdev == null.st_rdev;
}

// What went wrong in the child, one bit per fault: 1 a stream still closed, 2 a closed stream
// not on /dev/null or the wrong way round, 4 an open stream replaced, 8 a new file on a stream.
int CheckedInChild(const std::vector<int>& closed)
{
    struct stat null {
    }, kept{};
    if (stat("/dev/null", &null) != 0 || fstat(1, &kept) != 0)
        return 64;
    for (int fd : closed)
        close(fd);
    platform::OpenClosedStandardStreams();
    int faults = 0;
    for (int fd = 0; fd <= 2; ++fd) {
        const int flags = fcntl(fd, F_GETFL);
        if (flags < 0) {
            faults |= 1;
            continue;
        }
        const bool wasClosed = std::find(closed.begin(), closed.end(), fd) != closed.end();
        const int expected = fd == 0 ? O_RDONLY : O_WRONLY;
        if (wasClosed && (!IsNullDevice(fd, null) || (flags & O_ACCMODE) != expected))
            faults |= 2;
        struct stat now {
        };
        if (!wasClosed && fd == 1 && (fstat(1, &now) != 0 || now.st_ino != kept.st_ino))
            faults |= 4;
    }
    const int next = open("/dev/null", O_RDONLY);
    if (next >= 0 && next <= 2)
        faults |= 8;
    return faults;
}

class ClosedStreams : public testing::TestWithParam<std::vector<int>>
{
};

// Started without some of its standard streams, the program puts /dev/null in their place, so
// the files it opens next never take a stream's number, and leaves the open ones as they are.
TEST_P(ClosedStreams, AreOpenedOnTheNullDevice)
{
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0)
        _exit(CheckedInChild(GetParam()));
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

INSTANTIATE_TEST_SUITE_P(Streams, ClosedStreams,
                         testing::Values(std::vector<int>{}, std::vector<int>{0},
                                         std::vector<int>{2}, std::vector<int>{0, 2},
                                         std::vector<int>{0, 1, 2}));

} // namespace
