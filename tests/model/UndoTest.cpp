#include <gtest/gtest.h>

#include "files/UndoCommand.h"
#include "support/SessionFixture.h"

namespace {

using Names = std::vector<std::string>;

class UndoTest : public SessionTest {
protected:
    void SetUp() override {
        for (const char* name : {"a.txt", "b.txt", "c.txt"})
            AddRow(name);
    }
};

// Undo copies the fields back into the rows; the entry objects stay where the sort put them.
TEST_F(UndoTest, UndoingASortMovesContentsButNotSavedTags) {
    for (int row : {0, 1}) {
        CHitDoc& entry = session.List().GetEntry(row);
        entry.m_strTitle.Set(row == 0 ? "saved a" : "saved b");
        entry.CommitTag();
    }
    session.TakeSnapshot();
    session.List().Reorder({1, 0, 2});
    session.CommitSnapshot(kUndoEdit);
    EXPECT_EQ(NewNames(), (Names{"b", "a", "c"}));
    Undo(session);
    EXPECT_EQ(NewNames(), (Names{"a", "b", "c"}));
    EXPECT_EQ(session.List().GetEntry(0).GetSavedTag().strTitle, "saved b");
}

TEST_F(UndoTest, PartialSnapshotRecordsTheKeptRowsThatChanged) {
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
    EXPECT_EQ(NewNames(), (Names{"a", "b", "c"}));
    EXPECT_FALSE(session.CanUndo());

    session.TakePartialSnapshot();
    session.KeepRow(1);
    EXPECT_FALSE(session.CommitSnapshot(kUndoEdit));
}

}  // namespace
