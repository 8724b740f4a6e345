#include "platform/ReadWholeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

int ReadWholeFile(const std::string& path, std::string& bytes) {
    // A FIFO with no writer would hold the open for ever: it is opened without waiting
    // and then refused as not a regular file.
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
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
    if (error == 0) {
        bytes.resize(static_cast<size_t>(st.st_size));
        size_t done = 0;
        while (error == 0 && done < bytes.size()) {
            ssize_t got = read(fd, bytes.data() + done, bytes.size() - done);
            if (got < 0 && errno == EINTR)
                continue;
            if (got < 0)
                error = errno;
            else if (got == 0)
                bytes.resize(done);  // the file shrank while it was read
            else
                done += static_cast<size_t>(got);
        }
    }
    close(fd);
    return error;
}
