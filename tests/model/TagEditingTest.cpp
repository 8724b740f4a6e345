#include <gtest/gtest.h>

#include "model/GenreTable.h"
#include "model/TagEditing.h"
#include "support/SessionFixture.h"

namespace {

TEST(GenreTableTest, NamesAndNumbersConvertBothWays) {
    EXPECT_EQ(GenreName(0), "Blues");
    EXPECT_EQ(GenreName(144), "Trash Metal");
    EXPECT_EQ(GenreName(145), "");
    EXPECT_EQ(GenreName(255), "");
    EXPECT_EQ(GenreName(-1), "");
    EXPECT_EQ(GenreFromName("Rock"), 17);
    EXPECT_EQ(GenreFromName("Rock & Roll"), 78);
    EXPECT_EQ(GenreFromName("rock"), -1);
    EXPECT_EQ(GenreFromName("(none)"), -1);
    EXPECT_EQ(GenreFromName(""), -1);
    for (int genre = 0; genre < kGenreCount; ++genre)
        EXPECT_EQ(GenreFromName(GenreName(genre)), genre);
}

TEST(GenreTableTest, DropDownStartsWithNoneThenSortsWithoutCase) {
    std::vector<std::string> items = GenreDropDownItems();
    ASSERT_EQ(items.size(), 146u);
    EXPECT_EQ(items[0], "(none)");
    EXPECT_EQ(items[1], "Acapella");
    EXPECT_LT(std::find(items.begin(), items.end(), "BritPop"),
              std::find(items.begin(), items.end(), "Cabaret"));
    EXPECT_LT(std::find(items.begin(), items.end(), "Bebob"),
              std::find(items.begin(), items.end(), "BritPop"));
}

class TagEditingTest : public SessionTest {
protected:
    void SetUp() override {
        AddRow("a.mp3");
        AddRow("b.mp3");
        AddRow("c.mp3");
        session.SetMp3Columns();
    }
};

TEST_F(TagEditingTest, YearsOutsideTheRangeAndUnknownGenresStoreNone) {
    struct {
        const char* text;
        int year;
    } years[] = {{"1999", 1999}, {"0", -1}, {"10000", -1}, {"ab", -1}, {"", -1}, {"2000ad", 2000}};
    for (auto y : years) {
        SetTagValue(session, 0, kColYear, y.text);
        EXPECT_EQ(session.List().GetEntry(0).m_nYear, y.year) << y.text;
    }
    SetTagValue(session, 0, kColGenre, "Trash Metal");
    EXPECT_EQ(session.List().GetEntry(0).m_nGenre, 144);
    SetTagValue(session, 0, kColGenre, "(none)");
    EXPECT_EQ(session.List().GetEntry(0).m_nGenre, -1);
    SetTagValue(session, 0, kColComment, "  spaced  ");
    EXPECT_EQ(session.List().GetEntry(0).m_strComment.Get(), "  spaced  ");
}

TEST_F(TagEditingTest, NormalModeTakesNoTagValue) {
    session.SetNormalColumns();
    SetTagValue(session, 0, kColTitle, "x");
    EXPECT_EQ(session.List().GetEntry(0).m_strTitle.Get(), "");
}

TEST_F(TagEditingTest, LockedColumnsSpreadOneValueOverEveryRow) {
    ApplyToLockedColumn(session, "Album", kColAlbum);
    EXPECT_EQ(session.List().GetEntry(1).m_strAlbum.Get(), "");
    session.m_locks[kColAlbum - 1] = true;
    ApplyToLockedColumn(session, "Album", kColAlbum);
    for (int row = 0; row < 3; ++row)
        EXPECT_EQ(session.List().GetEntry(row).m_strAlbum.Get(), "Album");
}

TEST_F(TagEditingTest, OptionsSheetStoresOnOkAndRestoresStoredValuesOnCancel) {
    SId3EditorOptions chosen;
    chosen.format = {true, false, true, false};
    chosen.lock[4] = true;
    prompts.m_options.push_back(chosen);
    EXPECT_TRUE(RunOptionsSheet(session, EOptionsPage::Id3Editor));
    EXPECT_EQ(session.m_fieldChoice, chosen.format);
    EXPECT_EQ(profile.GetInt("Format", "3", 0), 1);
    EXPECT_EQ(profile.GetInt("Lock", "5", 0), 1);
    EXPECT_EQ(profile.GetInt("Lock", "1", 9), 0);

    session.m_fieldChoice = {};
    EXPECT_FALSE(RunOptionsSheet(session, EOptionsPage::Viewer));
    EXPECT_EQ(session.m_fieldChoice, chosen.format);
    EXPECT_EQ(prompts.m_optionsPages,
              (std::vector<EOptionsPage>{EOptionsPage::Id3Editor, EOptionsPage::Viewer}));

    CTesselSession fresh(prompts, profile);
    EXPECT_TRUE(fresh.m_locks[4]);
    EXPECT_TRUE(fresh.m_fieldChoice[2]);
}

}  // namespace
