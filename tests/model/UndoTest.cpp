#include <gtest/gtest.h>

#include "files/UndoCommand.h"
#include "support/SessionFixture.h"

namespace {

class UndoTest : public SessionTest {
protected:
    void SetUp() override {
        for (const char* name : {"a.txt", "b.txt", "c.txt"})
            AddRow(name);
    }
    void Rename(int row, const std::string& name) {
        session.TakeSnapshot();
        session.List().GetEntry(row).m_strNewName.Set(name);
        session.CommitSnapshot(kUndoEdit);
    }
    using Names = std::vector<std::string>;
};

TEST_F(UndoTest, StepsAreUndoneInReverseOrderOnePerUndo) {
    session.TakeSnapshot();
    EXPECT_FALSE(session.CommitSnapshot(kUndoEdit));  // nothing changed: nothing recorded
    EXPECT_FALSE(session.CanUndo());
    EXPECT_FALSE(session.IsModified());

    Rename(0, "one");
    ASSERT_EQ(session.UndoHistory().Top()->GetCount(), 1u);  // only the changed row
    EXPECT_EQ(session.UndoHistory().Top()->At(0).m_nTag, 0);
    Rename(1, "two");
    Rename(0, "three");
    EXPECT_EQ(session.UndoHistory().GetCount(), 3u);
    EXPECT_TRUE(session.IsModified());

    for (const Names& names : {Names{"one", "two", "c"}, Names{"one", "b", "c"},
                               Names{"a", "b", "c"}, Names{"a", "b", "c"}}) {
        Undo(session);
        EXPECT_EQ(NewNames(), names);
    }
    EXPECT_FALSE(session.CanUndo());
}

TEST_F(UndoTest, UndoingASortMovesContentsButNotSavedTags) {
    for (int row : {0, 1}) {
        CHitDoc& entry = session.List().GetEntry(row);
        entry.EditTitle().Set(row == 0 ? "saved a" : "saved b");
        entry.CommitTag();
    }
    session.TakeSnapshot();
    session.List().Reorder({1, 0, 2});
    session.CommitSnapshot(kUndoEdit);
    EXPECT_EQ(NewNames(), (Names{"b", "a", "c"}));

    Undo(session);
    EXPECT_EQ(NewNames(), (Names{"a", "b", "c"}));
    // The entry objects stayed in their new rows; only the copied fields moved back.
    EXPECT_EQ(session.List().GetEntry(0).GetSavedTag().title.Get(), "saved b");
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

    session.TakePartialSnapshot();
    session.KeepRow(1);
    EXPECT_FALSE(session.CommitSnapshot(kUndoEdit));
}

}  // namespace
