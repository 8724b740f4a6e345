// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <vector>

#include "model/Archive.h"
#include "model/HitDoc.h"
#include "model/Profile.h"
#include "model/ViewerAssociations.h"
#include "support/TempDir.h"

namespace {

// The name splits at its last dot; an unreadable file and a dangling link still exist.
TEST(FileFactsTest, FillFromPathSplitsTheNameAtTheLastDot) {
    CTempDir dir;
    for (auto [name, newName, ext] : {std::tuple{"README", "README", ""},
                                      {"a.b.c", "a.b", ".c"},
                                      {".profile", "", ".profile"},
                                      {"trailing.", "trailing", "."}}) {
        std::string path = dir.WriteFile(name, "xyz");
        CHitDoc entry(path);
        EXPECT_EQ(entry.m_strNewName.Get() + "|" + entry.m_strExt.Get() + "|" + entry.GetNewPath() +
                      "|" + entry.m_strSize.Get(),
                  std::string(newName) + "|" + ext + "|" + path + "|3");
    }
    chmod(dir.WriteFile("locked.txt", "x").c_str(), 0);
    ASSERT_EQ(symlink((dir / "nowhere").c_str(), (dir / "dangling").c_str()), 0);
    for (const char* name : {"locked.txt", "dangling"}) {
        CHitDoc entry(dir / name);
        EXPECT_TRUE(entry.Exists()) << name;
        EXPECT_EQ(entry.m_strName.Get(), name);
    }
}

// "/" and NUL never go into a name; the reserved characters only where the file system
// refuses them; the extension counts as much as the name.
TEST(FileFactsTest, IllegalCharactersAreThoseOfTheTargetFileSystem) {
    constexpr bool kReservedRefused = true;
    struct SCase {
        std::string newName, ext;
        bool illegalAnywhere, illegalWhereReservedRefused;
    };
    const std::vector<SCase> cases = {
        {"plain name", ".mp3", false, false},
        {"a/b", ".mp3", true, true},
        {"song", std::string(".m\0p3", 4), true, true},
        {"what?", ".mp3", false, true},
        {"song", ".mp3|", false, true},
        {"back\\slash", "", false, true},
        {"", "", false, false},
    };
    for (const SCase& c : cases) {
        CHitDoc entry;
        entry.m_strNewName.Set(c.newName);
        entry.m_strExt.Set(c.ext);
        EXPECT_EQ(CFileFacts::HasIllegalChar(entry, !kReservedRefused), c.illegalAnywhere)
            << c.newName << c.ext;
        EXPECT_EQ(CFileFacts::HasIllegalChar(entry, kReservedRefused),
                  c.illegalWhereReservedRefused)
            << c.newName << c.ext;
    }
}

// Central European rules written out, so no time zone database is needed.
TEST(LocalTimeTest, ModifiedTextHasNoZeroPaddingAndFollowsDaylightSaving) {
    const char* saved = getenv("TZ");
    std::string savedZone = saved ? saved : "";
    setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
    tzset();
    EXPECT_EQ(ModifiedText(1616893140), "3/28/2021 1:59");   // 00:59 UTC, still winter time
    EXPECT_EQ(ModifiedText(1616893200), "3/28/2021 3:0");    // 01:00 UTC, summer time
    EXPECT_EQ(ModifiedText(1635640200), "10/31/2021 2:30");  // 00:30 UTC, summer time
    EXPECT_EQ(ModifiedText(1635643800), "10/31/2021 2:30");  // 01:30 UTC, winter again
    saved ? setenv("TZ", savedZone.c_str(), 1) : unsetenv("TZ");
    tzset();
}

// The stored 4-byte size holds only the low bits, and the size text is trusted for the
// rest only when it agrees with them.
TEST(HitDocTest, ASizeTextThatDisagreesWithTheStoredBitsIsNotTrusted) {
    CHitDoc entry;
    entry.SetSize(12);
    entry.m_strSize.Set("999999");
    CArchiveWriter writer;
    entry.Serialize(writer);
    CArchiveReader reader(writer.Bytes());
    CHitDoc loaded;
    ASSERT_TRUE(loaded.Serialize(reader));
    EXPECT_EQ(loaded.m_nSize, 12u);
}

TEST(ViewerAssociationsTest, AShorterListIsStoredOverALongerOneAndTheFirstMatchWins) {
    CMemoryProfile profile;
    CViewerList three = {{".html", "/usr/bin/a"}, {".txt", "/usr/bin/b"}, {".mp3", "/usr/bin/c"}};
    SaveViewers(profile, three);
    EXPECT_EQ(LoadViewers(profile), three);
    SaveViewers(profile, {{".png", "/usr/bin/d"}});
    EXPECT_EQ(profile.GetInt("Extension", "Entry", -1), 1);
    EXPECT_EQ(LoadViewers(profile), (CViewerList{{".png", "/usr/bin/d"}}));
    // The first association of an extension wins, whatever its case.
    CViewerList viewers = {{".txt", "/bin/t"}, {".mp3", "/bin/first"}, {".MP3", "/bin/second"}};
    EXPECT_EQ(FindViewer(viewers, "/music/SONG.MP3"), "/bin/first");
    EXPECT_EQ(FindViewer(viewers, "/notes.txt/README"), "");
}

TEST(ViewerAssociationsTest, OnlyADottedExtensionAndAnExecutableFileMayBeAdded) {
    CTempDir dir;
    std::string script = dir.WriteFile("viewer.sh", "#!/bin/sh\n");
    std::string plain = dir.WriteFile("notes.txt", "x");
    ASSERT_EQ(chmod(script.c_str(), 0755), 0);
    // The viewer not executable, or a folder.
    for (auto [ext, viewer] :
         {std::pair{"html", script}, {".", script}, {".htm", plain}, {".htm", dir.Path()}})
        EXPECT_FALSE(IsValidAssociation(ext, viewer)) << ext << viewer;
    EXPECT_TRUE(IsValidAssociation(".html", script));
}

}  // namespace
