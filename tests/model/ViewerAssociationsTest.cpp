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
    // The keys of the longer list stay, but are never read.
    EXPECT_EQ(profile.GetString("Extension", "2", ""), ".mp3");
    EXPECT_EQ(LoadViewers(profile), (CViewerList{{".png", "/usr/bin/d"}}));
}

TEST(ViewerAssociationsTest, TheFirstAssociationOfAnExtensionWinsWhateverItsCase) {
    CViewerList viewers = {{".txt", "/bin/t"}, {".mp3", "/bin/first"}, {".MP3", "/bin/second"}};
    EXPECT_EQ(FindViewer(viewers, "/music/SONG.MP3"), "/bin/first");
    EXPECT_EQ(FindViewer(viewers, "/music/song.mp3"), "/bin/first");
    EXPECT_EQ(FindViewer(viewers, "/music/song.mp3x"), "");
    EXPECT_EQ(FindViewer(viewers, "/notes.txt/README"), "");
    EXPECT_EQ(FindViewer({}, "/a.txt"), "");
}

TEST(ViewerAssociationsTest, OnlyADottedExtensionAndAnExecutableFileMayBeAdded) {
    CTempDir dir;
    std::string script = dir.WriteFile("viewer.sh", "#!/bin/sh\n");
    std::string plain = dir.WriteFile("notes.txt", "x");
    ASSERT_EQ(chmod(script.c_str(), 0755), 0);
    EXPECT_TRUE(IsValidAssociation(".html", script));
    EXPECT_FALSE(IsValidAssociation("html", script));
    EXPECT_FALSE(IsValidAssociation(".", script));
    EXPECT_FALSE(IsValidAssociation("", script));
    EXPECT_FALSE(IsValidAssociation(".htm", dir / "missing"));
    EXPECT_FALSE(IsValidAssociation(".htm", plain));       // not executable
    EXPECT_FALSE(IsValidAssociation(".htm", dir.Path()));  // a folder
}

}  // namespace
