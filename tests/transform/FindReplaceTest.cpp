#include <gtest/gtest.h>

#include <algorithm>

#include "files/RemoveCommand.h"
#include "files/UndoCommand.h"
#include "support/SessionFixture.h"
#include "transform/FindReplace.h"

namespace {

using Names = std::vector<std::string>;
using Rows = std::vector<int>;

class FindReplaceTest : public SessionTest {
protected:
    void SetUp() override {
        for (const char* name :
             {"alpha.mp3", "needle one.mp3", "beta.mp3", "gamma.mp3", "NEEDLE two.mp3"})
            AddRow(name);
    }
    Rows SelectedRows() {
        Rows rows;
        for (int row = 0; row < session.List().GetCount(); ++row)
            if (session.List().IsSelected(row))
                rows.push_back(row);
        return rows;
    }
};

// The search starts below the first selected row (the first row, selected, when none
// is) and never wraps to the top.
TEST_F(FindReplaceTest, FindSearchesBelowTheFirstSelectedRow) {
    EXPECT_FALSE(FindNext(session, "alpha", false));
    EXPECT_EQ(SelectedRows(), Rows{0});
    session.List().DeselectAll();
    session.List().SetSelected(2, true);
    EXPECT_FALSE(FindNext(session, "needle one", false));
    EXPECT_EQ(session.m_currentCell.nRow, 2);
    EXPECT_EQ(SelectedRows(), Rows{2});
    EXPECT_TRUE(FindNext(session, "NEEDLE", true));
    EXPECT_EQ(session.m_currentCell.nRow, 4);
    EXPECT_EQ(SelectedRows(), Rows{4});
    EXPECT_EQ(observer.m_calls[observer.m_calls.size() - 2], "show 4-4");
    EXPECT_FALSE(FindNext(session, "needle", false));
    EXPECT_EQ(prompts.m_messages,
              (Names{"Cannot find the string 'alpha'", "Cannot find the string 'needle one'",
                     "Cannot find the string 'needle'"}));
}

TEST_F(FindReplaceTest, ReplaceCurrentReplacesInTheSelectedRowThenFindsTheNext) {
    session.List().SetSelected(1, true);
    EXPECT_TRUE(ReplaceCurrent(session, "needle", "pin", false));
    EXPECT_EQ(NewNames()[1], "pin one");
    EXPECT_EQ(SelectedRows(), Rows{4});
    // Row 4 is selected now; Replace replaces there, finds nothing more and says so.
    HandleFindRequest(session, EFindRequest::Replace, "needle", "pin", false);
    EXPECT_EQ(NewNames()[4], "pin two");
    EXPECT_EQ(prompts.m_messages, Names{"Cannot find the string 'needle'"});
    EXPECT_EQ(session.UndoHistory().GetCount(), 2u);
    // A selected row without the text is not replaced into: the request finds instead.
    session.List().DeselectAll();
    session.List().SetSelected(0, true);
    HandleFindRequest(session, EFindRequest::Replace, "pin", "x", false);
    EXPECT_EQ(NewNames()[0], "alpha");
    EXPECT_EQ(SelectedRows(), Rows{1});
    EXPECT_EQ(session.UndoHistory().GetCount(), 2u);
}

TEST_F(FindReplaceTest, ReplaceAllIsOneUndoStepWithoutTrimmingOrMovingAnything) {
    session.List().SetSelected(3, true);
    session.m_currentCell = SCurrentCell{3, 0};
    EXPECT_EQ(ReplaceAll(session, "needle", " ", false), ECommandOutcome::Changed);
    EXPECT_EQ(NewNames(), (Names{"alpha", "  one", "beta", "gamma", "  two"}));
    EXPECT_EQ(SelectedRows(), Rows{3});
    EXPECT_EQ(session.m_currentCell.nRow, 3);
    EXPECT_TRUE(prompts.m_messages.empty());
    EXPECT_EQ(ReplaceAll(session, "absent", "x", false), ECommandOutcome::Unchanged);
    ASSERT_EQ(session.UndoHistory().GetCount(), 1u);
    EXPECT_EQ(session.UndoHistory().Top()->GetCount(), 2u);
    Undo(session);
    EXPECT_EQ(NewNames(), (Names{"alpha", "needle one", "beta", "gamma", "NEEDLE two"}));
    // The view is told once, of every row from the first changed to the last.
    observer.m_calls.clear();
    EXPECT_EQ(ReplaceAll(session, "a", "A", true), ECommandOutcome::Changed);
    EXPECT_EQ(std::count(observer.m_calls.begin(), observer.m_calls.end(), "changed 0-3"), 1);
}

class Mp3FindTest : public FindReplaceTest {
protected:
    void SetUp() override {
        const char* titles[] = {"t0", "find me", "t2", "t3", "t4"};
        const char* artists[] = {"find me first", "a1", "a2", "find me", "a4"};
        for (int row = 0; row < 5; ++row) {
            CHitDoc& entry = AddRow("song" + std::to_string(row) + ".mp3");
            entry.EditTitle().Set(titles[row]);
            entry.EditArtist().Set(artists[row]);
            entry.EditComment().Set(row == 2 ? "FIND ME" : "");
            entry.SetGenre(17);
        }
        session.SetMp3Columns();
        observer.m_calls.clear();
    }
    void Expect(bool found, int row, int column) {
        EXPECT_EQ(FindNext(session, "find me", false), found);
        EXPECT_EQ(session.m_currentCell.nRow, row);
        EXPECT_EQ(session.m_currentCell.nColumn, column);
    }
};

// Column by column: the column a search enters is searched from its top row again.
TEST_F(Mp3FindTest, FindWalksThroughTheColumnsAndStopsPastComment) {
    Expect(true, 1, kColTitle);
    Expect(true, 0, kColArtist);  // entered untested, though it holds a match
    Expect(true, 3, kColArtist);
    for (int column : {kColAlbum, kColYear, kColGenre, kColComment})
        Expect(true, 0, column);
    Expect(true, 2, kColComment);
    EXPECT_TRUE(prompts.m_messages.empty());
    EXPECT_EQ(observer.m_calls.back(), "editor 2-6");  // the match's editor is open
    Expect(false, 0, kColComment + 1);
    Expect(false, 0, kColComment + 1);
    EXPECT_EQ(prompts.m_messages, Names(2, "Cannot find the string 'find me'"));
    session.m_currentCell = SCurrentCell{-1, kColArtist};  // a click sets the cell anew
    Expect(true, 0, kColArtist);
}

TEST_F(Mp3FindTest, ReplaceCurrentPlacesTheCellFirstAndNeverReplacesIntoGenre) {
    EXPECT_TRUE(ReplaceCurrent(session, "find me", "found", false));
    EXPECT_EQ(session.List().GetEntry(1).Title().Get(), "found");
    EXPECT_EQ(session.m_currentCell.nColumn, kColArtist);  // the following find moved on
    EXPECT_EQ(observer.m_calls[2], "end editing");
    session.m_currentCell = SCurrentCell{0, kColGenre};
    HandleFindRequest(session, EFindRequest::Replace, "Rock", "Pop", true);
    EXPECT_EQ(session.List().GetEntry(0).Genre(), 17);
    EXPECT_EQ(session.m_currentCell.nRow, 1);  // went on to the next match instead
    EXPECT_EQ(session.UndoHistory().GetCount(), 1u);

    // The row a find stopped at may be removed before Replace is pressed.
    session.m_currentCell = SCurrentCell{1, kColTitle};
    for (int row = 1; row < 5; ++row)
        session.List().SetSelected(row, true);
    ASSERT_EQ(Remove(session), 4);
    EXPECT_FALSE(ReplaceCurrent(session, "find me", "x", false));
    EXPECT_EQ(session.List().GetEntry(0).Artist().Get(), "find me first");
    EXPECT_FALSE(session.CanUndo());  // a removal empties the history
}

TEST_F(Mp3FindTest, ReplaceAllWorksOnTheChosenFieldsAfterTheOptionsSheet) {
    EXPECT_EQ(ReplaceAll(session, "find", "lose", false), ECommandOutcome::Cancelled);
    SId3EditorOptions options;
    options.format = {false, true, false, true};  // Artist and Comment
    prompts.m_options.push_back(options);
    EXPECT_EQ(ReplaceAll(session, "find", "lose", false), ECommandOutcome::Changed);
    EXPECT_EQ(session.List().GetEntry(1).Title().Get(), "find me");
    EXPECT_EQ(session.List().GetEntry(3).Artist().Get(), "lose me");
    EXPECT_EQ(session.List().GetEntry(2).Comment().Get(), "lose ME");
    EXPECT_EQ(session.UndoHistory().GetCount(), 1u);
    Undo(session);
    EXPECT_EQ(session.List().GetEntry(0).Artist().Get(), "find me first");
    EXPECT_EQ(session.List().GetEntry(2).Comment().Get(), "FIND ME");
}

}  // namespace
