// SPDX-License-Identifier: GPL-3.0-or-later
// This test program stands in for the system calls that look up, link, rename and unlink
// folder entries. A test can then change a folder at a chosen moment in the middle of a
// rename, and can make folders behave as on a file system that ignores letter case or
// that refuses every rename flag. Unarmed, each call goes straight to the kernel.
#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <strings.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>

#include "platform/FileRename.h"
#include "support/TempDir.h"

namespace {

struct SState {
    // A name that is not in its folder finds an entry whose name differs only in ASCII
    // letter case, and a link or a no-replace rename onto such a name fails with EEXIST.
    bool bIgnoreCase = false;
    // renameat2 with any flag fails with EINVAL.
    bool bNoRenameFlags = false;
    // Called at each moment a test may step in, just before and just after a call that
    // changes a folder (link, rename or unlink in any of their forms), counted from 1.
    std::function<void(int index, bool before, const std::string& call)> atMoment;
    int nMoments = 0;
    bool bInside = false;  // atMoment is running: its own calls are not counted
} g_state;

bool Active() {
    return g_state.atMoment && !g_state.bInside;
}

// Creates a file that must not exist yet; false when the name is taken.
bool CreateNew(const std::string& path) {
    FILE* file = std::fopen(path.c_str(), "wx");
    return file != nullptr && std::fputs("intruder", file) >= 0 && std::fclose(file) == 0;
}

// The path a lookup finds: the name itself, or with letter case ignored (and the name not
// there) the entry of its folder whose name differs from it only in case, if any.
std::string LookUp(int folder, const char* path) {
    std::string whole = path, found = path;
    if (!Active() || !g_state.bIgnoreCase ||
        faccessat(folder, path, F_OK, AT_SYMLINK_NOFOLLOW) == 0)
        return found;
    size_t cut = whole.rfind('/') + 1;  // 0 when there is no slash
    std::string parent = cut == 0 ? "." : cut == 1 ? "/" : whole.substr(0, cut - 1);
    DIR* dir = fdopendir(openat(folder, parent.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    for (const dirent* entry; dir != nullptr && (entry = readdir(dir)) != nullptr;)
        if (strcasecmp(entry->d_name, path + cut) == 0)
            found = whole.substr(0, cut) + entry->d_name;
    if (dir != nullptr)
        closedir(dir);
    return found;
}

// Runs a call that changes a folder between its two moments; a new name that letter case
// alone makes taken fails as taken.
template <class Call>
int Changing(const char* name, int toFolder, const char* to, bool noReplace, Call call) {
    if (!Active())
        return call();
    auto moment = [name](bool before) {
        g_state.bInside = true;
        g_state.atMoment(++g_state.nMoments, before, name);
        g_state.bInside = false;
    };
    moment(true);
    int result = noReplace && LookUp(toFolder, to) != to ? (errno = EEXIST, -1) : call();
    int error = errno;
    moment(false);
    errno = error;
    return result;
}

}  // namespace

extern "C" {

int fstatat(int folder, const char* path, struct stat* buf, int flags) noexcept {
    return static_cast<int>(
        syscall(SYS_newfstatat, folder, LookUp(folder, path).c_str(), buf, flags));
}

int renameat2(int fromFolder, const char* from, int toFolder, const char* to,
              unsigned int flags) noexcept {
    if (Active() && g_state.bNoRenameFlags && flags != 0)
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

namespace {

// Another process steps in at each moment of a rename in turn (more moments than any
// rename here passes through). On a file system that ignores letter case, a case-only
// change moves the one entry through a free name of its own: a file that appears under
// the new name is never replaced. Where the file system takes no rename flags, the file
// is linked under its new name and the old name unlinked: a file given the old name
// meanwhile is never unlinked. Either way every file ends under exactly one name. The
// moment between the last look at the old name and its unlink cannot be closed without
// a no-replace rename, so it is the one moment left out.
TEST(RenameRaceTest, AFileThatAppearsMidRenameIsNeitherReplacedNorUnlinked) {
    for (auto [caseOnly, noFlags] :
         {std::pair{true, false}, std::pair{true, true}, std::pair{false, true}}) {
        for (int at = 1; at <= 12; ++at) {
            SCOPED_TRACE(std::string(caseOnly ? "case only" : "by link") +
                         (noFlags ? ", no flags" : "") + ", at moment " + std::to_string(at));
            CTempDir dir;
            std::string from = dir.WriteFile("a.txt", "alpha");
            std::string to = dir / (caseOnly ? "A.txt" : "b.txt");
            bool placed = false, skipped = false;
            g_state = SState{
                caseOnly, noFlags, [&](int index, bool before, const std::string& call) {
                    if (index != at)
                        return;
                    if (!caseOnly && before && call == "unlinkat")
                        skipped = true;
                    else if (caseOnly || std::rename(from.c_str(), (dir / "moved").c_str()) == 0)
                        placed = CreateNew(caseOnly ? to : from);
                }};
            bool renamed = RenameFile(from, to);
            g_state = SState{};
            if (skipped)
                continue;
            std::multiset<std::string> contents;
            for (const auto& entry : std::filesystem::directory_iterator(dir.Path()))
                contents.insert(ReadFileBytes(entry.path().string()));
            EXPECT_EQ(contents, (placed ? std::multiset<std::string>{"alpha", "intruder"}
                                        : std::multiset<std::string>{"alpha"}));
            EXPECT_EQ(PathExists(to), renamed || (caseOnly && placed));
            EXPECT_TRUE(renamed || placed);  // undisturbed, the file is renamed
            if (caseOnly) {
                EXPECT_EQ(ReadFileBytes(to) + (renamed ? " renamed" : ""),
                          placed ? "intruder" : "alpha renamed");
            }
        }
    }
}

// Where the file system takes no rename flags, the fallback opens both folders again: one
// of them moved away meanwhile fails the rename with the error of the refused rename.
TEST(RenameRaceTest, AFolderMovedAwayBeforeTheFallbackFailsWithTheFirstError) {
    for (std::string moved : {"from", "to"}) {
        CTempDir dir;
        dir.MakeFolder("to");
        dir.WriteFile("from/a.txt");
        g_state = SState{false, true, [&](int, bool before, const std::string& call) {
                             if (!before && call == "renameat2")
                                 std::rename((dir / moved).c_str(), (dir / "away").c_str());
                         }};
        bool renamed = RenameFile(dir / "from/a.txt", dir / "to/b.txt");
        int error = errno;
        g_state = SState{};
        EXPECT_TRUE(!renamed && error == EINVAL) << moved << " moved: " << std::strerror(error);
    }
}

}  // namespace
