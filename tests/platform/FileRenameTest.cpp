#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/FileRename.h"
#include "platform/FolderCache.h"
#include "platform/PathFacts.h"
#include "support/OtherUser.h"
#include "support/ReadOnlyFile.h"
#include "support/TempDir.h"

namespace {

class RenameToFreeNameTest : public ::testing::TestWithParam<std::string> {};

// Each name goes to the file system byte for byte, and back.
TEST_P(RenameToFreeNameTest, MovesTheFileKeepingItsBytes) {
    CTempDir dir;
    std::string from = dir.WriteFile("a", "bytes");
    ASSERT_TRUE(RenameFile(from, dir / GetParam()));
    EXPECT_FALSE(PathExists(from));
    EXPECT_EQ(ReadFileBytes(dir / GetParam()), "bytes");
    ASSERT_TRUE(RenameFile(dir / GetParam(), from));
    EXPECT_EQ(ReadFileBytes(from), "bytes");
    dir.WriteFile("f/inside.txt", "in");  // folders too
    EXPECT_TRUE(RenameFile(dir / "f", dir / GetParam()));
    EXPECT_EQ(ReadFileBytes(dir / GetParam() + "/inside.txt"), "in");
}

INSTANTIATE_TEST_SUITE_P(Names, RenameToFreeNameTest,
                         ::testing::Values(std::string("b.txt"), std::string("A"),
                                           std::string(255, 'n'),
                                           std::string("caf\351 \377\376.mp3"),
                                           std::string("two\nlines.txt"), std::string("-rf"),
                                           std::string("--help.txt")));

// A taken name (even an empty folder, which a plain rename of a folder replaces), the
// file itself, a name cut at a NUL byte and a name too long all fail and touch nothing.
TEST(RenameFileTest, NeverReplacesAnExistingNameNorPassesABadOne) {
    CTempDir dir;
    std::string from = dir.WriteFile("a.txt", "alpha");
    std::string taken = dir.WriteFile("b.txt", "beta");
    std::string folder = dir.MakeFolder("f");
    std::string empty = dir.MakeFolder("g");
    std::pair<std::string, std::string> refused[] = {
        {from, taken},
        {folder, empty},
        {from, from},
        {from, dir / std::string("b\0.txt", 6)},
        {from + std::string(1, '\0') + "x", dir / "c.txt"},
        {from, dir / std::string(256, 'n')}};
    for (const auto& [source, target] : refused)
        EXPECT_FALSE(RenameFile(source, target)) << target;
    EXPECT_EQ(ReadFileBytes(from), "alpha");
    EXPECT_EQ(ReadFileBytes(taken), "beta");
    EXPECT_TRUE(PathExists(folder));
    EXPECT_FALSE(PathExists(dir / "b"));
    EXPECT_FALSE(PathExists(dir / "c.txt"));
}

TEST(RenameByLinkTest, RenamesFilesButNeverOntoATakenNameNorAFolder) {
    CTempDir dir;
    std::string from = dir.WriteFile("a.txt", "alpha");
    std::string taken = dir.WriteFile("b.txt", "beta");
    EXPECT_FALSE(RenameByLink(from, taken));
    EXPECT_EQ(ReadFileBytes(from), "alpha");
    EXPECT_EQ(ReadFileBytes(taken), "beta");
    EXPECT_TRUE(RenameByLink(from, dir / "c.txt"));
    EXPECT_FALSE(PathExists(from));
    EXPECT_EQ(ReadFileBytes(dir / "c.txt"), "alpha");
    std::string folder = dir.MakeFolder("f");
    EXPECT_FALSE(RenameByLink(folder, dir / "g"));
    EXPECT_TRUE(PathExists(folder));
}

class RenameRightsTest : public ::testing::Test {
protected:
    // Lets an unprivileged user reach the folder's contents.
    RenameRightsTest() { chmod(dir.Path().c_str(), 0755); }

