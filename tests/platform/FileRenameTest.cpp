#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/FileRename.h"
#include "support/OtherUser.h"
#include "support/TempDir.h"

namespace {

TEST(RenameFileTest, MovesAFileToAFreeNameKeepingItsBytes) {
    CTempDir dir;
    std::string from = dir.WriteFile("a.txt", "alpha");
    EXPECT_TRUE(RenameFile(from, dir / "b.txt"));
    EXPECT_FALSE(PathExists(from));
    EXPECT_EQ(ReadFileBytes(dir / "b.txt"), "alpha");
}

TEST(RenameFileTest, NeverReplacesAnExistingName) {
    CTempDir dir;
    std::string from = dir.WriteFile("a.txt", "alpha");
    std::string to = dir.WriteFile("b.txt", "beta");
    EXPECT_FALSE(RenameFile(from, to));
    EXPECT_EQ(ReadFileBytes(from), "alpha");
    EXPECT_EQ(ReadFileBytes(to), "beta");
    // An empty folder is replaced by a plain rename of a folder; not here.
    std::string folder = dir.MakeFolder("f");
    std::string empty = dir.MakeFolder("g");
    EXPECT_FALSE(RenameFile(folder, empty));
    EXPECT_TRUE(PathExists(folder));
    EXPECT_FALSE(RenameFile(from, from));
    EXPECT_EQ(ReadFileBytes(from), "alpha");
}

TEST(RenameFileTest, ChangesOnlyTheLetterCase) {
    CTempDir dir;
    std::string from = dir.WriteFile("song.mp3", "x");
    EXPECT_TRUE(RenameFile(from, dir / "Song.mp3"));
    EXPECT_EQ(ReadFileBytes(dir / "Song.mp3"), "x");
}

TEST(RenameFileTest, RenamesFolders) {
    CTempDir dir;
    dir.WriteFile("f/inside.txt", "in");
    EXPECT_TRUE(RenameFile(dir / "f", dir / "g"));
    EXPECT_EQ(ReadFileBytes(dir / "g/inside.txt"), "in");
}

TEST(RenameFileTest, NeverPassesAPathCutAtANulByte) {
    CTempDir dir;
    std::string from = dir.WriteFile("a.txt", "alpha");
    EXPECT_FALSE(RenameFile(from, dir / std::string("b\0.txt", 6)));
    EXPECT_FALSE(RenameFile(from + std::string(1, '\0') + "x", dir / "c.txt"));
    EXPECT_TRUE(PathExists(from));
    EXPECT_FALSE(PathExists(dir / "b"));
    EXPECT_FALSE(PathExists(dir / "c.txt"));
}

TEST(RenameFileTest, TakesNamesOf255BytesButNot256) {
    CTempDir dir;
    std::string from = dir.WriteFile("a", "alpha");
    EXPECT_FALSE(RenameFile(from, dir / std::string(256, 'n')));
    EXPECT_EQ(ReadFileBytes(from), "alpha");
    EXPECT_TRUE(RenameFile(from, dir / std::string(255, 'n')));
    EXPECT_EQ(ReadFileBytes(dir / std::string(255, 'n')), "alpha");
}

class UnusualNameTest : public ::testing::TestWithParam<std::string> {};

TEST_P(UnusualNameTest, PassesTheNameByteForByte) {
    CTempDir dir;
    std::string from = dir.WriteFile("plain", "bytes");
    ASSERT_TRUE(RenameFile(from, dir / GetParam()));
    EXPECT_EQ(ReadFileBytes(dir / GetParam()), "bytes");
    ASSERT_TRUE(RenameFile(dir / GetParam(), from));
    EXPECT_EQ(ReadFileBytes(from), "bytes");
}

INSTANTIATE_TEST_SUITE_P(Names, UnusualNameTest,
                         ::testing::Values(std::string("caf\xe9 \xff\xfe.mp3"),
                                           std::string("two\nlines.txt"), std::string("-rf"),
                                           std::string("--help.txt")));

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
        return MayRenameEntry(path, QueryFolderRights(folder));
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

TEST_F(RenameRightsTest, AFolderThatIsNotWritableForbidsRenaming) {
    dir.MakeFolder("locked");
    std::string file = dir.WriteFile("locked/a.txt");
    chmod(file.c_str(), 0666);
    chmod((dir / "locked").c_str(), 0555);
    COtherUser user;
    ASSERT_TRUE(user.Active());
    EXPECT_FALSE(MayRename(file));
}

TEST_F(RenameRightsTest, AFileThatIsNotWritableIsReadOnly) {
    dir.MakeFolder("open");
    chmod((dir / "open").c_str(), 0777);
    std::string file = dir.WriteFile("open/a.txt");
    chmod(file.c_str(), 0444);
    COtherUser user;
    ASSERT_TRUE(user.Active());
    EXPECT_FALSE(MayRename(file));
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

}  // namespace
