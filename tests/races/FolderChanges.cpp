#include "races/FolderChanges.h"

#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>

namespace {

struct SState {
    bool bArmed = false;
    bool bInside = false;  // atMoment is running: its own calls are not counted
    int nMoments = 0;
    FolderChanges::SBehaviour behaviour;
    std::function<void(const FolderChanges::SMoment&)> atMoment;
} g_state;

bool Active() {
    return g_state.bArmed && !g_state.bInside;
}

bool Exists(int folder, const char* path) {
    struct stat st;
    return syscall(SYS_newfstatat, folder, path, &st, AT_SYMLINK_NOFOLLOW) == 0;
}

// With letter case ignored, the entry of path's folder whose name differs from path's name
// only in case stands for it; "" when there is none (or case counts, or the name exists).
std::string CaseVariant(int folder, const char* path) {
    if (!Active() || !g_state.behaviour.bIgnoreCase || Exists(folder, path))
        return "";
    std::string whole = path;
    size_t cut = whole.rfind('/') + 1;  // 0 when there is no slash
    std::string parent = cut == 0 ? "." : cut == 1 ? "/" : whole.substr(0, cut - 1);
    DIR* dir = fdopendir(openat(folder, parent.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    std::string found;
    const dirent* entry = nullptr;
    while (dir != nullptr && (entry = readdir(dir)) != nullptr)
        if (strcasecmp(entry->d_name, path + cut) == 0)
            found = whole.substr(0, cut) + entry->d_name;
    if (dir != nullptr)
        closedir(dir);
    return found;
}

// The path a lookup finds: the name itself, or with letter case ignored a variant of it.
std::string LookUp(int folder, const char* path) {
    std::string variant = CaseVariant(folder, path);
    return variant.empty() ? std::string(path) : variant;
}

void Moment(const char* call, bool before) {
    g_state.bInside = true;
    g_state.atMoment(FolderChanges::SMoment{++g_state.nMoments, before, call});
    g_state.bInside = false;
}

// Runs a call that changes a folder between its two moments; a new name that letter case
// alone makes taken fails as taken.
template <class Call>
int Changing(const char* name, int toFolder, const char* to, bool noReplace, Call call) {
    if (!Active())
        return call();
    Moment(name, true);
    int result = noReplace && !CaseVariant(toFolder, to).empty() ? (errno = EEXIST, -1) : call();
    int error = errno;
    Moment(name, false);
    errno = error;
    return result;
}

}  // namespace

namespace FolderChanges {

void Arm(const SBehaviour& behaviour, std::function<void(const SMoment&)> atMoment) {
    g_state = SState{true, false, 0, behaviour, std::move(atMoment)};
}

void Disarm() {
    g_state = SState{};
}

}  // namespace FolderChanges

extern "C" {

int fstatat(int folder, const char* path, struct stat* buf, int flags) noexcept {
    return static_cast<int>(
        syscall(SYS_newfstatat, folder, LookUp(folder, path).c_str(), buf, flags));
}

int renameat2(int fromFolder, const char* from, int toFolder, const char* to,
              unsigned int flags) noexcept {
    if (Active() && g_state.behaviour.bNoRenameFlags && flags != 0)
        return Changing("renameat2", toFolder, to, false, [] { return errno = EINVAL, -1; });
    return Changing("renameat2", toFolder, to, (flags & RENAME_NOREPLACE) != 0, [&] {
        return static_cast<int>(syscall(SYS_renameat2, fromFolder, LookUp(fromFolder, from).c_str(),
                                        toFolder, to, flags));
    });
}

int linkat(int fromFolder, const char* from, int toFolder, const char* to, int flags) noexcept {
    return Changing("linkat", toFolder, to, true, [&] {
        return static_cast<int>(
            syscall(SYS_linkat, fromFolder, LookUp(fromFolder, from).c_str(), toFolder, to, flags));
    });
}

int unlinkat(int folder, const char* path, int flags) noexcept {
    return Changing("unlinkat", folder, path, false, [&] {
        return static_cast<int>(syscall(SYS_unlinkat, folder, LookUp(folder, path).c_str(), flags));
    });
}

}  // extern "C"
