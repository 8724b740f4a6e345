// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "model/CellEdit.h"
#include "support/SessionFixture.h"
#include "transform/FindReplace.h"
#include "transform/Numbering.h"

namespace {

using NameLimitTest = SessionTest;

// An edit that grows a name past the limit changes no row, records no undo step, leaves
// the list unmodified and says why. The limit itself may be reached, and a row already
// longer (from a list made elsewhere) may still change as long as it does not grow.
TEST_F(NameLimitTest, EditsThatGrowANamePastTheLimitAreRefused) {
    AddRows({"short.txt", "aaaa.txt"});
    SNumberingSettings numbering;
    numbering.strName = std::string(kMaxNameBytes - 1, 'n');
    ReplaceAll(session, "a", std::string(1100, 'b'), false);
    CommitCellEdit(session, 0, 0, std::string(kMaxNameBytes + 1, 'x'));
    ApplyNumbering(session, numbering);
    EXPECT_EQ(NewNames(), (std::vector<std::string>{"short", "aaaa"}));
    EXPECT_FALSE(session.CanUndo() || session.IsModified());
    EXPECT_EQ(prompts.m_messages, std::vector<std::string>(3, kNameTooLongMessage));
    prompts.m_messages.clear();
    ReplaceAll(session, "a", std::string(kMaxNameBytes / 4, 'b'), false);
    EXPECT_EQ(NewNames()[1], std::string(kMaxNameBytes, 'b'));
    session.List().GetEntry(0).m_strNewName.Set(std::string(kMaxNameBytes + 10, 'c'));
    ReplaceAll(session, "c", "d", true);
    EXPECT_EQ(NewNames()[0], std::string(kMaxNameBytes + 10, 'd'));
    EXPECT_TRUE(prompts.m_messages.empty());
}

// A replace of every byte by a long text is not built whole before it is refused.
TEST(TextFieldLimitTest, AReplaceThatWouldGrowPastTheLimitStopsJustPastIt) {
    CTextField field(std::string(kMaxNameBytes, 'a'));
    EXPECT_TRUE(field.Replace("a", std::string(100000, 'b'), true));
    EXPECT_EQ(field.GetLength(), kMaxNameBytes + 1);
}

}  // namespace
