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

bool FileHolds(const std::string& path, std::string_view bytes) {
    int fd = -1;
    uint64_t size = 0;
    if (OpenRegularFile(path, fd, size) != 0)
        return false;
    bool same = size == bytes.size();
    std::string chunk(std::min<size_t>(bytes.size(), 256 * 1024), '\0');
    for (size_t done = 0; same && done < bytes.size();) {
        size_t got = ReadSome(fd, chunk.data(), std::min(chunk.size(), bytes.size() - done));
        same = got > 0 && bytes.compare(done, got, std::string_view(chunk.data(), got)) == 0;
        done += got;
    }
    close(fd);
    return same;
}
