#include "platform/FileRename.h"

#include "platform/FolderCache.h"
#include "platform/PathFacts.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <strings.h>

#include <cerrno>
#include <climits>
#include <cstdio>

namespace {

bool HasNul(const std::string& text) {
    return text.find('\0') != std::string::npos;
}

std::string FolderOf(const std::string& path) {
    size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// On a file system that ignores letter case, "song.mp3" and "Song.mp3" are one directory
// entry, so the no-replace rename refuses the change as if the name were taken. Both
// names then lead to one inode with a single link in one folder: the only entry that a
// plain rename could replace is the file itself.
bool IsCaseAlias(const std::string& from, const std::string& to) {
    if (FolderOf(from) != FolderOf(to) || NameOf(from) == NameOf(to))
        return false;
    if (strcasecmp(NameOf(from).c_str(), NameOf(to).c_str()) != 0)
        return false;
    struct stat a;
    struct stat b;
    if (lstat(from.c_str(), &a) != 0 || lstat(to.c_str(), &b) != 0)
        return false;
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_nlink == 1;
}

}  // namespace

bool RenameByLink(const std::string& from, const std::string& to) {
    if (from.empty() || to.empty() || HasNul(from) || HasNul(to))
        return false;
    struct stat st;
    if (lstat(from.c_str(), &st) != 0 || S_ISDIR(st.st_mode))
        return false;
    if (link(from.c_str(), to.c_str()) != 0)
        return false;
    if (unlink(from.c_str()) == 0)
        return true;
    int error = errno;
    unlink(to.c_str());
    errno = error;
    return false;
}

namespace {

// Both names relative to the folder of the first, when the second is a name in that same
// folder; otherwise both whole paths.
int RenameNoReplace(const std::string& from, const std::string& to, CFolderCache* folders) {
    if (folders != nullptr) {
        CFolderCache::SPlace place = folders->Locate(from);
        size_t nameStart = static_cast<size_t>(place.pszName - from.c_str());
        if (place.nFolder != AT_FDCWD && to.size() > nameStart &&
            to.compare(0, nameStart, from, 0, nameStart) == 0 &&
            to.find('/', nameStart) == std::string::npos)
            return renameat2(place.nFolder, place.pszName, place.nFolder, to.c_str() + nameStart,
                             RENAME_NOREPLACE);
    }
    return renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE);
}

bool RenameWithFallbacks(const std::string& from, const std::string& to, CFolderCache* folders) {
    if (from.empty() || to.empty() || HasNul(from) || HasNul(to))
        return false;
    if (RenameNoReplace(from, to, folders) == 0)
        return true;
    if (errno == EINVAL || errno == ENOSYS) {
        if (RenameByLink(from, to))
            return true;
    }
    if (errno == EEXIST && IsCaseAlias(from, to))
        return std::rename(from.c_str(), to.c_str()) == 0;
    return false;
}

}  // namespace

bool RenameFile(const std::string& from, const std::string& to) {
    return RenameWithFallbacks(from, to, nullptr);
}

bool RenameFile(const std::string& from, const std::string& to, CFolderCache& folders) {
    return RenameWithFallbacks(from, to, &folders);
}

SFolderRights QueryFolderRights(const std::string& folder) {
    SFolderRights rights;
    if (HasNul(folder))
        return rights;
    const char* path = folder.empty() ? "." : folder.c_str();
    struct stat st;
    if (stat(path, &st) != 0 || !S_ISDIR(st.st_mode))
        return rights;
    rights.bFound = true;
    rights.bMayChange = faccessat(AT_FDCWD, path, W_OK | X_OK, AT_EACCESS) == 0;
    rights.bSticky = (st.st_mode & S_ISVTX) != 0;
    rights.nOwner = st.st_uid;
    rights.user = SUserIds::Current();
    errno = 0;
    long nameMax = pathconf(path, _PC_NAME_MAX);
    if (nameMax > 0)
        rights.nNameMax = nameMax;
    return rights;
}

bool MayRenameEntry(const SPathFacts& entry, const SFolderRights& folder) {
    if (!folder.bFound || !folder.bMayChange || !entry.bExists)
        return false;
    uint32_t me = folder.user.nUser;
    if (folder.bSticky && me != 0 && me != folder.nOwner && me != entry.nOwner)
        return false;
    return folder.user.MayWrite(entry);
}
