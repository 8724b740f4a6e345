// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FileRename.h"

#include "platform/FolderCache.h"
#include "platform/PathFacts.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>

namespace {

bool HasNul(const std::string& text) {
    return text.find('\0') != std::string::npos;
}

bool IsUsablePath(const std::string& path) {
    return !path.empty() && !HasNul(path);
}

std::string FolderOf(const std::string& path) {
    size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

const char* NameOf(const std::string& path) {
    size_t slash = path.find_last_of('/');
    return path.c_str() + (slash == std::string::npos ? 0 : slash + 1);
}

// A folder opened for the *at calls. The fallbacks below take several steps; holding the
// folders open keeps every step in the same folders, whatever happens to their paths.
class COpenFolder {
public:
    explicit COpenFolder(const std::string& path)
        : m_fd(open(path.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC)) {}
    ~COpenFolder() {
        if (m_fd >= 0)
            close(m_fd);
    }
    COpenFolder(const COpenFolder&) = delete;
    COpenFolder& operator=(const COpenFolder&) = delete;
    int Fd() const { return m_fd; }

private:
    int m_fd;
};

// One name in an open folder.
struct SEntry {
    int nFolder;
    const char* pszName;
};

bool StatEntry(SEntry entry, struct stat& st) {
    return fstatat(entry.nFolder, entry.pszName, &st, AT_SYMLINK_NOFOLLOW) == 0;
}

bool SameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Link under the new name (which fails when the name is taken), then unlink the old name,
// but only while it still names the file just linked: if the old name went to another
// file meanwhile, that file is left alone and the new link taken back. A name is only
// ever unlinked while its file has another name, so no file is lost either way.
bool LinkThenUnlink(SEntry from, SEntry to) {
    if (linkat(from.nFolder, from.pszName, to.nFolder, to.pszName, 0) != 0)
        return false;
    struct stat linked;
    struct stat source;
    bool sameFile = StatEntry(to, linked) && StatEntry(from, source) && SameFile(linked, source);
    if (sameFile && unlinkat(from.nFolder, from.pszName, 0) == 0)
        return true;
    int error = sameFile ? errno : EAGAIN;
    if (StatEntry(to, linked) && linked.st_nlink > 1)
        unlinkat(to.nFolder, to.pszName, 0);
    errno = error;
    return false;
}

// Moves an entry to a name that must be free, and never replaces one.
bool MoveToFreeName(SEntry from, SEntry to) {
    if (renameat2(from.nFolder, from.pszName, to.nFolder, to.pszName, RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    return LinkThenUnlink(from, to);
}

// On a file system that ignores letter case, "song.mp3" and "Song.mp3" are one directory
// entry, so the no-replace rename refuses the change as if the name were taken. Such an
// entry is moved to a free name of its own and from there to the new name, each step
// without replacing: a file that takes the new name meanwhile stays, and the entry goes
// back under its old name (or, should its old name be taken as well, stays under the free
// one).
bool RenameCaseOnly(int folder, const char* from, const char* to) {
    struct stat a;
    struct stat b;
    if (!StatEntry({folder, from}, a) || !StatEntry({folder, to}, b) || !SameFile(a, b) ||
        a.st_nlink != 1) {
        errno = EEXIST;
        return false;
    }
    // A name that no one else picks by accident; a taken one is simply skipped.
    static std::atomic<unsigned> s_nCount{0};
    char hidden[48];
    for (int attempt = 0;; ++attempt) {
        std::snprintf(hidden, sizeof hidden, ".tessel-%ld-%u", static_cast<long>(getpid()),
                      s_nCount.fetch_add(1));
        if (MoveToFreeName({folder, from}, {folder, hidden}))
            break;
        if (errno != EEXIST || attempt == 8)
            return false;
    }
    if (MoveToFreeName({folder, hidden}, {folder, to}))
        return true;
    int error = errno;
    MoveToFreeName({folder, hidden}, {folder, from});
    errno = error;
    return false;
}

// Both names relative to the folder of the first, when the second is a name in that same
// folder; otherwise both whole paths. A path the cache gives back whole makes the same
// call either way.
int RenameNoReplace(const std::string& from, const std::string& to, CFolderCache* folders) {
    if (folders != nullptr) {
        CFolderCache::SPlace place = folders->Locate(from);
        size_t nameStart = static_cast<size_t>(place.pszName - from.c_str());
        if (to.size() > nameStart && to.compare(0, nameStart, from, 0, nameStart) == 0 &&
            to.find('/', nameStart) == std::string::npos)
            return renameat2(place.nFolder, place.pszName, place.nFolder, to.c_str() + nameStart,
                             RENAME_NOREPLACE);
    }
    return renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE);
}

int Exchange(const std::string& first, const std::string& second, CFolderCache* folders) {
    if (!IsUsablePath(first) || !IsUsablePath(second)) {
        errno = EINVAL;
        return -1;
    }
    if (folders != nullptr) {
        CFolderCache::SPlace place = folders->Locate(first);
        size_t nameStart = static_cast<size_t>(place.pszName - first.c_str());
        if (second.size() > nameStart && second.compare(0, nameStart, first, 0, nameStart) == 0 &&
            second.find('/', nameStart) == std::string::npos)
            return renameat2(place.nFolder, place.pszName, place.nFolder,
                             second.c_str() + nameStart, RENAME_EXCHANGE);
    }
    return renameat2(AT_FDCWD, first.c_str(), AT_FDCWD, second.c_str(), RENAME_EXCHANGE);
}

bool RenameWithFallbacks(const std::string& from, const std::string& to, CFolderCache* folders) {
    if (!IsUsablePath(from) || !IsUsablePath(to)) {
        errno = EINVAL;
        return false;
    }
    if (RenameNoReplace(from, to, folders) == 0)
        return true;
    int error = errno;
    if (error != EINVAL && error != ENOSYS && error != EEXIST)
        return false;
    std::string fromFolder = FolderOf(from);
    std::string toFolder = FolderOf(to);
    COpenFolder source(fromFolder);
    COpenFolder target(toFolder);
    SEntry fromEntry{source.Fd(), NameOf(from)};
    SEntry toEntry{target.Fd(), NameOf(to)};
    if (source.Fd() < 0 || target.Fd() < 0 || *fromEntry.pszName == '\0' ||
        *toEntry.pszName == '\0') {
        errno = error;
        return false;
    }
    if (error != EEXIST) {
        if (LinkThenUnlink(fromEntry, toEntry))
            return true;
        if (errno != EEXIST)
            return false;
    }
    if (fromFolder != toFolder || std::strcmp(fromEntry.pszName, toEntry.pszName) == 0) {
        errno = EEXIST;
        return false;
    }
    return RenameCaseOnly(source.Fd(), fromEntry.pszName, toEntry.pszName);
}

}  // namespace

bool ExchangeFiles(const std::string& first, const std::string& second) {
    return Exchange(first, second, nullptr) == 0;
}

bool ExchangeFiles(const std::string& first, const std::string& second, CFolderCache& folders) {
    return Exchange(first, second, &folders) == 0;
}

bool RenameByLink(const std::string& from, const std::string& to) {
    if (!IsUsablePath(from) || !IsUsablePath(to)) {
        errno = EINVAL;
        return false;
    }
    COpenFolder source(FolderOf(from));
    COpenFolder target(FolderOf(to));
    if (source.Fd() < 0 || target.Fd() < 0)
        return false;
    return LinkThenUnlink({source.Fd(), NameOf(from)}, {target.Fd(), NameOf(to)});
}

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

bool MayRenameEntry(const SEntryFacts& entry, const SFolderRights& folder) {
    if (!folder.bFound || !folder.bMayChange || !entry.bExists)
        return false;
    uint32_t me = folder.user.nUser;
    if (folder.bSticky && me != 0 && me != folder.nOwner && me != entry.nOwner)
        return false;
    return folder.user.MayWrite(entry);
}
