// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/ListLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <thread>

#include "files/JournalFolder.h"

namespace {

using Clock = std::chrono::steady_clock;

// Waits between tries grow from a millisecond, so a lock held a moment is had at once.
constexpr std::chrono::milliseconds kFirstRetry{1};
constexpr std::chrono::milliseconds kLongestRetry{25};
// IsHeld looks again when the file it probed went meanwhile; a lock taken and let go
// this many times during one look is held often enough to say so.
constexpr int kMostLooks = 100;

constexpr const char* kInUse = "the list is in use by another process; nothing was changed";

std::string LockName(const std::string& key) {
    return key + ".lock";
}

// Whether the name in the folder is still the open file fd, as lstat sees it: a holder
// removes the name before letting go, so a lock had on a file without it is worth nothing.
// When it is not, errno says why: ENOENT when the name is gone, 0 when it is another file.
bool NamesFile(int folderFd, const std::string& name, int fd) {
    struct stat open {};
    struct stat named {};
    if (fstat(fd, &open) != 0)
        return false;
    if (fstatat(folderFd, name.c_str(), &named, AT_SYMLINK_NOFOLLOW) != 0)
        return false;
    errno = 0;
    return named.st_dev == open.st_dev && named.st_ino == open.st_ino;
}

// Opens the lock file, making it when absent; -1 with errno set when that fails or the name
// is not a plain file.
int OpenLockFile(int folderFd, const std::string& name) {
    int fd = openat(folderFd, name.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC,
                    0600);
    if (fd < 0)
        return -1;
    struct stat facts {};
    int error = fstat(fd, &facts) != 0 ? errno : S_ISREG(facts.st_mode) ? 0 : EINVAL;
    if (error == 0)
        return fd;
    close(fd);
    errno = error;
    return -1;
}

// Takes the flock of fd, trying until giveUp. 0 when had, else the errno that stopped it
// (EWOULDBLOCK when the time ran out).
int LockBy(int fd, Clock::time_point giveUp) {
    auto retry = kFirstRetry;
    while (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno == EINTR)
            continue;
        if (errno != EWOULDBLOCK)
            return errno;
        auto now = Clock::now();
        if (now >= giveUp)
            return EWOULDBLOCK;
        std::this_thread::sleep_for(std::min<Clock::duration>(retry, giveUp - now));
        retry = std::min(retry * 2, kLongestRetry);
    }
    return 0;
}

}  // namespace

bool CListLock::Acquire(const CJournalFolder& folder, const std::string& key, std::string& error,
                        std::chrono::milliseconds wait) {
    Release();
    std::string name = LockName(key);
    auto giveUp = Clock::now() + wait;
    for (;;) {
        int fd = OpenLockFile(folder.Fd(), name);
        if (fd < 0) {
            error =
                "cannot lock the list: " + folder.Path() + "/" + name + ": " + std::strerror(errno);
            return false;
        }
        if (int failed = LockBy(fd, giveUp); failed != 0) {
            close(fd);
            error = failed == EWOULDBLOCK
                        ? kInUse
                        : std::string("cannot lock the list: ") + std::strerror(failed);
            return false;
        }
        if (NamesFile(folder.Fd(), name, fd)) {
            m_folderFd = fcntl(folder.Fd(), F_DUPFD_CLOEXEC, 0);
            if (m_folderFd < 0) {
                error = std::string("cannot lock the list: ") + std::strerror(errno);
                close(fd);
                return false;
            }
            m_fd = fd;
            m_strName = std::move(name);
            return true;
        }
        // The holder before removed the file, after this process opened it: the lock is
        // now another file's, to be tried anew while there is time.
        int stale = errno;
        close(fd);
        if (stale != 0 && stale != ENOENT) {
            error =
                "cannot lock the list: " + folder.Path() + "/" + name + ": " + std::strerror(stale);
            return false;
        }
        if (Clock::now() >= giveUp) {
            error = kInUse;
            return false;
        }
    }
}

void CListLock::Release() {
    if (m_fd < 0)
        return;
    // Only while the lock is held, and only the name that still is the lock's own file:
    // a name this process does not hold could be another holder's.
    if (NamesFile(m_folderFd, m_strName, m_fd))
        unlinkat(m_folderFd, m_strName.c_str(), 0);
    close(m_fd);
    close(m_folderFd);
    m_fd = -1;
    m_folderFd = -1;
    m_strName.clear();
}

bool CListLock::IsHeld(const CJournalFolder& folder, const std::string& key) {
    std::string name = LockName(key);
    for (int look = 0; look < kMostLooks; ++look) {
        int fd = openat(folder.Fd(), name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            return errno != ENOENT;
        // A shared lock, let go at once, is had only when nobody holds the exclusive one.
        int probe;
        do
            probe = flock(fd, LOCK_SH | LOCK_NB);
        while (probe != 0 && errno == EINTR);
        if (probe != 0) {
            close(fd);
            return true;
        }
        bool current = NamesFile(folder.Fd(), name, fd);
        int error = errno;
        close(fd);
        if (current)
            return false;
        if (error != 0 && error != ENOENT)
            return true;
    }
    return true;
}
