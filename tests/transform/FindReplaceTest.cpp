// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "files/RemoveCommand.h"
#include "files/RunCommands.h"
#include "support/SessionFixture.h"
#include "transform/FindReplace.h"

namespace {

using Names = std::vector<std::string>;

class FindReplaceTest : public SessionTest {
protected:
    void SetUp() override {
        AddRows({"alpha.mp3", "needle one.mp3", "beta.mp3", "gamma.mp3", "NEEDLE two.mp3"});
    }
    void SelectOnly(int row) {
        session.List().DeselectAll();
        session.List().SetSelected(row, true);
    }
    // The one selected row; -2 when there are more.
    int Selected() {
        int found = -1;
        for (int row = 0; row < session.List().GetCount(); ++row)
            if (session.List().IsSelected(row))
                found = found < 0 ? row : -2;
        return found;
    }
};

// The search starts below the first selected row (the first row, selected, when none
// is) and never wraps to the top. Replace replaces in the selected row when it holds the
// text, then finds the next; otherwise it only finds.
TEST_F(FindReplaceTest, FindAndReplaceWorkBelowTheFirstSelectedRow) {
    EXPECT_FALSE(FindNext(session, "alpha", false));
    EXPECT_EQ(Selected(), 0);
    SelectOnly(1);
    EXPECT_TRUE(FindNext(session, "NEEDLE", true));
    EXPECT_EQ(std::pair(Selected(), session.m_currentCell.nRow), std::pair(4, 4));
    EXPECT_FALSE(FindNext(session, "needle", false));
    EXPECT_EQ(prompts.m_messages.size(), 2u);

    SelectOnly(1);
    HandleFindRequest(session, EFindRequest::Replace, "needle", "pin", false);
    EXPECT_EQ(Selected(), 4);
    HandleFindRequest(session, EFindRequest::Replace, "needle", "pin", false);
    EXPECT_EQ(NewNames(), (Names{"alpha", "pin one", "beta", "gamma", "pin two"}));
    SelectOnly(0);
    HandleFindRequest(session, EFindRequest::Replace, "pin", "x", false);
    EXPECT_EQ(std::tuple(NewNames()[0], Selected()), std::tuple("alpha", 1));
    EXPECT_EQ(session.UndoHistory().GetCount(), 2u);
}

TEST_F(FindReplaceTest, ReplaceAllIsOneUndoStepWithoutTrimmingOrMovingAnything) {
    SelectOnly(3);
    EXPECT_EQ(ReplaceAll(session, "needle", " ", false), ECommandOutcome::Changed);
    EXPECT_EQ(NewNames(), (Names{"alpha", "  one", "beta", "gamma", "  two"}));
    EXPECT_EQ(Selected(), 3);
    EXPECT_EQ(ReplaceAll(session, "absent", "x", false), ECommandOutcome::Unchanged);
    ASSERT_EQ(session.UndoHistory().GetCount(), 1u);
    Undo(session);
    EXPECT_EQ(NewNames(), (Names{"alpha", "needle one", "beta", "gamma", "NEEDLE two"}));
}

// Without "Regular expression" a text is only itself: a dot, brackets and a dollar sign
// match those characters and nothing else, in the replacement too.
using PlainFindTest = SessionTest;
TEST_F(PlainFindTest, PlainTextMatchesOnlyItself) {
    AddRows({"a.b (1).mp3", "axb 11.mp3"});
    EXPECT_EQ(ReplaceAll(session, ".", "$1", false), ECommandOutcome::Changed);
    EXPECT_EQ(NewNames(), (Names{"a$1b (1)", "axb 11"}));
    EXPECT_EQ(ReplaceAll(session, "(1)", "[x]", false), ECommandOutcome::Changed);
    EXPECT_EQ(NewNames(), (Names{"a$1b [x]", "axb 11"}));
}

class Mp3FindTest : public FindReplaceTest {
protected:
    void SetUp() override {
        const char* artists[] = {"find me first", "a1", "a2", "find me", "a4"};
        for (int row = 0; row < 5; ++row) {
            CHitDoc& entry = AddRow("song" + std::to_string(row) + ".mp3");
            entry.EditTitle().Set(row == 1 ? "find me" : "t");
            entry.EditArtist().Set(artists[row]);
            entry.EditComment().Set(row == 2 ? "FIND ME" : "");
            entry.SetGenre(17);
        }
        session.SetMp3Columns();
    }
    void Expect(bool found, int row, int column) {
        bool foundNow = FindNext(session, "find me", false);
        EXPECT_EQ(std::tuple(foundNow, session.m_currentCell.nRow, session.m_currentCell.nColumn),
                  std::tuple(found, row, column));
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
    Expect(false, 0, kColComment + 1);
}

// Replace places the cell first and never replaces into the genre; a removed row is not
// replaced into.
TEST_F(Mp3FindTest, ReplaceCurrentPlacesTheCellFirstAndNeverReplacesIntoGenre) {
    EXPECT_TRUE(ReplaceCurrent(session, "find me", "found", false));
    EXPECT_EQ(session.List().GetEntry(1).Title().Get(), "found");
    EXPECT_EQ(session.m_currentCell.nColumn, kColArtist);  // the following find moved on
    session.m_currentCell = SCurrentCell{0, kColGenre};
    HandleFindRequest(session, EFindRequest::Replace, "Rock", "Pop", true);
    EXPECT_EQ(session.List().GetEntry(0).Genre(), 17);
    EXPECT_EQ(session.UndoHistory().GetCount(), 1u);

    session.m_currentCell = SCurrentCell{1, kColTitle};
    for (int row = 1; row < 5; ++row)
        session.List().SetSelected(row, true);
    ASSERT_EQ(Remove(session), 4);
    EXPECT_FALSE(ReplaceCurrent(session, "find me", "x", false));
    EXPECT_EQ(session.List().GetEntry(0).Artist().Get(), "find me first");
}

}  // namespace
