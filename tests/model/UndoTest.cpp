#include <gtest/gtest.h>

#include "files/UndoCommand.h"
#include "support/SessionFixture.h"

namespace {

class UndoTest : public SessionTest {
protected:
    void Rename(int row, const std::string& name) {
        session.TakeSnapshot();
        session.List().GetEntry(row).m_strNewName.Set(name);
        session.CommitSnapshot(kUndoEdit);
    }
};

TEST_F(UndoTest, StepsAreUndoneInReverseOrderOnePerUndo) {
    AddRow("a.txt");
    AddRow("b.txt");
    Rename(0, "one");
    Rename(1, "two");
    Rename(0, "three");
    EXPECT_EQ(session.UndoHistory().GetCount(), 3u);
    EXPECT_TRUE(session.IsModified());

    Undo(session);
    EXPECT_EQ(NewNames(), (std::vector<std::string>{"one", "two"}));
    Undo(session);
    EXPECT_EQ(NewNames(), (std::vector<std::string>{"one", "b"}));
    Undo(session);
    EXPECT_EQ(NewNames(), (std::vector<std::string>{"a", "b"}));
    EXPECT_FALSE(session.CanUndo());
    Undo(session);
    EXPECT_EQ(NewNames(), (std::vector<std::string>{"a", "b"}));
}

TEST_F(UndoTest, CommitRecordsOnlyChangedRowsAndNothingWhenNothingChanged) {
    AddRow("a.txt");
    AddRow("b.txt");
    AddRow("c.txt");
    session.TakeSnapshot();
    EXPECT_FALSE(session.CommitSnapshot(kUndoEdit));
    EXPECT_FALSE(session.CanUndo());
    EXPECT_FALSE(session.IsModified());

    Rename(1, "B");
    ASSERT_EQ(session.UndoHistory().GetCount(), 1u);
    CUndoRecord& record = *session.UndoHistory().Top();
    ASSERT_EQ(record.GetCount(), 1u);
    EXPECT_EQ(record.At(0).m_nTag, 1);
    EXPECT_EQ(record.At(0).m_strNewName.Get(), "b");
}

TEST_F(UndoTest, RenameRunRecordsHoldEveryRow) {
    AddRow("a.txt");
    AddRow("b.txt");
    session.TakeSnapshot();
    EXPECT_TRUE(session.CommitSnapshot(kUndoRenameRun));
    EXPECT_EQ(session.UndoHistory().Top()->GetCount(), 2u);
    EXPECT_EQ(session.UndoHistory().TopKind(), kUndoRenameRun);
}

TEST_F(UndoTest, UndoingASortMovesContentsButNotSavedTags) {
    AddRow("b.mp3").m_strSavedTitle = "saved b";
    AddRow("a.mp3").m_strSavedTitle = "saved a";
    session.TakeSnapshot();
    session.List().Reorder({1, 0});
    session.CommitSnapshot(kUndoEdit);
    EXPECT_EQ(NewNames(), (std::vector<std::string>{"a", "b"}));

    Undo(session);
    EXPECT_EQ(NewNames(), (std::vector<std::string>{"b", "a"}));
    // The entry objects stayed in their new rows; only the copied fields moved back.
    EXPECT_EQ(session.List().GetEntry(0).m_strSavedTitle, "saved a");
}

TEST_F(UndoTest, AddingARowEmptiesTheHistory) {
    AddRow("a.txt");
    Rename(0, "x");
    ASSERT_TRUE(session.CanUndo());
    AddRow("b.txt");
    EXPECT_FALSE(session.CanUndo());
}

TEST_F(UndoTest, PartialSnapshotRecordsTheKeptRowsThatChanged) {
    AddRow("a.txt");
    AddRow("b.txt");
    AddRow("c.txt");
    session.TakePartialSnapshot();
    session.KeepRow(0);  // kept, left unchanged
    session.KeepRow(2);
    session.List().GetEntry(2).m_strNewName.Set("first");
    session.KeepRow(2);  // a second keep must not replace the copy taken before the change
    session.List().GetEntry(2).m_strNewName.Set("second");
    session.KeepRow(7);
    ASSERT_TRUE(session.CommitSnapshot(kUndoEdit));
    ASSERT_EQ(session.UndoHistory().Top()->GetCount(), 1u);
    EXPECT_EQ(session.UndoHistory().Top()->At(0).m_nTag, 2);
    Undo(session);
    EXPECT_EQ(NewNames(), (std::vector<std::string>{"a", "b", "c"}));

    session.TakePartialSnapshot();
    session.KeepRow(1);
    EXPECT_FALSE(session.CommitSnapshot(kUndoEdit));
}

TEST_F(UndoTest, SnapshotOfAnEmptyListRecordsNothing) {
    session.TakeSnapshot();
    EXPECT_FALSE(session.CommitSnapshot(kUndoRenameRun));
    EXPECT_FALSE(session.CanUndo());
}

}  // namespace
