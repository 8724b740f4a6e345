#include "races/FolderChanges.h"

#include <dirent.h>
#include <fcntl.h>
#include <stdio.h>
#include <strings.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

struct SState {
    bool bArmed = false;
    bool bInside = false;  // atMoment is running: its own calls are not counted
    int nMoments = 0;
    FolderChanges::SBehaviour behaviour;
    std::function<void(const FolderChanges::SMoment&)> atMoment;
};

SState& State() {
    static SState state;
    return state;
}

bool Active() {
    return State().bArmed && !State().bInside;
}

int RawStat(int folder, const char* path, struct stat* buf, int flags) {
    return static_cast<int>(syscall(SYS_newfstatat, folder, path, buf, flags));
}

bool Exists(int folder, const char* path) {
    struct stat st;
    return RawStat(folder, path, &st, AT_SYMLINK_NOFOLLOW) == 0;
}

// The entry of path's folder whose name differs from path's name only in letter case, as
// the same path; "" when there is none.
std::string CaseVariant(int folder, const char* path) {
    std::string whole = path;
    size_t slash = whole.rfind('/');
    std::string parent = slash == std::string::npos ? "." : whole.substr(0, slash == 0 ? 1 : slash);
    std::string name = slash == std::string::npos ? whole : whole.substr(slash + 1);
    int fd = openat(folder, parent.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return "";
    DIR* dir = fdopendir(fd);
    if (dir == nullptr) {
        close(fd);
        return "";
    }
    std::string found;
    while (const dirent* entry = readdir(dir))
        if (strcasecmp(entry->d_name, name.c_str()) == 0 && name != entry->d_name)
            found = whole.substr(0, slash == std::string::npos ? 0 : slash + 1) + entry->d_name;
    closedir(dir);
    return found;
}

// The path a lookup finds: the name itself, or with letter case ignored a variant of it.
std::string LookUp(int folder, const char* path) {
    if (!Active() || !State().behaviour.bIgnoreCase || Exists(folder, path))
        return path;
    std::string variant = CaseVariant(folder, path);
    return variant.empty() ? std::string(path) : variant;
}

// A new name that letter case alone makes taken.
bool TakenIgnoringCase(int folder, const char* path) {
    return Active() && State().behaviour.bIgnoreCase && !Exists(folder, path) &&
           !CaseVariant(folder, path).empty();
}

void Moment(const char* call, bool before) {
    SState& state = State();
    FolderChanges::SMoment moment{++state.nMoments, before, call};
    state.bInside = true;
    state.atMoment(moment);
    state.bInside = false;
}

template <class Call>
int Changing(const char* name, Call call) {
    if (!Active())
        return call();
    Moment(name, true);
    int result = call();
    int error = errno;
    Moment(name, false);
    errno = error;
    return result;
}

int Fail(int error) {
    errno = error;
    return -1;
}

}  // namespace

namespace FolderChanges {

void Arm(const SBehaviour& behaviour, std::function<void(const SMoment&)> atMoment) {
    SState& state = State();
    state.behaviour = behaviour;
    state.atMoment = std::move(atMoment);
    state.nMoments = 0;
    state.bArmed = true;
}

void Disarm() {
    State().bArmed = false;
    State().atMoment = nullptr;
}

}  // namespace FolderChanges

extern "C" {

int fstatat(int folder, const char* path, struct stat* buf, int flags) noexcept {
    return RawStat(folder, LookUp(folder, path).c_str(), buf, flags);
}

int lstat(const char* path, struct stat* buf) noexcept {
    return fstatat(AT_FDCWD, path, buf, AT_SYMLINK_NOFOLLOW);
}

int renameat2(int fromFolder, const char* from, int toFolder, const char* to,
              unsigned int flags) noexcept {
    return Changing("renameat2", [&] {
        if (Active() && State().behaviour.bNoRenameFlags && flags != 0)
            return Fail(EINVAL);
        if ((flags & RENAME_NOREPLACE) != 0 && TakenIgnoringCase(toFolder, to))
            return Fail(EEXIST);
        std::string source = LookUp(fromFolder, from);
        return static_cast<int>(
            syscall(SYS_renameat2, fromFolder, source.c_str(), toFolder, to, flags));
    });
}

int renameat(int fromFolder, const char* from, int toFolder, const char* to) noexcept {
    return renameat2(fromFolder, from, toFolder, to, 0);
}

int rename(const char* from, const char* to) noexcept {
    return renameat2(AT_FDCWD, from, AT_FDCWD, to, 0);
}

int linkat(int fromFolder, const char* from, int toFolder, const char* to, int flags) noexcept {
    return Changing("linkat", [&] {
        if (TakenIgnoringCase(toFolder, to))
            return Fail(EEXIST);
        std::string source = LookUp(fromFolder, from);
        return static_cast<int>(
            syscall(SYS_linkat, fromFolder, source.c_str(), toFolder, to, flags));
    });
}

int link(const char* from, const char* to) noexcept {
    return linkat(AT_FDCWD, from, AT_FDCWD, to, 0);
}

int unlinkat(int folder, const char* path, int flags) noexcept {
    return Changing("unlinkat", [&] {
        std::string entry = LookUp(folder, path);
        return static_cast<int>(syscall(SYS_unlinkat, folder, entry.c_str(), flags));
    });
}

int unlink(const char* path) noexcept {
    return unlinkat(AT_FDCWD, path, 0);
}

}  // extern "C"
