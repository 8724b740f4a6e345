#include "platform/WriteAll.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>

#include "support/TempDir.h"

// A write the system refuses for good fails at once; only an interrupted one is tried again.
// The alarm ends the test rather than let a retried refusal spin for ever.
TEST(WriteAllTest, ARefusedWriteFailsAtOnce) {
    CTempDir dir;
    int fd = open(dir.WriteFile("f").c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    alarm(10);
    EXPECT_FALSE(WriteAll(fd, "bytes"));
    EXPECT_EQ(errno, EBADF);
    alarm(0);
    close(fd);
}
