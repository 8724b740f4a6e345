#include "platform/PathFacts.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

// "a/./b//c" -> components; ".." pops. Lexical: used only when no ".." follows a symlink
// question (see AbsolutePath).
std::string NormaliseLexically(const std::string& absolute) {
    std::vector<std::string_view> parts;
    std::string_view rest(absolute);
    while (!rest.empty()) {
        size_t slash = rest.find('/');
        std::string_view part = rest.substr(0, slash);
        rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
        if (part.empty() || part == ".")
            continue;
        if (part == "..") {
            if (!parts.empty())
                parts.pop_back();
            continue;
        }
        parts.push_back(part);
    }
    std::string result;
    for (std::string_view part : parts) {
        result += '/';
        result += part;
    }
    return result.empty() ? "/" : result;
}

bool HasDotDot(const std::string& path) {
    size_t pos = 0;
    while ((pos = path.find("..", pos)) != std::string::npos) {
        bool startsPart = pos == 0 || path[pos - 1] == '/';
        bool endsPart = pos + 2 == path.size() || path[pos + 2] == '/';
        if (startsPart && endsPart)
            return true;
        pos += 2;
    }
    return false;
}

bool IsWritableByMe(const std::string& path, const struct stat& st) {
    uid_t uid = geteuid();
    // The superuser passes the permission bits; only an immutable file or a read-only
    // file system refuses it a write.
    if (uid == 0)
        return faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0 ||
               (errno != EPERM && errno != EROFS);
    if (st.st_uid == uid)
        return st.st_mode & S_IWUSR;
    if (st.st_gid == getegid())
        return st.st_mode & S_IWGRP;
    return st.st_mode & S_IWOTH;
}

}  // namespace

std::string AbsolutePath(const std::string& path) {
    if (path.empty())
        return "";
    std::string absolute = path[0] == '/' ? path : CurrentFolder() + "/" + path;
    if (!HasDotDot(absolute))
        return NormaliseLexically(absolute);
    // ".." after a symbolic link means the link target's parent, as the kernel sees it:
    // let realpath answer for everything up to the last component.
    std::string lexical = NormaliseLexically(absolute);
    size_t lastSlash = absolute.find_last_of('/');
    std::string last = absolute.substr(lastSlash + 1);
    std::string folder = last == "." || last == ".." || last.empty()
                             ? absolute
                             : absolute.substr(0, lastSlash == 0 ? 1 : lastSlash);
    char* resolved = realpath(folder.c_str(), nullptr);
    if (resolved == nullptr)
        return lexical;
    std::string result = resolved;
    free(resolved);
    if (folder != absolute)
        result = (result == "/" ? "" : result) + "/" + last;
    return result;
}

bool IsRootPath(const std::string& absolutePath) {
    return absolutePath == "/";
}

bool QueryPath(const std::string& path, SPathFacts& facts) {
    facts = SPathFacts();
    std::string absolute = AbsolutePath(path);
    if (absolute.empty())
        return false;
    struct stat st;
    if (lstat(absolute.c_str(), &st) != 0)
        return false;
    facts.bExists = true;
    facts.bIsFolder = S_ISDIR(st.st_mode);
    facts.bReadOnly = !IsWritableByMe(absolute, st);
    facts.strPath = absolute;
    facts.strName = absolute == "/" ? "/" : absolute.substr(absolute.find_last_of('/') + 1);
    facts.nSize = static_cast<uint64_t>(st.st_size);
    facts.timeModified = st.st_mtim.tv_sec;
    return true;
}
