// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ReplaceFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <random>

#include "platform/PathFacts.h"

namespace {

std::string Reason(int error) {
    return std::strerror(error);
}

// The file a save writes: a list kept behind a symbolic link is written where the link
// leads, so the link stays a link. "" when the link leads nowhere.
std::string FileBehind(const std::string& path) {
    struct stat st;
    if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
        return path;
    return ResolvedPath(path);
}

std::string FolderOf(const std::string& path) {
    size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// A name for the new file beside the old one, not taken when it was made.
std::string TemporaryName(const std::string& target) {
    static thread_local std::mt19937_64 random(std::random_device{}());
    size_t slash = target.find_last_of('/');
    std::string folder = slash == std::string::npos ? "" : target.substr(0, slash + 1);
    // Cut so that the name stays within what a folder takes, however long the list's is.
    std::string name =
        (slash == std::string::npos ? target : target.substr(slash + 1)).substr(0, 200);
    return folder + "." + name + "." + std::to_string(random() % 1000000000000ull) + ".tmp";
}

// The new file, unnamed where the file system can do that (O_TMPFILE): a process killed
// before it is named leaves nothing. Elsewhere it gets a name at once, and named says so.
int OpenNewFile(const std::string& target, std::string& named) {
    int fd = open(FolderOf(target).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd >= 0 || (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL))
        return fd;
    for (int attempt = 0; attempt < 100; ++attempt) {
        named = TemporaryName(target);
        fd = open(named.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// Gives the unnamed file a name of its own beside the target: through /proc, or where
// that is not mounted, by its descriptor (which only a privileged process may do).
bool NameNewFile(int fd, const std::string& target, std::string& named) {
    std::string self = "/proc/self/fd/" + std::to_string(fd);
    for (int attempt = 0; attempt < 100; ++attempt) {
        named = TemporaryName(target);
        if (linkat(AT_FDCWD, self.c_str(), AT_FDCWD, named.c_str(), AT_SYMLINK_FOLLOW) == 0)
            return true;
        if (errno == ENOENT && linkat(fd, "", AT_FDCWD, named.c_str(), AT_EMPTY_PATH) == 0)
            return true;
        if (errno != EEXIST)
            break;
    }
    named.clear();
    return false;
}

// The existing file's owner and mode for the new one, so that the save changes neither.
bool TakeOwnerAndMode(int fd, const struct stat& old) {
    struct stat fresh;
    if (fstat(fd, &fresh) != 0)
        return false;
    if ((fresh.st_uid != old.st_uid || fresh.st_gid != old.st_gid) &&
        fchown(fd, old.st_uid, old.st_gid) != 0)
        return false;
    return fchmod(fd, old.st_mode & 07777) == 0;
}

void SyncFolder(const std::string& target) {
    int folder = open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        fsync(folder);
        close(folder);
    }
}

}  // namespace

std::string ReplaceFile(const std::string& path, const std::function<bool(int fd)>& write) {
    std::string target = FileBehind(path);
    if (target.empty())
        return "it is a link to no file";
    struct stat old;
    bool exists = lstat(target.c_str(), &old) == 0;
    if (!exists && errno != ENOENT)
        return Reason(errno);
    if (exists && !S_ISREG(old.st_mode))
        return "it is not a regular file";
    if (exists &&
        (faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0 || (old.st_mode & 0222) == 0))
        return "it is read-only";

    std::string named;
    int fd = OpenNewFile(target, named);
    if (fd < 0)
        return Reason(errno);
    bool ok = true;
    std::string why;
    if (exists && !TakeOwnerAndMode(fd, old))
        ok = false, why = "its owner and mode cannot be kept (" + Reason(errno) + ")";
    if (ok && (!write(fd) || fsync(fd) != 0))
        ok = false, why = Reason(errno);
    if (ok && named.empty() && !NameNewFile(fd, target, named))
        ok = false, why = Reason(errno);
    if (close(fd) != 0 && ok)
        ok = false, why = Reason(errno);
    if (ok && rename(named.c_str(), target.c_str()) != 0)
        ok = false, why = Reason(errno);
    if (!ok) {
        if (!named.empty())
            unlink(named.c_str());
        return why;
    }
    SyncFolder(target);
    return "";
}
