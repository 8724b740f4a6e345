#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/FileRename.h"
#include "platform/PathFacts.h"
#include "support/OtherUser.h"
#include "support/ReadOnlyFile.h"
#include "support/TempDir.h"

namespace {

// Each name goes to the file system byte for byte and back, folders too; a taken name
// (even an empty folder, which a plain rename of a folder replaces), the file itself, a
// name cut at a NUL byte and a name too long all fail and touch nothing.
TEST(RenameFileTest, MovesByteForByteButNeverReplacesAnExistingNameNorPassesABadOne) {
    CTempDir dir;
    std::string from = dir.WriteFile("a.txt", "alpha");
    for (const std::string& name : {std::string(255, 'n'), std::string("caf\351 \377\376.mp3"),
                                    std::string("two\nlines.txt"), std::string("-rf")}) {
        ASSERT_TRUE(RenameFile(from, dir / name)) << name;
        EXPECT_EQ(ReadFileBytes(dir / name), "alpha");
        ASSERT_TRUE(RenameFile(dir / name, from)) << name;
        EXPECT_FALSE(PathExists(dir / name));
    }
    std::string taken = dir.WriteFile("b.txt", "beta");
    std::string folder = dir.WriteFile("f/inside.txt", "in");
    std::string empty = dir.MakeFolder("g");
    std::pair<std::string, std::string> refused[] = {
        {from, taken},
        {dir / "f", empty},
        {from, from},
        {from, dir / std::string("b\0.txt", 6)},
        {from + std::string(1, '\0') + "x", dir / "c.txt"},
        {from, dir / std::string(256, 'n')}};
    for (const auto& [source, target] : refused)
        EXPECT_FALSE(RenameFile(source, target)) << target;
    EXPECT_EQ(ReadFileBytes(from), "alpha");
    EXPECT_EQ(ReadFileBytes(taken), "beta");
    EXPECT_FALSE(PathExists(dir / "b"));
    EXPECT_FALSE(PathExists(dir / "c.txt"));
    EXPECT_TRUE(RenameFile(dir / "f", dir / "h"));
    EXPECT_EQ(ReadFileBytes(dir / "h/inside.txt"), "in");

    // The fallback by link and unlink keeps the same rule, and takes no folder.
    EXPECT_FALSE(RenameByLink(from, taken));
    EXPECT_FALSE(RenameByLink(dir / "h", dir / "i"));
    EXPECT_TRUE(RenameByLink(from, dir / "c.txt"));
    EXPECT_EQ(ReadFileBytes(taken), "beta");
    EXPECT_EQ(ReadFileBytes(dir / "c.txt"), "alpha");
    EXPECT_FALSE(PathExists(from));
    EXPECT_TRUE(PathExists(dir / "h"));
}

bool MayRename(const std::string& path) {
    SPathFacts facts;
    QueryPath(path, facts);
    return MayRenameEntry(facts, QueryFolderRights(path.substr(0, path.find_last_of('/') + 1)));
}

// A sticky folder lets only owners rename (root may rename anything), and a file that
// refuses writes may not be renamed, even by root, who passes permission bits but not the
// immutable attribute.
TEST(RenameRightsTest, StickyFoldersAndFilesThatRefuseWritesForbidRenaming) {
    CTempDir dir;
    chmod(dir.Path().c_str(), 0755);  // lets an unprivileged user reach the contents
    std::string file = dir.WriteFile("frozen.txt");
    EXPECT_TRUE(MayRename(file));
    {
        CReadOnlyFile frozen;
        if (frozen.Protect(file)) {
            EXPECT_FALSE(MayRename(file));
        }
    }
    if (geteuid() != 0)
        GTEST_SKIP() << "needs root to own files as two users";
    EXPECT_TRUE(MayRename(file));
    std::string shared = dir.MakeFolder("shared");
    chmod(shared.c_str(), 01777);
    std::string rootsFile = dir.WriteFile("shared/root.txt");
    chmod(rootsFile.c_str(), 0666);
    EXPECT_TRUE(MayRename(rootsFile));
    COtherUser user;
    ASSERT_TRUE(user.Switched());
    std::string ownFile = dir.WriteFile("shared/own.txt");
    EXPECT_FALSE(MayRename(rootsFile));
    EXPECT_TRUE(MayRename(ownFile));
}

}  // namespace
