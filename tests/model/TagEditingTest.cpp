#include <gtest/gtest.h>

#include "model/CellEdit.h"
#include "model/GenreTable.h"
#include "model/TagEditing.h"
#include "support/SessionFixture.h"

namespace {

TEST(GenreTableTest, NamesNumbersAndTheDropDownOrder) {
    EXPECT_EQ(GenreName(145) + GenreName(255) + GenreName(-1), "");
    EXPECT_EQ(GenreFromName("Rock & Roll"), 78);
    for (const char* unknown : {"rock", "(none)", ""})
        EXPECT_EQ(GenreFromName(unknown), -1);
    std::vector<std::string> items = GenreDropDownItems();
    ASSERT_EQ(items.size(), 146u);
    EXPECT_EQ(items[0] + "|" + items[1], "(none)|Acapella");
    auto at = [&items](const char* name) { return std::find(items.begin(), items.end(), name); };
    EXPECT_LT(at("Bebob"), at("BritPop"));  // without case
    EXPECT_LT(at("BritPop"), at("Cabaret"));
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

class TagEditingTest : public SessionTest {
protected:
    void SetUp() override {
        AddRow("a.mp3");
        AddRow("b.mp3");
    }
};

TEST_F(TagEditingTest, NormalModeSetsTheNewNameWithoutLeadingBlanks) {
    EXPECT_TRUE(CommitCellEdit(session, 1, 3, "  new name  "));
    EXPECT_EQ(NewNames(), (std::vector<std::string>{"a", "new name  "}));
    EXPECT_TRUE(session.CanUndo());
    EXPECT_TRUE(session.IsModified());
    session.UndoHistory().Clear();
    for (const char* refused : {"   ", "", "\\NOCHANGE\\"})
        EXPECT_FALSE(CommitCellEdit(session, 0, 0, refused)) << refused;
    EXPECT_FALSE(CommitCellEdit(session, 5, 0, "out of range"));
    EXPECT_EQ(NewNames()[0], "a");
    SetTagValue(session, 0, kColTitle, "x");  // normal mode takes no tag value
    EXPECT_EQ(session.List().GetEntry(0).m_strTitle.Get(), "");
    EXPECT_FALSE(session.CanUndo());
}

// Years outside the range and unknown genres store none; each edit that changed a value
// is one step, in its row only while the column is unlocked.
TEST_F(TagEditingTest, Mp3ModeRefusesTheFileNameAndStoresTagValues) {
    session.SetMp3Columns();
    EXPECT_FALSE(CommitCellEdit(session, 0, kColFilename, "renamed"));
    EXPECT_EQ(session.List().CellText(0, kColFilename), "a.mp3");
    EXPECT_FALSE(CommitCellEdit(session, 0, kColTitle, "\\NOCHANGE\\"));
    EXPECT_FALSE(session.CanUndo());
    for (auto [text, year] :
         {std::pair{"1999", 1999}, {"0", -1}, {"10000", -1}, {"ab", -1}, {"2000ad", 2000}}) {
        SetTagValue(session, 0, kColYear, text);
        EXPECT_EQ(session.List().GetEntry(0).m_nYear, year) << text;
    }
    SetTagValue(session, 0, kColGenre, "(none)");
    EXPECT_EQ(session.List().GetEntry(0).m_nGenre, -1);
    session.UndoHistory().Clear();

    EXPECT_TRUE(CommitCellEdit(session, 0, kColYear, " 1999"));
    EXPECT_TRUE(CommitCellEdit(session, 1, kColYear, "10000"));
    EXPECT_TRUE(CommitCellEdit(session, 0, kColGenre, "Trash Metal"));
    EXPECT_TRUE(CommitCellEdit(session, 0, kColComment, "\tnote "));
    EXPECT_EQ(session.List().CellText(0, kColYear), "1999");
    EXPECT_EQ(session.List().CellText(1, kColYear), "");
    EXPECT_EQ(session.List().GetEntry(0).m_nGenre, 144);
    EXPECT_EQ(session.List().CellText(0, kColComment), "note ");
    EXPECT_EQ(session.UndoHistory().GetCount(), 3u);  // the second year changed nothing
    EXPECT_EQ(session.List().GetEntry(1).m_nGenre, -1);
}

}  // namespace
