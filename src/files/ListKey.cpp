// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/ListKey.h"

#include <limits.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>

#include "platform/PathFacts.h"

namespace {

// As many links as the system itself follows in one path.
constexpr int kMostLinks = 40;

// The target of the link at path, with a relative one taken from folder (which ends in a
// slash); "" when path is not a link.
std::string LinkTarget(const std::string& path, const std::string& folder) {
    char target[PATH_MAX];
    ssize_t length = readlink(path.c_str(), target, sizeof target);
    if (length <= 0 || static_cast<size_t>(length) >= sizeof target)
        return "";
    std::string result(target, static_cast<size_t>(length));
    return result[0] == '/' ? result : folder + result;
}

}  // namespace

std::string CanonicalListPath(const std::string& path) {
    std::string current = path;
    for (int links = 0; !current.empty() && links <= kMostLinks; ++links) {
        if (std::string whole = ResolvedPath(current); !whole.empty())
            return whole;
        size_t end = current.find_last_not_of('/');
        if (end == std::string::npos)
            return "";
        size_t slash = current.rfind('/', end);
        std::string name = current.substr(slash + 1, end - slash);
        std::string folder = slash == std::string::npos ? "." : current.substr(0, slash + 1);
        if (name == "." || name == "..")
            return "";
        std::string resolved = ResolvedPath(folder);
        if (resolved.empty())
            return "";
        if (resolved != "/")
            resolved += '/';
        // A dangling link stands for the list it will reach once that is saved.
        std::string target = LinkTarget(resolved + name, resolved);
        if (target.empty())
            return resolved + name;
        current = target;
    }
    return "";
}

std::string ListIdentityPath(const std::string& path) {
    std::string canonical = CanonicalListPath(path);
    return canonical.empty() ? AbsolutePath(path) : canonical;
}

std::string ListKey(const std::string& canonicalPath) {
    uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : canonicalPath)
        hash = (hash ^ c) * 1099511628211ull;
    char key[17];
    std::snprintf(key, sizeof key, "%016llx", static_cast<unsigned long long>(hash));
    return key;
}
