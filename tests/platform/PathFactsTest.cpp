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
    std::pair<std::string, std::string> cases[] = {{"/", "/"},
                                                   {"//", "/"},
                                                   {"/a//b/", "/a/b"},
                                                   {"/a/./b/.", "/a/b"},
                                                   {"/./a", "/a"},
                                                   {"/..", "/"},
                                                   {"/../a/..", "/"},
                                                   {"/a/b/..", "/a"},
                                                   {"/a/b/../../c", "/c"},
                                                   {"", ""},
                                                   {"x.txt", dir / "x.txt"},
                                                   {".", dir.Path()},
                                                   {"./real/../x.txt", dir / "x.txt"},
                                                   {"link/../f.txt", dir / "real/f.txt"},
                                                   {dir / "link/../f.txt", dir / "real/f.txt"},
                                                   {dir / "link/sub/../g.txt", dir / "link/g.txt"}};
    for (const auto& [given, absolute] : cases)
        EXPECT_EQ(AbsolutePath(given), absolute) << given;
    std::filesystem::current_path(saved);
}

}  // namespace
