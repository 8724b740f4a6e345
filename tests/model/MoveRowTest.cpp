#include <gtest/gtest.h>

#include "files/UndoCommand.h"
#include "model/MoveRow.h"
#include "support/SessionFixture.h"

namespace {

using MoveRowTest = SessionTest;

// Selection stays with the rows, the keyboard row with the dragged one; each move is one
// undo step.
TEST_F(MoveRowTest, TheRowLandsBeforeTheDropRowOrAtTheEnd) {
    for (const char* name : {"A.txt", "B.txt", "C.txt"})
        AddRow(name);
    const std::vector<std::string> unmoved{"A", "B", "C"};
    struct {
        int dragged, drop;
        std::vector<std::string> order;
    } cases[] = {{0, 2, {"B", "A", "C"}}, {2, 0, {"C", "A", "B"}}, {0, 3, {"B", "C", "A"}},
                 {1, 1, unmoved},         {1, 2, unmoved},         {1, 7, unmoved}};
    for (const auto& one : cases) {
        SCOPED_TRACE(std::to_string(one.dragged) + " onto " + std::to_string(one.drop));
        session.List().DeselectAll();
        session.List().SetSelected(2, true);
        session.List().SetFocusedRow(2);
        EXPECT_EQ(MoveRow(session, one.dragged, one.drop), one.order != unmoved);
        EXPECT_EQ(NewNames(), one.order);
        if (one.order != unmoved) {
            int c = std::find(one.order.begin(), one.order.end(), "C") - one.order.begin();
            EXPECT_TRUE(session.List().IsSelected(c));
            if (one.dragged == 2) {
                EXPECT_EQ(session.List().GetFocusedRow(), c);
            }
            EXPECT_TRUE(session.IsModified());
            Undo(session);
            ASSERT_EQ(NewNames(), unmoved);
        }
    }
    EXPECT_FALSE(session.CanUndo());
}

}  // namespace
