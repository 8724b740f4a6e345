// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/PathFacts.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string_view>
#include <vector>

namespace {

std::string CurrentFolder() {
    std::vector<char> buffer(PATH_MAX);
    while (getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE)
            return "/";
        buffer.resize(buffer.size() * 2);
    }
    return buffer.data();
}

// True when an absolute path has no empty, "." or ".." component and no trailing slash,
// so it already is the one spelling of its file.
bool IsNormal(std::string_view path) {
    if (path == "/")
        return true;
    size_t start = 1;
    while (start <= path.size()) {
        size_t slash = path.find('/', start);
        size_t end = slash == std::string_view::npos ? path.size() : slash;
        std::string_view part = path.substr(start, end - start);
        if (part.empty() || part == "." || part == "..")
            return false;
        start = end + 1;
    }
    return true;
}

// Drops the last component of a normal absolute path ("/a/b" -> "/a", "/a" -> "/").
void DropLastComponent(std::string& path) {
    size_t slash = path.find_last_of('/');
    path.resize(slash == 0 ? 1 : slash);
}

// Resolves ".", ".." and repeated slashes. ".." after a real folder drops that folder, so
// the rest of the spelling stays as given; ".." after a symbolic link means the parent
// of the link's target, as the kernel sees it, so that link is resolved first.
std::string Normalise(std::string_view absolute) {
    std::string result = "/";
    size_t start = 1;
    while (start <= absolute.size()) {
        size_t slash = absolute.find('/', start);
        size_t end = slash == std::string_view::npos ? absolute.size() : slash;
        std::string_view part = absolute.substr(start, end - start);
        start = end + 1;
        if (part.empty() || part == ".")
            continue;
        if (part == "..") {
            struct stat st;
            if (result != "/" && lstat(result.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
                if (std::string resolved = ResolvedPath(result); !resolved.empty())
                    result = std::move(resolved);
            }
            DropLastComponent(result);
            continue;
        }
        if (result.size() > 1)
            result += '/';
        result.append(part);
    }
    return result;
}

}  // namespace

std::string AbsolutePath(const std::string& path) {
    if (path.empty())
        return "";
    if (path[0] == '/')
        return IsNormal(path) ? path : Normalise(path);
    std::string absolute = CurrentFolder();
    if (absolute.size() > 1)
        absolute += '/';
    absolute += path;
    return IsNormal(absolute) ? absolute : Normalise(absolute);
}

bool IsRootPath(const std::string& absolutePath) {
    return absolutePath == "/";
}

SUserIds SUserIds::Current() {
    SUserIds ids;
    ids.nUser = geteuid();
    ids.groups.push_back(getegid());
    int count = getgroups(0, nullptr);
    std::vector<gid_t> groups(count > 0 ? static_cast<size_t>(count) : 0);
    if (count > 0 && getgroups(count, groups.data()) == count)
        ids.groups.insert(ids.groups.end(), groups.begin(), groups.end());
    return ids;
}

bool SUserIds::MayWrite(const SEntryFacts& facts) const {
    if (facts.bImmutable)
        return false;
    if (nUser == 0)
        return true;
    if (facts.nOwner == nUser)
        return (facts.nMode & S_IWUSR) != 0;
    bool inGroup = std::find(groups.begin(), groups.end(), facts.nGroup) != groups.end();
    return (facts.nMode & (inGroup ? S_IWGRP : S_IWOTH)) != 0;
}

bool IsReadOnlyEntry(const SEntryFacts& facts) {
    // The ids do not change while Tessel runs: asked once.
    static const SUserIds ids = SUserIds::Current();
    return facts.bExists && !ids.MayWrite(facts);
}

bool StatEntryAt(int folder, const char* path, SEntryFacts& facts, SFileId* id) {
    struct statx st;
    if (statx(
            folder, path, AT_SYMLINK_NOFOLLOW,
            STATX_TYPE | STATX_MODE | STATX_UID | STATX_GID | STATX_SIZE | STATX_MTIME | STATX_INO,
            &st) != 0)
        return false;
    if (id != nullptr) {
        id->nDevice = makedev(st.stx_dev_major, st.stx_dev_minor);
        id->nInode = st.stx_ino;
    }
    facts.bExists = true;
    facts.bIsFolder = S_ISDIR(st.stx_mode);
    facts.bImmutable = (st.stx_attributes & st.stx_attributes_mask &
                        (STATX_ATTR_IMMUTABLE | STATX_ATTR_APPEND)) != 0;
    facts.nMode = st.stx_mode;
    facts.nOwner = st.stx_uid;
    facts.nGroup = st.stx_gid;
    facts.nSize = st.stx_size;
    facts.timeModified = st.stx_mtime.tv_sec;
    return true;
}

bool IsPlainAbsolutePath(std::string_view path) {
    return path.size() > 1 && path[0] == '/' && IsNormal(path) &&
           path.find('\0') == std::string_view::npos;
}

bool QueryPath(const std::string& path, SPathFacts& facts) {
    facts = SPathFacts();
    std::string absolute = AbsolutePath(path);
    if (absolute.empty() || !StatEntryAt(AT_FDCWD, absolute.c_str(), facts))
        return false;
    facts.strName = absolute == "/" ? "/" : absolute.substr(absolute.find_last_of('/') + 1);
    facts.strPath = std::move(absolute);
    return true;
}

std::string QueryEntryFolder(const std::string& path, SPathFacts& facts) {
    if (path.find('\0') != std::string::npos) {
        facts = SPathFacts();
        return "";
    }
    if (IsPlainAbsolutePath(path)) {
        facts = SPathFacts();
        if (!StatEntryAt(AT_FDCWD, path.c_str(), facts))
            return "";
        return path.substr(0, path.find_last_of('/') + 1);
    }
    if (!QueryPath(path, facts) || IsRootPath(facts.strPath))
        return "";
    return facts.strPath.substr(0, facts.strPath.size() - facts.strName.size());
}

std::string ResolvedPath(const std::string& path) {
    char* resolved = realpath(path.c_str(), nullptr);
    if (resolved == nullptr)
        return "";
    std::string result = resolved;
    free(resolved);
    return result;
}
