// SPDX-License-Identifier: GPL-3.0-or-later
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/EntryProber.h"
#include "platform/FileRename.h"
#include "platform/FolderCache.h"
#include "platform/NameRules.h"
#include "platform/PathFacts.h"
#include "platform/WriteAccess.h"
#include "platform/WriteAll.h"
#include "support/OtherUser.h"
#include "support/ReadOnlyFile.h"
#include "support/TempDir.h"

namespace {

// A taken name (even an empty folder, which a plain rename of a folder replaces), the file
// itself, a name cut at a NUL byte and a name too long all fail and touch nothing. The
// fallback by link and unlink keeps the same rule, and takes no folder (that it moves a
// file is shown where renames race).
TEST(RenameFileTest, NeverReplacesAnExistingNameNorPassesABadOne) {
    CTempDir dir;
    std::string from = dir.WriteFile("a.txt", "alpha");
    std::string taken = dir.WriteFile("b.txt", "beta");
    dir.WriteFile("f/inside.txt", "in");
    std::pair<std::string, std::string> refused[] = {
        {from, taken},
        {dir / "f", dir.MakeFolder("g")},
        {from, from},
        {from, dir / std::string("b\0.txt", 6)},
        {from + std::string(1, '\0') + "x", dir / "c.txt"},
        {from, dir / std::string(256, 'n')}};
    for (const auto& [source, target] : refused)
        EXPECT_FALSE(RenameFile(source, target)) << target;
    EXPECT_FALSE(PathExists(dir / "b") || PathExists(dir / "c.txt"));
    EXPECT_TRUE(RenameFile(dir / "f", dir / "h"));
    EXPECT_EQ(ReadFileBytes(dir / "h/inside.txt"), "in");

    EXPECT_FALSE(RenameByLink(from, taken) || RenameByLink(dir / "h", dir / "i") ||
                 RenameByLink(from + std::string(1, '\0') + "x", dir / "j") ||
                 RenameByLink(from, dir / "none/j"));
    EXPECT_FALSE(PathExists(dir / "j"));
    EXPECT_EQ(std::tuple(ReadFileBytes(taken), ReadFileBytes(from)), std::tuple("beta", "alpha"));
    EXPECT_TRUE(PathExists(dir / "h") && !PathExists(dir / "i"));
}

// Only a FUSE file system is judged by its type in the mount table; for any other the
// number decides, whatever the table would say.
TEST(NameRulesTest, OnlyAFuseFileSystemIsJudgedByItsMountType) {
    constexpr unsigned long kFuse = 0x65735546, kFat = 0x4d44, kExt4 = 0xEF53;
    std::tuple<unsigned long, const char*, bool> cases[] = {{kFuse, "fuse.ntfs-3g", true},
                                                            {kFuse, "fuse.sshfs", false},
                                                            {kFat, "ext4", true},
                                                            {kExt4, "vfat", false}};
    for (auto [magic, type, refuses] : cases)
        EXPECT_EQ(MagicRefusesReservedChars(magic, [type] { return std::string(type); }), refuses)
            << type;
}

bool MayRename(const std::string& path) {
    SPathFacts facts;
    QueryPath(path, facts);
    return MayRenameEntry(facts, QueryFolderRights(path.substr(0, path.find_last_of('/') + 1)));
}

// A file that refuses writes may not be renamed, even by root, who passes permission bits
// but not the immutable attribute; a sticky folder lets only owners rename.
TEST(RenameRightsTest, StickyFoldersAndFilesThatRefuseWritesForbidRenaming) {
    CTempDir dir;
    chmod(dir.Path().c_str(), 0755);  // lets an unprivileged user reach the contents
    std::string file = dir.WriteFile("frozen.txt");
    {
        CReadOnlyFile frozen;
        EXPECT_EQ(MayRename(file), !frozen.Protect(file));
    }
    EXPECT_TRUE(MayRename(file));
    if (geteuid() != 0)
        GTEST_SKIP() << "needs root to own files as two users";
    std::string shared = dir.MakeFolder("shared");
    chmod(shared.c_str(), 01777);
    std::string rootsFile = dir.WriteFile("shared/root.txt");
    chmod(rootsFile.c_str(), 0666);
    EXPECT_TRUE(MayRename(rootsFile));
    COtherUser user;
    ASSERT_TRUE(user.Switched());
    EXPECT_TRUE(!MayRename(rootsFile) && MayRename(dir.WriteFile("shared/own.txt")));
}

// Paths without a folder that opens are reached whole, and write access asked through the
// cache gets the answers of whole paths. With a zero byte the system would stop there and
// answer for another file.
TEST(FolderCacheTest, PathsWithoutAnOpenableFolderAreReachedWholeAndAnswerAsWholePaths) {
    CTempDir dir;
    std::string file = dir.WriteFile("file.mp3", "x");
    CFolderCache folders;
    for (const std::string& path :
         {std::string("relative.mp3"), dir.Path() + "/", dir / "missing/x.mp3", file + "/x.mp3"}) {
        CFolderCache::SPlace place = folders.Locate(path);
        EXPECT_EQ(place.nFolder, AT_FDCWD) << path;
        EXPECT_EQ(place.pszName, path.c_str()) << path;
    }
    const std::string etc = "/etc";
    EXPECT_NE(folders.Locate(etc).nFolder, AT_FDCWD);
    EXPECT_STREQ(folders.Locate(etc).pszName, "etc");

    std::string locked = dir.WriteFile("r.mp3", "r");
    ASSERT_EQ(symlink("loop", (dir / "loop").c_str()), 0);
    CReadOnlyFile readOnly;
    bool isProtected = readOnly.Protect(locked);
    for (CFolderCache* cache : {static_cast<CFolderCache*>(nullptr), &folders}) {
        EXPECT_EQ(QueryWriteAccess(file, cache), EWriteAccess::Writable);
        EXPECT_EQ(QueryWriteAccess(locked, cache),
                  isProtected ? EWriteAccess::ReadOnly : EWriteAccess::Writable);
        for (const std::string& path :
             {dir / "none/x.mp3", file + "/x", dir / "loop/x", dir / std::string(300, 'n'),
              file + std::string(1, '\0') + "x"})
            EXPECT_EQ(QueryWriteAccess(path, cache), EWriteAccess::NotFound) << path;
    }
}

// The prober keeps the last folder open; it must answer like a fresh probe whatever the
// order of folders, for paths that are not plain too.
TEST(EntryProberTest, AnswersLikeAFreshProbeWhateverTheOrderOfFolders) {
    CTempDir dir;
    std::string a = dir.WriteFile("a/song.mp3", "12345");
    std::string b = dir.WriteFile("b/song.mp3");
    dir.MakeFolder("a/sub");
    ASSERT_EQ(symlink((dir / "b").c_str(), (dir / "link").c_str()), 0);
    std::pair<std::string, std::string> cases[] = {
        {a, dir / "a/"},
        {b, dir / "b/"},
        {dir / "link/song.mp3", dir / "link/"},
        {dir / "a/sub/../song.mp3", dir / "a/"},
        {dir / "a/song.mp3/", dir / "a/"},  // spelled as a folder, resolved as the file
        {std::string(a).append(1, '\0'), ""},
        {dir / "gone/song.mp3", ""}};
    CEntryProber prober;
    for (const auto& [path, folder] : cases) {
        SPathFacts facts, fresh;
        const std::string* found = prober.Probe(path, facts);
        EXPECT_EQ(found ? *found : "", folder) << path;
        EXPECT_EQ(facts.bExists, !QueryEntryFolder(path, fresh).empty()) << path;
    }
    SPathFacts facts;
    EXPECT_EQ(prober.Probe(a, facts) ? facts.nSize : 0u, 5u);
}

// A write the system refuses for good fails at once; only an interrupted one is tried again.
// The alarm ends the test rather than let a retried refusal spin for ever.
TEST(WriteAllTest, ARefusedWriteFailsAtOnce) {
    CTempDir dir;
    int fd = open(dir.WriteFile("f").c_str(), O_RDONLY | O_CLOEXEC);
    alarm(10);
    EXPECT_FALSE(WriteAll(fd, "bytes"));
    EXPECT_EQ(errno, EBADF);
    alarm(0);
    close(fd);
}

}  // namespace