    bool MayRename(const std::string& path) {
        std::string folder = path.substr(0, path.find_last_of('/') + 1);
        SPathFacts facts;
        QueryPath(path, facts);
        return MayRenameEntry(facts, QueryFolderRights(folder));
    }

    CTempDir dir;
};

TEST_F(RenameRightsTest, AWritableFileInAWritableFolderMayBeRenamed) {
    std::string file = dir.WriteFile("a.txt");
    EXPECT_TRUE(MayRename(file));
    EXPECT_EQ(QueryFolderRights(dir.Path()).nNameMax, 255);
    EXPECT_FALSE(QueryFolderRights(dir / "missing").bFound);
    EXPECT_FALSE(MayRename(dir / "missing/a.txt"));
}

TEST_F(RenameRightsTest, AFolderOrAFileThatIsNotWritableForbidsRenaming) {
    std::string inLocked = dir.WriteFile("locked/a.txt");
    chmod(inLocked.c_str(), 0666);
    chmod((dir / "locked").c_str(), 0555);
    std::string readOnly = dir.WriteFile("open/a.txt");
    chmod((dir / "open").c_str(), 0777);
    chmod(readOnly.c_str(), 0444);
    COtherUser user;
    ASSERT_TRUE(user.Active());
    EXPECT_FALSE(MayRename(inLocked));
    EXPECT_FALSE(MayRename(readOnly));
}

TEST_F(RenameRightsTest, AStickyFolderLetsOnlyOwnersRename) {
    if (geteuid() != 0)
        GTEST_SKIP() << "needs root to own files as two users";
    std::string shared = dir.MakeFolder("shared");
    chmod(shared.c_str(), 01777);
    std::string rootsFile = dir.WriteFile("shared/root.txt");
    chmod(rootsFile.c_str(), 0666);
    EXPECT_TRUE(MayRename(rootsFile));  // root may rename anything
    COtherUser user;
    ASSERT_TRUE(user.Switched());
    std::string ownFile = dir.WriteFile("shared/own.txt");
    EXPECT_FALSE(MayRename(rootsFile));
    EXPECT_TRUE(MayRename(ownFile));
}

// The superuser passes permission bits, but not the immutable attribute.
TEST_F(RenameRightsTest, AFileThatRefusesWritesMayNotBeRenamedEvenByRoot) {
    std::string file = dir.WriteFile("frozen.txt");
    {
        CReadOnlyFile frozen;
        if (!frozen.Protect(file)) {
            GTEST_SKIP() << "the file cannot be made read-only here";
        }
        EXPECT_FALSE(MayRename(file));
    }
    if (geteuid() == 0) {
        EXPECT_TRUE(MayRename(file));
    }
}

}  // namespace

// Through a folder cache: renames inside the cached folder, into another folder and after
// the cache moved on all behave as whole-path renames, and a taken name is still refused.
TEST(RenameFileTest, ThroughAFolderCacheActsAsWithWholePaths) {
    CTempDir dir;
    std::string a = dir.WriteFile("one/a.txt", "alpha");
    std::string b = dir.WriteFile("one/b.txt", "beta");
    std::string c = dir.WriteFile("two/c.txt", "gamma");
    CFolderCache folders;
    EXPECT_TRUE(RenameFile(a, dir / "one/a2.txt", folders));
    EXPECT_FALSE(RenameFile(b, dir / "one/a2.txt", folders));
    EXPECT_TRUE(RenameFile(b, dir / "two/b.txt", folders));
    EXPECT_TRUE(RenameFile(c, dir / "two/c2.txt", folders));
    EXPECT_FALSE(RenameFile(dir / "two/c2.txt", dir / "two/", folders));
    EXPECT_EQ(ReadFileBytes(dir / "one/a2.txt"), "alpha");
    EXPECT_EQ(ReadFileBytes(dir / "two/b.txt"), "beta");
    EXPECT_EQ(ReadFileBytes(dir / "two/c2.txt"), "gamma");
    EXPECT_FALSE(PathExists(a));
    EXPECT_FALSE(PathExists(b));
    EXPECT_FALSE(PathExists(c));
}
