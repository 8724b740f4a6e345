#include <gtest/gtest.h>

#include "model/CellEdit.h"
#include "support/SessionFixture.h"

namespace {

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
    EXPECT_EQ(session.List().GetEntry(0).m_nGenre, 144);
    EXPECT_EQ(session.List().CellText(0, kColComment), "note ");
    // The second year edit changed nothing, so only three steps were recorded.
    EXPECT_EQ(session.UndoHistory().GetCount(), 3u);
    // Unlocked: one row only.
    EXPECT_EQ(session.List().GetEntry(1).m_nGenre, -1);
}

}  // namespace
