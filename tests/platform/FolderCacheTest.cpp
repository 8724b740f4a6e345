#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "platform/EntryProber.h"
#include "platform/FolderCache.h"
#include "platform/WriteAccess.h"
#include "support/ReadOnlyFile.h"
#include "support/TempDir.h"

namespace {

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
    CReadOnlyFile readOnly;
    bool isProtected = readOnly.Protect(locked);
    for (CFolderCache* cache : {static_cast<CFolderCache*>(nullptr), &folders}) {
        EXPECT_EQ(QueryWriteAccess(file, cache), EWriteAccess::Writable);
        EXPECT_EQ(QueryWriteAccess(locked, cache),
                  isProtected ? EWriteAccess::ReadOnly : EWriteAccess::Writable);
        for (const std::string& path :
             {dir / "gone.mp3", dir / "none/x.mp3", file + "/x", file + std::string(1, '\0') + "x"})
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
