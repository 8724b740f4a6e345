// SPDX-License-Identifier: GPL-3.0-or-later
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>

#include "files/JournalFolder.h"
#include "files/ListLock.h"
#include "support/TempDir.h"

namespace {

constexpr int kRounds = 2000;

// Exit codes of a racing process.
constexpr int kClean = 0;
constexpr int kTwoHolders = 1;
constexpr int kNotHad = 2;

// Takes and lets go of the lock kRounds times; while it holds the lock, it alone may have
// the marker file.
int Race(const std::string& journals, const std::string& marker) {
    CJournalFolder folder;
    std::string error;
    if (!folder.Open(journals, error))
        return kNotHad;
    for (int round = 0; round < kRounds; ++round) {
        CListLock lock;
        if (!lock.Acquire(folder, "00000000000000aa", error, std::chrono::seconds(10)))
            return kNotHad;
        int fd = open(marker.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0)
            return kTwoHolders;
        close(fd);
        unlink(marker.c_str());
    }
    return kClean;
}

// Two processes take one list's lock in turn, each removing the lock file as it lets go,
// while the other may be waiting on that very file: never both hold it at once.
TEST(ListLockRaceTest, ALockFileRemovedOnReleaseNeverLetsTwoHoldersIn) {
    CTempDir dir;
    std::string journals = dir / "state/tessel";
    {
        CJournalFolder folder;
        std::string error;
        ASSERT_TRUE(folder.Open(journals, error)) << error;
    }
    // Both start when the pipe closes, so that the rounds overlap.
    int start[2];
    ASSERT_EQ(pipe(start), 0);
    pid_t racers[2];
    for (pid_t& racer : racers) {
        racer = fork();
        ASSERT_GE(racer, 0);
        if (racer == 0) {
            close(start[1]);
            char byte;
            _exit(read(start[0], &byte, 1) == 0 ? Race(journals, dir / "marker") : kNotHad);
        }
    }
    close(start[0]);
    close(start[1]);
    for (pid_t racer : racers) {
        int status = 0;
        ASSERT_EQ(waitpid(racer, &status, 0), racer);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), kClean);
    }
    EXPECT_TRUE(FolderNames(journals).empty());
}

}  // namespace
