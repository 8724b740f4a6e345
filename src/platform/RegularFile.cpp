// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

int OpenRegularFile(const std::string& path, int& fd, uint64_t& size) {
    // A FIFO with no writer would hold the open for ever: it is opened without waiting
    // and then refused as not a regular file.
    fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return errno;
    int error = 0;
    struct stat st;
    if (fstat(fd, &st) != 0)
        error = errno;
    else if (S_ISDIR(st.st_mode))
        error = EISDIR;
    else if (!S_ISREG(st.st_mode))
        error = EINVAL;
    if (error != 0) {
        close(fd);
        fd = -1;
        return error;
    }
    size = static_cast<uint64_t>(st.st_size);
    return 0;
}

size_t ReadSome(int fd, char* buffer, size_t count) {
    for (;;) {
        ssize_t got = read(fd, buffer, count);
        if (got >= 0)
            return static_cast<size_t>(got);
        if (errno != EINTR)
            return 0;
    }
}

CFileMatch::CFileMatch(const std::string& path) {
    m_bSame = OpenRegularFile(path, m_fd, m_nSize) == 0;
}

CFileMatch::~CFileMatch() {
    if (m_fd >= 0)
        close(m_fd);
}

bool CFileMatch::Next(std::string_view piece) {
    m_bSame = m_bSame && piece.size() <= m_nSize - m_nDone;
    constexpr size_t kChunkBytes = 256 * 1024;
    if (m_bSame && m_chunk.empty() && !piece.empty())
        m_chunk.resize(static_cast<size_t>(std::min<uint64_t>(m_nSize, kChunkBytes)));
    for (size_t done = 0; m_bSame && done < piece.size();) {
        size_t got = ReadSome(m_fd, m_chunk.data(), std::min(m_chunk.size(), piece.size() - done));
        m_bSame = got > 0 && piece.substr(done, got) == std::string_view(m_chunk.data(), got);
        done += got;
        m_nDone += got;
    }
    return m_bSame;
}
