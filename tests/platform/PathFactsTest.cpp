#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "platform/PathFacts.h"
#include "support/TempDir.h"

namespace {

// Spellings of one path become one. Relative paths start at the current folder; ".."
// after a symbolic link to a folder leads where the kernel goes, the parent of the link's
// target, while after a real folder the rest is spelled as given, so both spellings of one
// file through a linked folder give the same path.
TEST(AbsolutePathTest, SpellingsOfOnePathBecomeOneAndDotDotAfterLinksGoesWhereTheKernelGoes) {
    CTempDir dir;
    dir.MakeFolder("real/inner/sub");
    dir.WriteFile("real/f.txt");
    dir.WriteFile("real/inner/g.txt");
    ASSERT_EQ(symlink((dir / "real/inner").c_str(), (dir / "link").c_str()), 0);
    std::filesystem::path saved = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path());
    struct {
        const char* given;
        const char* absolute;
    } cases[] = {
        {"/", "/"},   {"//", "/"},       {"/a//b/", "/a/b"}, {"/a/./b/.", "/a/b"},   {"/./a", "/a"},
        {"/..", "/"}, {"/../a/..", "/"}, {"/a/b/..", "/a"},  {"/a/b/../../c", "/c"}, {"", ""},
    };
    for (auto c : cases)
        EXPECT_EQ(AbsolutePath(c.given), c.absolute) << c.given;
    EXPECT_EQ(AbsolutePath("x.txt"), dir / "x.txt");
    EXPECT_EQ(AbsolutePath("."), dir.Path());
    EXPECT_EQ(AbsolutePath("./real/../x.txt"), dir / "x.txt");
    EXPECT_EQ(AbsolutePath("link/../f.txt"), dir / "real/f.txt");
    EXPECT_EQ(AbsolutePath(dir / "link/../f.txt"), dir / "real/f.txt");
    EXPECT_EQ(AbsolutePath(dir / "link/sub/../g.txt"), dir / "link/g.txt");
    std::filesystem::current_path(saved);
}

}  // namespace
