#include "files/ListLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <thread>

#include "files/JournalFolder.h"
#include "files/RunJournal.h"

namespace {

constexpr std::chrono::milliseconds kRetryEvery{25};

}  // namespace

CListLock::~CListLock() {
    if (m_fd >= 0)
        close(m_fd);
}

bool CListLock::Acquire(const CJournalFolder& folder, const std::string& absoluteListPath,
                        std::string& error, std::chrono::milliseconds wait) {
    std::string name = CRunJournal::KeyOf(absoluteListPath) + ".lock";
    int fd = openat(folder.Fd(), name.c_str(),
                    O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    struct stat facts;
    if (fd < 0 || fstat(fd, &facts) != 0 || !S_ISREG(facts.st_mode)) {
        error = "cannot lock the list: " + folder.Path() + "/" + name + ": " +
                std::strerror(fd < 0 ? errno : EINVAL);
        if (fd >= 0)
            close(fd);
        return false;
    }
    auto giveUp = std::chrono::steady_clock::now() + wait;
    while (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if ((errno != EWOULDBLOCK && errno != EINTR) ||
            std::chrono::steady_clock::now() >= giveUp) {
            error = errno == EWOULDBLOCK
                        ? "the list is in use by another process; nothing was changed"
                        : std::string("cannot lock the list: ") + std::strerror(errno);
            close(fd);
            return false;
        }
        std::this_thread::sleep_for(kRetryEvery);
    }
    if (m_fd >= 0)
        close(m_fd);
    m_fd = fd;
    return true;
}
