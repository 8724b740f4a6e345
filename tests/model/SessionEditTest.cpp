// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>

#include "files/RunCommands.h"
#include "model/CellEdit.h"
#include "model/CommandState.h"
#include "model/MoveRow.h"
#include "model/TagEditing.h"
#include "model/TextExport.h"
#include "support/SessionFixture.h"
#include "support/TempDir.h"

// Edits of the list's cells and rows, the commands they enable and the text export.
namespace {

using Names = std::vector<std::string>;
using MoveRowTest = SessionTest;
using TextExportTest = SessionTest;

class TagEditingTest : public SessionTest {
protected:
    void SetUp() override { AddRows({"a.mp3", "b.mp3"}); }
};

TEST_F(TagEditingTest, NormalModeSetsTheNewNameWithoutLeadingBlanks) {
    EXPECT_TRUE(CommitCellEdit(session, 1, 3, "  new name  "));
    EXPECT_EQ(NewNames(), (std::vector<std::string>{"a", "new name  "}));
    EXPECT_TRUE(session.CanUndo() && session.IsModified());
    session.UndoHistory().Clear();
    for (const char* refused : {"   ", "", "\\NOCHANGE\\"})
        EXPECT_FALSE(CommitCellEdit(session, 0, 0, refused)) << refused;
    EXPECT_FALSE(CommitCellEdit(session, 5, 0, "out of range"));
    EXPECT_EQ(NewNames()[0], "a");
    EXPECT_FALSE(session.CanUndo());
}

// Years outside the range and unknown genres store none; each edit that changed a value
// is one step, in its row only while the column is unlocked.
TEST_F(TagEditingTest, Mp3ModeRefusesTheFileNameAndStoresTagValues) {
    session.SetMp3Columns();
    EXPECT_FALSE(CommitCellEdit(session, 0, kColFilename, "renamed"));
    EXPECT_EQ(session.List().CellText(0, kColFilename), "a.mp3");
    EXPECT_FALSE(session.CanUndo());
    for (auto [text, year] : {std::pair{"1999", 1999}, {"0", -1}, {"10000", -1}, {"2000ad", 2000}}) {
        SetTagValue(session, 0, kColYear, text);
        EXPECT_EQ(session.List().GetEntry(0).Year(), year) << text;
    }
    session.UndoHistory().Clear();

    EXPECT_TRUE(CommitCellEdit(session, 0, kColYear, " 1999"));
    EXPECT_TRUE(CommitCellEdit(session, 1, kColYear, "10000"));
    EXPECT_TRUE(CommitCellEdit(session, 0, kColGenre, "Trash Metal"));
    EXPECT_TRUE(CommitCellEdit(session, 0, kColComment, "\tnote "));
    EXPECT_EQ(Column(kColYear), (Names{"1999", ""}));
    EXPECT_EQ(session.List().GetEntry(0).Genre(), 144);
    EXPECT_EQ(session.List().CellText(0, kColComment), "note ");
    EXPECT_EQ(session.UndoHistory().GetCount(), 3u);  // the second year changed nothing
}

TEST_F(TagEditingTest, APartialSnapshotRecordsTheKeptRowsThatChanged) {
    session.TakePartialSnapshot();
    session.KeepRow(0);  // kept, left unchanged
    session.KeepRow(1);
    session.List().GetEntry(1).m_strNewName.Set("first");
    session.KeepRow(1);  // a second keep must not replace the copy taken before the change
    session.List().GetEntry(1).m_strNewName.Set("second");
    session.KeepRow(7);
    ASSERT_TRUE(session.CommitSnapshot(kUndoEdit));
    ASSERT_EQ(session.UndoHistory().Top()->GetCount(), 1u);
    EXPECT_EQ(session.UndoHistory().Top()->At(0).m_nTag, 1);
    Undo(session);
    EXPECT_EQ(NewNames(), (Names{"a", "b"}));
    EXPECT_FALSE(session.CanUndo());
}

// Selection stays with the rows, the keyboard row with the dragged one; each move is one
// undo step.
TEST_F(MoveRowTest, TheRowLandsBeforeTheDropRowOrAtTheEnd) {
    AddRows({"A.txt", "B.txt", "C.txt"});
    const std::vector<std::string> unmoved{"A", "B", "C"};
    // The row dragged, the row it is dropped onto, and the order then.
    std::tuple<int, int, std::vector<std::string>> cases[] = {
        {0, 2, {"B", "A", "C"}}, {2, 0, {"C", "A", "B"}}, {0, 3, {"B", "C", "A"}},
        {1, 1, unmoved},         {1, 2, unmoved},         {1, 7, unmoved}};
    for (const auto& [dragged, drop, order] : cases) {
        SCOPED_TRACE(std::to_string(dragged) + " onto " + std::to_string(drop));
        session.List().DeselectAll();
        session.List().SetSelected(2, true);
        session.List().SetFocusedRow(2);
        EXPECT_EQ(MoveRow(session, dragged, drop), order != unmoved);
        EXPECT_EQ(NewNames(), order);
        if (order != unmoved) {
            int c = std::find(order.begin(), order.end(), "C") - order.begin();
            EXPECT_TRUE(session.List().IsSelected(c));
            if (dragged == 2) {
                EXPECT_EQ(session.List().GetFocusedRow(), c);
            }
            Undo(session);
            ASSERT_EQ(NewNames(), unmoved);
        }
    }
    EXPECT_FALSE(session.CanUndo());
}

class CommandStateTest : public SessionTest {
protected:
    // The commands of the list, enabled as expected (E) or greyed (g).
    void Expect(const std::string& states) {
        using enum ECommandId;
        const ECommandId commands[] = {New,  Add,        Remove, Rename,       Options, Lock,
                                       Undo, FindReplace, ToggleMode, Go, RenameWizard, SaveId3,
                                       FilenameToId3, Id3ToFilename};
        std::string actual;
        for (ECommandId command : commands)
            actual += CommandState(session, command).bEnabled ? 'E' : 'g';
        EXPECT_EQ(actual, states);
    }
};

// An empty list is all MP3; one file that is no MP3 greys the MP3 commands; MP3 mode swaps
// the mode commands.
TEST_F(CommandStateTest, TheModeAndTheFilesChooseTheCommands) {
    Expect("EEEEEEggEEEggg");
    AddRow("a.mp3");
    session.RecomputeAllMp3();
    Expect("EEEEEEgEEEEggE");
    AddRow("b.txt");
    session.RecomputeAllMp3();
    Expect("EEEEEEgEgEEggg");
    session.List().Empty();
    AddRow("a.mp3");
    session.SetMp3Columns();
    Expect("EEEEEEgEEggEEg");
}

// Each new file name on its own line in row order, in either mode, bytes as they are; an
// empty list truncates the file. Failures to create or write say so and change nothing.
TEST_F(TextExportTest, WritesEachNewFileNameOnItsOwnLineInRowOrder) {
    std::string path = dir.WriteFile("names.txt", std::string(100, 'x') + "\n");
    AddRow("draft.doc").m_strExt.Set(".txt");
    AddRow("bad\xff name.bin", "/other/folder/");
    session.SetMp3Columns();
    ASSERT_TRUE(SaveToTextFile(session, path));
    EXPECT_EQ(ReadFileBytes(path), "draft.txt\nbad\xff name.bin\n");

    std::vector<std::string> targets{dir / "missing/names.txt", dir.MakeFolder("folder")};
    if (access("/dev/full", W_OK) == 0)
        targets.push_back("/dev/full");  // opens, then fails when the bytes are flushed
    for (const std::string& failing : targets) {
        prompts.m_messages.clear();
        EXPECT_FALSE(SaveToTextFile(session, failing)) << failing;
        EXPECT_EQ(prompts.m_messages, std::vector<std::string>{"Cannot write file: Access denied"});
    }
}

}  // namespace
