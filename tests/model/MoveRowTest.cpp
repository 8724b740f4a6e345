#include <gtest/gtest.h>

#include "files/UndoCommand.h"
#include "model/MoveRow.h"
#include "support/SessionFixture.h"

namespace {

class MoveRowTest : public SessionTest {
protected:
    void SetUp() override {
        for (const char* name : {"A.txt", "B.txt", "C.txt"})
            AddRow(name);
    }
};

TEST_F(MoveRowTest, TheRowLandsBeforeTheDropRowOrAtTheEnd) {
    struct {
        int dragged;
        int drop;
        std::vector<std::string> order;
    } cases[] = {
        {0, 2, {"B", "A", "C"}},  // A onto C
        {2, 0, {"C", "A", "B"}},  // C onto A
        {0, 3, {"B", "C", "A"}},  // A below the last row
        {1, 1, {"A", "B", "C"}},  // onto itself
        {1, 2, {"A", "B", "C"}},  // onto the row right below
        {1, 7, {"A", "B", "C"}},  // outside the list
    };
    for (const auto& one : cases) {
        bool moved = MoveRow(session, one.dragged, one.drop);
        EXPECT_EQ(NewNames(), one.order) << one.dragged << " onto " << one.drop;
        EXPECT_EQ(moved, one.order != (std::vector<std::string>{"A", "B", "C"}));
        if (moved) {
            Undo(session);
            ASSERT_EQ(NewNames(), (std::vector<std::string>{"A", "B", "C"}));
        }
    }
    EXPECT_FALSE(session.CanUndo());
}

TEST_F(MoveRowTest, OnlyTheDraggedRowMovesAndKeepsItsSelection) {
    for (int row = 0; row < 3; ++row)
        session.List().SetSelected(row, row != 1);
    session.List().SetFocusedRow(2);
    ASSERT_TRUE(MoveRow(session, 2, 0));
    EXPECT_EQ(NewNames(), (std::vector<std::string>{"C", "A", "B"}));
    EXPECT_TRUE(session.List().IsSelected(0));
    EXPECT_TRUE(session.List().IsSelected(1));
    EXPECT_FALSE(session.List().IsSelected(2));
    EXPECT_EQ(session.List().GetFocusedRow(), 0);
    EXPECT_TRUE(session.IsModified());
}

}  // namespace
