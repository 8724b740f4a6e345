#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "platform/PathFacts.h"
#include "support/TempDir.h"

namespace {

TEST(AbsolutePathTest, SpellingsOfOnePathBecomeOne) {
    struct {
        const char* given;
        const char* absolute;
    } cases[] = {
        {"/", "/"},     {"//", "/"},  {"/a/b", "/a/b"},  {"/a//b/", "/a/b"}, {"/a/./b/.", "/a/b"},
        {"/./a", "/a"}, {"/..", "/"}, {"/../a/..", "/"}, {"/a/b/..", "/a"},  {"/a/b/../../c", "/c"},
    };
    for (auto c : cases)
        EXPECT_EQ(AbsolutePath(c.given), c.absolute) << c.given;
    EXPECT_EQ(AbsolutePath(""), "");
}

// Relative paths start at the current folder. ".." after a symbolic link to a folder leads
// where the kernel goes: the parent of the link's target. After a real folder the spelling
// of the rest stays as given, so both spellings of one file through a linked folder give
// the same path.
TEST(AbsolutePathTest, RelativePathsAndDotDotAfterLinksGoWhereTheKernelGoes) {
    CTempDir dir;
    dir.MakeFolder("real/inner/sub");
    dir.WriteFile("real/f.txt");
    dir.WriteFile("real/inner/g.txt");
    ASSERT_EQ(symlink((dir / "real/inner").c_str(), (dir / "link").c_str()), 0);
    std::filesystem::path saved = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path());
    EXPECT_EQ(AbsolutePath("x.txt"), dir / "x.txt");
    EXPECT_EQ(AbsolutePath("./real/../x.txt"), dir / "x.txt");
    EXPECT_EQ(AbsolutePath("link/../f.txt"), dir / "real/f.txt");
    EXPECT_EQ(AbsolutePath("."), dir.Path());

    EXPECT_EQ(AbsolutePath(dir / "link/../f.txt"), dir / "real/f.txt");
    EXPECT_EQ(AbsolutePath(dir / "link/sub/../g.txt"), dir / "link/g.txt");
    EXPECT_EQ(AbsolutePath(dir / "link/g.txt"), dir / "link/g.txt");
    SPathFacts facts;
    ASSERT_TRUE(QueryPath(dir / "link/../f.txt", facts));
    EXPECT_EQ(facts.strName, "f.txt");
    EXPECT_EQ(facts.strPath, dir / "real/f.txt");
    EXPECT_EQ(std::filesystem::current_path(), dir.Path());  // a query never moves it
    std::filesystem::current_path(saved);
}

// The facts are the entry's own (a link's, not its target's); read-only means not
// writable by this user, whom the superuser's rights make pass the permission bits.
TEST(QueryPathTest, FactsComeFromTheEntryItself) {
    CTempDir dir;
    std::string file = dir.WriteFile("data.bin", std::string(1234, 'x'));
    SPathFacts facts;
    ASSERT_TRUE(QueryPath(file, facts));
    EXPECT_FALSE(facts.bIsFolder);
    EXPECT_EQ(facts.nSize, 1234u);
    EXPECT_EQ(facts.strName, "data.bin");
    EXPECT_GT(facts.timeModified, 1600000000);
    EXPECT_FALSE(IsReadOnlyEntry(facts));
    ASSERT_EQ(chmod(file.c_str(), 0444), 0);
    ASSERT_TRUE(QueryPath(file, facts));
    EXPECT_EQ(IsReadOnlyEntry(facts), geteuid() != 0);
    EXPECT_FALSE(IsReadOnlyEntry(SPathFacts()));

    ASSERT_EQ(symlink(file.c_str(), (dir / "to-data").c_str()), 0);
    ASSERT_TRUE(QueryPath(dir / "to-data", facts));
    EXPECT_EQ(facts.strName, "to-data");
    EXPECT_NE(facts.nSize, 1234u);
    EXPECT_FALSE(QueryPath(dir / "nothing", facts));
    EXPECT_FALSE(facts.bExists);
    EXPECT_TRUE(facts.strPath.empty());
}

}  // namespace
