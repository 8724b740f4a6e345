#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <ctime>

#include "model/Archive.h"
#include "model/HitDoc.h"
#include "support/TempDir.h"

namespace {

struct SNameCase {
    const char* name;
    const char* newName;
    const char* ext;
    const char* currentTitle;
};

void PrintTo(const SNameCase& c, std::ostream* out) {
    *out << c.name;
}

class NameSplitTest : public ::testing::TestWithParam<SNameCase> {};

TEST_P(NameSplitTest, FillFromPathSplitsTheNameAtTheLastDot) {
    CTempDir dir;
    std::string path = dir.WriteFile(GetParam().name, "xyz");
    CHitDoc entry(path);
    EXPECT_EQ(entry.m_strName.Get(), GetParam().name);
    EXPECT_EQ(entry.m_strNewName.Get(), GetParam().newName);
    EXPECT_EQ(entry.m_strExt.Get(), GetParam().ext);
    EXPECT_EQ(entry.GetCurrentTitle(), GetParam().currentTitle);
    EXPECT_EQ(entry.GetNewFileName(), GetParam().name);
    EXPECT_EQ(entry.m_strPath.Get(), path);
    EXPECT_EQ(entry.GetFolder(), dir.Path() + "/");
    EXPECT_EQ(entry.GetNewPath(), path);
    EXPECT_EQ(entry.m_strSize.Get(), "3");
    EXPECT_EQ(entry.m_dwSize, 3u);
}

INSTANTIATE_TEST_SUITE_P(Names, NameSplitTest,
                         ::testing::Values(SNameCase{"README", "README", "", "README"},
                                           SNameCase{"a.b.c", "a.b", ".c", "a.b"},
                                           SNameCase{".profile", "", ".profile", ""},
                                           SNameCase{"Song.mp3", "Song", ".mp3", "Song"},
                                           SNameCase{"trailing.", "trailing", ".", "trailing"}));

TEST(FileFactsTest, PathsResolveToOneAbsoluteSpelling) {
    CTempDir dir;
    dir.MakeFolder("sub");
    std::string path = dir.WriteFile("f.txt");
    CHitDoc entry(dir.Path() + "/sub/.././/f.txt");
    EXPECT_EQ(entry.m_strPath.Get(), path);

    char* saved = getcwd(nullptr, 0);
    ASSERT_EQ(chdir(dir.Path().c_str()), 0);
    CHitDoc relative("f.txt");
    EXPECT_EQ(relative.m_strPath.Get(), path);
    ASSERT_EQ(chdir(saved), 0);
    free(saved);
}

TEST(FileFactsTest, MissingPathsLeaveTheFieldsEmpty) {
    CTempDir dir;
    CHitDoc entry(dir / "absent");
    EXPECT_FALSE(entry.Exists());
    EXPECT_TRUE(entry.m_strPath.IsEmpty());
    EXPECT_TRUE(entry.m_strName.IsEmpty());
}

TEST(FileFactsTest, UnreadableFilesAndDanglingLinksStillExist) {
    CTempDir dir;
    std::string locked = dir.WriteFile("locked.txt", "x");
    chmod(locked.c_str(), 0);
    ASSERT_EQ(symlink((dir / "nowhere").c_str(), (dir / "dangling").c_str()), 0);

    CHitDoc lockedEntry(locked);
    EXPECT_TRUE(lockedEntry.Exists());
    EXPECT_EQ(lockedEntry.m_strName.Get(), "locked.txt");
    CHitDoc link(dir / "dangling");
    EXPECT_TRUE(link.Exists());
    EXPECT_EQ(link.m_strName.Get(), "dangling");
}

TEST(FileFactsTest, FoldersAndTheRootAreRecognised) {
    CTempDir dir;
    std::string folder = dir.MakeFolder("album.d");
    CFileFacts facts;
    ASSERT_TRUE(facts.CheckPath(folder));
    EXPECT_TRUE(facts.IsFolder());
    EXPECT_FALSE(facts.IsRoot());
    ASSERT_TRUE(facts.CheckPath("/"));
    EXPECT_TRUE(facts.IsRoot());
}

class LocalTimeTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* tz = getenv("TZ");
        m_saved = tz ? tz : "";
        m_hadTz = tz != nullptr;
        UseZone("UTC");
    }
    void UseZone(const char* zone) {
        setenv("TZ", zone, 1);
        tzset();
    }
    void TearDown() override {
        if (m_hadTz)
            setenv("TZ", m_saved.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

private:
    std::string m_saved;
    bool m_hadTz = false;
};

TEST_F(LocalTimeTest, ModifiedTextHasNoZeroPadding) {
    EXPECT_EQ(ModifiedText(931079100), "7/4/1999 9:5");     // 1999-07-04 09:05 UTC
    EXPECT_EQ(ModifiedText(946681200), "12/31/1999 23:0");  // 1999-12-31 23:00 UTC
}

// Central European rules written out, so no time zone database is needed.
TEST_F(LocalTimeTest, ModifiedTextFollowsDaylightSavingChanges) {
    UseZone("CET-1CEST,M3.5.0,M10.5.0/3");
    EXPECT_EQ(ModifiedText(1616893140), "3/28/2021 1:59");   // 00:59 UTC, still winter time
    EXPECT_EQ(ModifiedText(1616893200), "3/28/2021 3:0");    // 01:00 UTC, summer time
    EXPECT_EQ(ModifiedText(1635640200), "10/31/2021 2:30");  // 00:30 UTC, summer time
    EXPECT_EQ(ModifiedText(1635643800), "10/31/2021 2:30");  // 01:30 UTC, winter again
    EXPECT_EQ(ModifiedText(931079100), "7/4/1999 11:5");
}

TEST(HitDocTest, LeadingNumbersSaturateAtTheLimitsOfInt) {
    EXPECT_EQ(LeadingNumber("99999999999"), INT_MAX);
    EXPECT_EQ(LeadingNumber("-99999999999 years"), INT_MIN);
    EXPECT_EQ(LeadingNumber("  -12x"), -12);
}

TEST(HitDocTest, CopyAssignmentLeavesSavedTagsFlagsAndTagNumberAlone) {
    CHitDoc source;
    source.m_strName.Set("a.mp3");
    source.m_strTitle.Set("New title");
    source.m_nYear = 2001;
    source.m_nTag = 7;
    source.m_bExists = true;
    source.m_strSavedTitle = "source saved";

    CHitDoc target;
    target.m_nTag = 3;
    target.m_strSavedTitle = "target saved";
    target.m_nSavedYear = 1999;
    target = source;

    EXPECT_EQ(target.m_strName.Get(), "a.mp3");
    EXPECT_EQ(target.m_strTitle.Get(), "New title");
    EXPECT_EQ(target.m_nYear, 2001);
    EXPECT_EQ(target.m_nTag, 3);
    EXPECT_FALSE(target.m_bExists);
    EXPECT_EQ(target.m_strSavedTitle, "target saved");
    EXPECT_EQ(target.m_nSavedYear, 1999);
    EXPECT_TRUE(target.IsTagChanged());
}

TEST(HitDocTest, SameAsIgnoresTimeFlagsTagNumberAndSavedFields) {
    CHitDoc a, b;
    a.m_strNewName.Set("x");
    b = a;
    b.m_timeModified = 12345;
    b.m_nTag = 9;
    b.m_bExists = true;
    b.m_strSavedAlbum = "other";
    EXPECT_TRUE(a.IsSameAs(b));
    b.m_strComment.Set("c");
    EXPECT_FALSE(a.IsSameAs(b));
    b.m_strComment.Set("");
    b.m_strNewName.Set("X");
    EXPECT_FALSE(a.IsSameAs(b));
}

TEST(HitDocTest, TagYearTextsAndCommit) {
    struct {
        const char* text;
        int year;
    } cases[] = {{"1999", 1999}, {"99", 99},  {"0", -1},      {"", -1},
                 {"ab", -1},     {"19x", 19}, {" 2001", 2001}};
    for (auto c : cases) {
        CHitDoc entry;
        entry.SetFromTag("T", "A", "B", c.text, "C", 17);
        EXPECT_EQ(entry.m_nYear, c.year) << c.text;
        EXPECT_EQ(entry.GetYearText(), c.year == -1 ? "" : std::to_string(c.year));
        EXPECT_FALSE(entry.IsTagChanged());
    }
    CHitDoc entry;
    entry.SetFromTag("T", "A", "B", "1999", "C", 17);
    EXPECT_EQ(entry.GetGenreText(), "Rock");
    entry.m_nGenre = 145;
    EXPECT_EQ(entry.GetGenreText(), "");
    EXPECT_TRUE(entry.IsTagChanged());
    entry.CommitTag();
    EXPECT_FALSE(entry.IsTagChanged());
}

TEST(HitDocTest, SizesBeyondFourGigabytesKeepTheirFullValue) {
    CHitDoc entry;
    entry.SetSize(5000000000ull);
    EXPECT_EQ(entry.m_strSize.Get(), "5000000000");
    EXPECT_EQ(entry.m_dwSize, 705032704u);

    CArchiveWriter writer;
    entry.Serialize(writer);
    CArchiveReader reader(writer.Bytes());
    CHitDoc loaded;
    ASSERT_TRUE(loaded.Serialize(reader));
    EXPECT_EQ(loaded.m_nSize, 5000000000ull);
    EXPECT_EQ(loaded.m_dwSize, 705032704u);
}

TEST(HitDocTest, ASizeTextThatDisagreesWithTheStoredSizeIsNotTrusted) {
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

}  // namespace
