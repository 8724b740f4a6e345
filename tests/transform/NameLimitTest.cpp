// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "model/CellEdit.h"
#include "support/SessionFixture.h"
#include "transform/FindReplace.h"
#include "transform/NameTools.h"
#include "transform/Numbering.h"

namespace {

// Each test runs in a session that keeps undo steps and in one that never undoes its
// edits (a command line process), which keeps less of a changed row.
class NameLimitTest : public SessionTest, public ::testing::WithParamInterface<bool> {
protected:
    NameLimitTest() { session.SetUndoable(GetParam()); }
};

INSTANTIATE_TEST_SUITE_P(UndoableOrNot, NameLimitTest, ::testing::Bool());

// An edit that grows a name past the limit changes no row, records no undo step, leaves
// the list unmodified and says why. The limit itself may be reached, and a row already
// longer (from a list made elsewhere) may still change as long as it does not grow.
TEST_P(NameLimitTest, EditsThatGrowANamePastTheLimitAreRefused) {
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

// The rows changed before the one that grew too long are put back too, names and tag
// fields alike, whichever field grew.
TEST_P(NameLimitTest, ARefusedEditPutsBackTheRowsItChangedFirst) {
    AddRows({"abc.txt", "aaaa.txt"});
    ReplaceAll(session, "a", std::string(1100, 'b'), false);
    EXPECT_EQ(NewNames(), (std::vector<std::string>{"abc", "aaaa"}));

    session.SetMp3Columns();
    session.List().GetEntry(0).EditTitle().Set("a title");
    session.List().GetEntry(0).EditArtist().Set("an artist");
    session.List().GetEntry(1).EditComment().Set("aaaa");
    session.SetModified(false);
    const FieldChoice allFields{true, true, true, true};
    SReplaceSettings growA{"a", std::string(1100, 'b'), false, false};
    EXPECT_EQ(ReplaceAll(session, growA, allFields), ECommandOutcome::Unchanged);
    EXPECT_EQ(Column(kColTitle), (std::vector<std::string>{"a title", ""}));
    EXPECT_EQ(Column(kColArtist), (std::vector<std::string>{"an artist", ""}));
    EXPECT_EQ(Column(kColComment), (std::vector<std::string>{"", "aaaa"}));
    EXPECT_FALSE(session.IsModified());
    EXPECT_EQ(prompts.m_messages, std::vector<std::string>(2, kNameTooLongMessage));
}

// Without undo steps the commands still tell whether they changed the list, and mark it
// modified only then, so that it is saved only then.
TEST_P(NameLimitTest, CommandsTellWhetherTheyChangedTheList) {
    AddRows({"one.txt", "two.txt"});
    session.SetModified(false);
    EXPECT_EQ(ReplaceAll(session, "absent", "x", false), ECommandOutcome::Unchanged);
    EXPECT_EQ(TransformNames(session, ETextOperation::Lowercase), ECommandOutcome::Unchanged);
    EXPECT_FALSE(session.IsModified());
    EXPECT_EQ(TransformNames(session, ETextOperation::Uppercase), ECommandOutcome::Changed);
    EXPECT_EQ(NewNames(), (std::vector<std::string>{"ONE", "TWO"}));
    EXPECT_TRUE(session.IsModified());
    EXPECT_EQ(session.CanUndo(), GetParam());

    session.SetMp3Columns();
    session.SetModified(false);
    session.List().GetEntry(1).EditAlbum().Set("an album");
    const FieldChoice albumOnly{false, false, true, false};
    EXPECT_EQ(TransformNames(session, ETextOperation::TitleCase, albumOnly),
              ECommandOutcome::Changed);
    EXPECT_EQ(Column(kColAlbum), (std::vector<std::string>{"", "An Album"}));
    EXPECT_TRUE(session.IsModified());
}

// A replace of every byte by a long text is not built whole before it is refused.
TEST(TextFieldLimitTest, AReplaceThatWouldGrowPastTheLimitStopsJustPastIt) {
    CTextField field(std::string(kMaxNameBytes, 'a'));
    EXPECT_TRUE(field.Replace("a", std::string(100000, 'b'), true));
    EXPECT_EQ(field.GetLength(), kMaxNameBytes + 1);
}

}  // namespace
