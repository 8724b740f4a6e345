#include <gtest/gtest.h>
#include <unistd.h>

#include "platform/EntryProber.h"
#include "support/TempDir.h"

namespace {

TEST(EntryProberTest, AnswersLikeAFreshProbeWhateverTheOrderOfFolders) {
    CTempDir dir;
    std::string a = dir.WriteFile("a/song.mp3", "12345");
    std::string b = dir.WriteFile("b/song.mp3");
    dir.MakeFolder("a/sub");
    ASSERT_EQ(symlink((dir / "b").c_str(), (dir / "link").c_str()), 0);

    struct {
        std::string path;
        std::string folder;
    } cases[] = {
        {a, dir / "a/"},
        {dir / "a/missing.mp3", ""},
        {b, dir / "b/"},  // another folder: the open one must not answer for it
        {dir / "link/song.mp3", dir / "link/"},
        {dir / "a/sub/../song.mp3", dir / "a/"},  // not plain: resolved first
        {a, dir / "a/"},
        {dir / "gone/song.mp3", ""},
        {dir / "a/song.mp3/", dir / "a/"},  // spelled as a folder, resolved as the file
        {std::string(a).append(1, '\0'), ""},
    };
    CEntryProber prober;
    for (const auto& c : cases) {
        SPathFacts facts;
        const std::string* folder = prober.Probe(c.path, facts);
        EXPECT_EQ(folder ? *folder : "", c.folder) << c.path;
        SPathFacts fresh;
        EXPECT_EQ(facts.bExists, !QueryEntryFolder(c.path, fresh).empty()) << c.path;
    }
    SPathFacts facts;
    ASSERT_NE(prober.Probe(a, facts), nullptr);
    EXPECT_EQ(facts.nSize, 5u);
    EXPECT_FALSE(facts.bIsFolder);
}

}  // namespace
