#include <gtest/gtest.h>
#include <sys/stat.h>

#include "model/Profile.h"
#include "model/ViewerAssociations.h"
#include "support/TempDir.h"

namespace {

TEST(ViewerAssociationsTest, AShorterListIsStoredOverALongerOneAndReadBackAlone) {
    CMemoryProfile profile;
    CViewerList three = {{".html", "/usr/bin/a"}, {".txt", "/usr/bin/b"}, {".mp3", "/usr/bin/c"}};
    SaveViewers(profile, three);
    EXPECT_EQ(LoadViewers(profile), three);
    SaveViewers(profile, {{".png", "/usr/bin/d"}});
    EXPECT_EQ(profile.GetInt("Extension", "Entry", -1), 1);
    EXPECT_EQ(LoadViewers(profile), (CViewerList{{".png", "/usr/bin/d"}}));
}

TEST(ViewerAssociationsTest, TheFirstAssociationOfAnExtensionWinsWhateverItsCase) {
    CViewerList viewers = {{".txt", "/bin/t"}, {".mp3", "/bin/first"}, {".MP3", "/bin/second"}};
    for (const char* path : {"/music/SONG.MP3", "/music/song.mp3"})
        EXPECT_EQ(FindViewer(viewers, path), "/bin/first") << path;
    for (const char* path : {"/music/song.mp3x", "/notes.txt/README"})
        EXPECT_EQ(FindViewer(viewers, path), "") << path;
    EXPECT_EQ(FindViewer({}, "/a.txt"), "");
}

TEST(ViewerAssociationsTest, OnlyADottedExtensionAndAnExecutableFileMayBeAdded) {
    CTempDir dir;
    std::string script = dir.WriteFile("viewer.sh", "#!/bin/sh\n");
    std::string plain = dir.WriteFile("notes.txt", "x");
    ASSERT_EQ(chmod(script.c_str(), 0755), 0);
    EXPECT_TRUE(IsValidAssociation(".html", script));
    for (const char* extension : {"html", ".", ""})
        EXPECT_FALSE(IsValidAssociation(extension, script)) << extension;
    // Missing, not executable, a folder.
    for (const std::string& viewer : {dir / "missing", plain, dir.Path()})
        EXPECT_FALSE(IsValidAssociation(".htm", viewer)) << viewer;
}

}  // namespace
