// SPDX-License-Identifier: GPL-3.0-or-later
#include "mp3/FileRewrite.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "platform/WriteAll.h"

namespace {

constexpr size_t kCopyChunk = 1 << 18;

bool CopyRange(int from, int to, uint64_t begin, uint64_t end) {
    std::vector<char> buffer(kCopyChunk);
    while (begin < end) {
        size_t want = static_cast<size_t>(std::min<uint64_t>(kCopyChunk, end - begin));
        ssize_t got = pread(from, buffer.data(), want, static_cast<off_t>(begin));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            if (got == 0)
                errno = EIO;  // the file ended early: it changed meanwhile
            return false;
        }
        if (!WriteAll(to, std::string_view(buffer.data(), static_cast<size_t>(got))))
            return false;
        begin += static_cast<uint64_t>(got);
    }
    return true;
}

bool WriteSplice(int from, int to, const SFileSplice& splice) {
    return WriteAll(to, splice.head) &&
           CopyRange(from, to, splice.nFrom, splice.nTo) &&
           WriteAll(to, splice.tail) && fsync(to) == 0;
}

std::string FolderOf(const std::string& path) {
    size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

void SyncFolder(const std::string& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        ::close(fd);
    }
}

}  // namespace

bool RewriteFile(int fd, const std::string& path, const SFileSplice& splice,
                 const FileReady& ready) {
    struct stat facts;
    if (fstat(fd, &facts) != 0)
        return false;
    std::string folder = FolderOf(path);
    std::string temp = folder + "/.tessel-tag-XXXXXX";
    int out = mkostemp(temp.data(), O_CLOEXEC);
    if (out < 0)
        return false;
    // The owner stays only where the system lets this process give the file away.
    if (fchown(out, facts.st_uid, facts.st_gid) != 0) {
    }
    bool made = fchmod(out, facts.st_mode & 07777) == 0 && WriteSplice(fd, out, splice);
    struct stat written;
    made = made && fstat(out, &written) == 0 &&
           (!ready || ready(static_cast<uint64_t>(written.st_dev),
                            static_cast<uint64_t>(written.st_ino)));
    int error = errno;
    ::close(out);
    if (made && ::rename(temp.c_str(), path.c_str()) == 0) {
        SyncFolder(folder);
        return true;
    }
    error = made ? errno : error;
    ::unlink(temp.c_str());
    errno = error;
    return false;
}
