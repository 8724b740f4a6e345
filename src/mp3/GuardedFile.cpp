// SPDX-License-Identifier: GPL-3.0-or-later
#include "mp3/GuardedFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "model/Prompts.h"
#include "platform/FolderCache.h"

namespace {

int OpenRetrying(CFolderCache::SPlace place, int flags) {
    int fd;
    do {
        fd = ::openat(place.nFolder, place.pszName, flags);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

}  // namespace

CGuardedFile::~CGuardedFile() {
    Close();
}

bool CGuardedFile::Open(const std::string& path, EOpenMode mode, CFolderCache* folders,
                        bool followLink) {
    Close();
    // The system would stop reading the path at a zero byte and open another file.
    if (path.find('\0') != std::string::npos) {
        m_nOpenError = ENOENT;
        return false;
    }
    CFolderCache::SPlace place =
        folders ? folders->Locate(path) : CFolderCache::SPlace{AT_FDCWD, path.c_str()};
    // Opening a FIFO or a device may wait for ever: nothing is opened in a way that can
    // wait, and anything but a regular file is closed again at once. The flag may stay:
    // reads and writes of a regular file do not wait for it. Nor does a terminal opened so
    // become this process's own.
    int flags = (mode == EOpenMode::Read ? O_RDONLY : O_RDWR) | O_CLOEXEC | O_NONBLOCK | O_NOCTTY;
    if (!followLink)
        flags |= O_NOFOLLOW;
    // A file opened to be written changes its modification time anyway; reading its old
    // block first need not also change its access time. Only the owner may ask that.
    int fd = mode == EOpenMode::ReadWrite ? OpenRetrying(place, flags | O_NOATIME) : -1;
    if (fd < 0 && (mode == EOpenMode::Read || errno == EPERM))
        fd = OpenRetrying(place, flags);
    if (fd < 0) {
        m_nOpenError = errno;
        return false;
    }
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        m_nOpenError = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
        return false;
    }
    m_nOpenError = 0;
    m_fd = fd;
    m_nLength = static_cast<uint64_t>(st.st_size);
    return true;
}

void CGuardedFile::Close() {
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_nLength = 0;
}

bool CGuardedFile::ReadAt(uint64_t offset, void* buffer, size_t n) {
    auto* out = static_cast<char*>(buffer);
    size_t done = 0;
    while (done < n) {
        ssize_t got = pread(m_fd, out + done, n - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            ReportError(errno);
            return false;
        }
        if (got == 0)
            return false;
        done += static_cast<size_t>(got);
    }
    return true;
}

bool CGuardedFile::WriteAt(uint64_t offset, const void* data, size_t n, bool report) {
    const auto* in = static_cast<const char*>(data);
    size_t done = 0;
    while (done < n) {
        ssize_t put = pwrite(m_fd, in + done, n - done, static_cast<off_t>(offset + done));
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0) {
            // A write that takes nothing more has hit the end of the room on the disk.
            int error = put == 0 ? ENOSPC : errno;
            if (report)
                ReportError(error);
            return false;
        }
        done += static_cast<size_t>(put);
    }
    return true;
}

bool CGuardedFile::SetLength(uint64_t length) {
    int result;
    do {
        result = ftruncate(m_fd, static_cast<off_t>(length));
    } while (result != 0 && errno == EINTR);
    return result == 0;
}

void CGuardedFile::ReportError(int error) {
    if (m_pPrompts == nullptr)
        return;
    // Access was not the trouble when the disk is full: saying so tells the user what to do.
    if (error == ENOSPC || error == EDQUOT)
        m_pPrompts->Message(EMessageId::TagDiskFull, kTagDiskFullMessage, EIcon::Stop,
                            EButtons::Ok);
    else
        m_pPrompts->Message(EMessageId::CannotOpenTagFile, "Cannot open file. Access is denied.",
                            EIcon::Stop, EButtons::Ok);
}

bool CGuardedFile::GetIdentity(uint64_t& device, uint64_t& inode) const {
    struct stat facts;
    if (m_fd < 0 || fstat(m_fd, &facts) != 0)
        return false;
    device = static_cast<uint64_t>(facts.st_dev);
    inode = static_cast<uint64_t>(facts.st_ino);
    return true;
}
