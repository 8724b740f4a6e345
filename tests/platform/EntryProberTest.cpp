#include <gtest/gtest.h>
#include <unistd.h>

#include "platform/EntryProber.h"
#include "support/TempDir.h"

namespace {

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
        {dir / "a/missing.mp3", ""},
        {b, dir / "b/"},
        {dir / "link/song.mp3", dir / "link/"},
        {dir / "a/sub/../song.mp3", dir / "a/"},
        {dir / "gone/song.mp3", ""},
        {dir / "a/song.mp3/", dir / "a/"},  // spelled as a folder, resolved as the file
        {std::string(a).append(1, '\0'), ""},
        {a, dir / "a/"}};
    CEntryProber prober;
    for (const auto& [path, folder] : cases) {
        SPathFacts facts, fresh;
        const std::string* found = prober.Probe(path, facts);
        EXPECT_EQ(found ? *found : "", folder) << path;
        EXPECT_EQ(facts.bExists, !QueryEntryFolder(path, fresh).empty()) << path;
    }
    SPathFacts facts;
    ASSERT_NE(prober.Probe(a, facts), nullptr);
    EXPECT_EQ(facts.nSize, 5u);
}

}  // namespace
