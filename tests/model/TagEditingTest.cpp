#include <gtest/gtest.h>

#include "model/CellEdit.h"
#include "model/GenreTable.h"
#include "model/TagEditing.h"
#include "support/SessionFixture.h"

namespace {

TEST(GenreTableTest, NamesNumbersAndTheDropDownOrder) {
    for (int outside : {145, 255, -1})
        EXPECT_EQ(GenreName(outside), "");
    EXPECT_EQ(GenreFromName("Rock & Roll"), 78);
    for (const char* unknown : {"rock", "(none)", ""})
        EXPECT_EQ(GenreFromName(unknown), -1);
    for (int genre = 0; genre < kGenreCount; ++genre)
        EXPECT_EQ(GenreFromName(GenreName(genre)), genre);

    std::vector<std::string> items = GenreDropDownItems();
    ASSERT_EQ(items.size(), 146u);
    EXPECT_EQ(items[0], "(none)");
    EXPECT_EQ(items[1], "Acapella");
    auto at = [&items](const char* name) { return std::find(items.begin(), items.end(), name); };
    EXPECT_LT(at("Bebob"), at("BritPop"));  // without case
    EXPECT_LT(at("BritPop"), at("Cabaret"));
}

class TagEditingTest : public SessionTest {
protected:
    void SetUp() override {
        AddRow("a.mp3");
        session.SetMp3Columns();
    }
};

TEST_F(TagEditingTest, YearsOutsideTheRangeAndUnknownGenresStoreNone) {
    for (auto [text, year] : {std::pair{"1999", 1999},
                              {"0", -1},
                              {"10000", -1},
                              {"ab", -1},
                              {"", -1},
                              {"2000ad", 2000}}) {
        SetTagValue(session, 0, kColYear, text);
        EXPECT_EQ(session.List().GetEntry(0).Year(), year) << text;
    }
    SetTagValue(session, 0, kColGenre, "Trash Metal");
    EXPECT_EQ(session.List().GetEntry(0).Genre(), 144);
    SetTagValue(session, 0, kColGenre, "(none)");
    EXPECT_EQ(session.List().GetEntry(0).Genre(), -1);
    SetTagValue(session, 0, kColComment, "  spaced  ");
    EXPECT_EQ(session.List().GetEntry(0).Comment().Get(), "  spaced  ");
    session.SetNormalColumns();
    SetTagValue(session, 0, kColTitle, "x");  // normal mode takes no tag value
    EXPECT_EQ(session.List().GetEntry(0).Title().Get(), "");
}

TEST(TagValueCheckTest, OnlyValuesTheTagHoldsAsTypedAreStorable) {
    for (const char* year : {"", "1999", "1", "9999"})
        EXPECT_TRUE(IsStorableTagValue(kColYear, year)) << year;
    for (const char* year : {"0", "10000", "19x", "+1999", " 1999", "01999"})
        EXPECT_FALSE(IsStorableTagValue(kColYear, year)) << year;
    for (const char* genre : {"", "Jazz", "Blues"})  // Blues is genre 0
        EXPECT_TRUE(IsStorableTagValue(kColGenre, genre)) << genre;
    EXPECT_FALSE(IsStorableTagValue(kColGenre, "Polka Dots"));
    EXPECT_TRUE(IsStorableTagValue(kColTitle, "anything at all"));
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

class CellEditTest : public SessionTest {
protected:
    void SetUp() override {
        AddRow("a.mp3");
        AddRow("b.mp3");
    }
};

TEST_F(CellEditTest, NormalModeSetsTheNewNameWithoutLeadingBlanks) {
    EXPECT_TRUE(CommitCellEdit(session, 1, 3, "  new name  "));
    EXPECT_EQ(NewNames(), (std::vector<std::string>{"a", "new name  "}));
    EXPECT_TRUE(session.CanUndo());
    EXPECT_TRUE(session.IsModified());

    session.UndoHistory().Clear();
    EXPECT_FALSE(CommitCellEdit(session, 0, 0, "   "));
    EXPECT_FALSE(CommitCellEdit(session, 0, 0, ""));
    EXPECT_FALSE(CommitCellEdit(session, 0, 0, "\\NOCHANGE\\"));
    EXPECT_FALSE(CommitCellEdit(session, 5, 0, "out of range"));
    EXPECT_EQ(NewNames()[0], "a");
    EXPECT_FALSE(session.CanUndo());
}

TEST_F(CellEditTest, Mp3ModeRefusesTheFileNameAndStoresTagValues) {
    session.SetMp3Columns();
    EXPECT_FALSE(CommitCellEdit(session, 0, kColFilename, "renamed"));
    EXPECT_EQ(NewNames()[0], "a");
    EXPECT_EQ(session.List().CellText(0, kColFilename), "a.mp3");
    EXPECT_FALSE(CommitCellEdit(session, 0, kColTitle, "\\NOCHANGE\\"));
    EXPECT_FALSE(session.CanUndo());

    EXPECT_TRUE(CommitCellEdit(session, 0, kColYear, " 1999"));
    EXPECT_TRUE(CommitCellEdit(session, 1, kColYear, "10000"));
    EXPECT_TRUE(CommitCellEdit(session, 0, kColGenre, "Trash Metal"));
    EXPECT_TRUE(CommitCellEdit(session, 0, kColComment, "\tnote "));
    EXPECT_EQ(session.List().CellText(0, kColYear), "1999");
    EXPECT_EQ(session.List().CellText(1, kColYear), "");
    EXPECT_EQ(session.List().GetEntry(0).Genre(), 144);
    EXPECT_EQ(session.List().CellText(0, kColComment), "note ");
    // The second year edit changed nothing, so only three steps were recorded.
    EXPECT_EQ(session.UndoHistory().GetCount(), 3u);
    // Unlocked: one row only.
    EXPECT_EQ(session.List().GetEntry(1).Genre(), -1);
}

}  // namespace
