// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "files/RunCommands.h"
#include "model/SortRows.h"
#include "support/SessionFixture.h"

namespace {

using Names = std::vector<std::string>;

using RenameListTest = SessionTest;

// Each column keeps its own direction, also across the switch to MP3 mode, where the
// columns sort by the tags (genres by number: -1, 0 for Blues, 17 for Rock).
TEST_F(RenameListTest, EachColumnKeepsItsOwnDirectionAcrossTheModes) {
    AddRow("c.mp3").SetFromTag("", "beta", "", "1", "", -1);
    AddRow("a.mp3").SetFromTag("", "zed", "", "1999", "", 17);
    AddRow("b.mp3").SetFromTag("", "Alpha", "", "", "", 0);
    SortByColumn(session, 0);
    session.SetMp3Columns();
    std::pair<int, Names> sorts[] = {{4, {"b.mp3", "c.mp3", "a.mp3"}},
                                     {5, {"c.mp3", "b.mp3", "a.mp3"}},
                                     {2, {"b.mp3", "c.mp3", "a.mp3"}},
                                     {0, {"c.mp3", "b.mp3", "a.mp3"}}};  // now descending
    for (const auto& [column, names] : sorts) {
        EXPECT_TRUE(SortByColumn(session, column));
        EXPECT_EQ(Column(0), names) << column;  // the file names in MP3 mode
    }
}

// Sizes compare by all 64 bits, times as signed numbers, the current name with its
// extension; texts fold letters to lower case, "Z" too (so "_" comes first), keep equal
// keys in their order and put bytes above 0x7F last.
TEST_F(RenameListTest, NumbersAndNamesCompareByTheirWholeValue) {
    CHitDoc& mp3 = AddRow("song.mp3");
    mp3.SetSize(1000000000ull);
    mp3.m_timeModified = 100;
    CHitDoc& aac = AddRow("song.aac");
    aac.SetSize(7);
    aac.m_timeModified = 4000000000;
    CHitDoc& bare = AddRow("song");
    bare.SetSize(5000000000ull);  // low 32 bits: 705032704
    bare.m_timeModified = -86400;
    std::pair<int, Names> sorts[] = {{3, {".aac", ".mp3", ""}},  // rows told by extension
                                     {4, {"", ".mp3", ".aac"}},
                                     {1, {"", ".aac", ".mp3"}}};
    for (const auto& [column, extensions] : sorts) {
        SortByColumn(session, column);
        EXPECT_EQ(Column(2), extensions) << column;
    }
    session.List().Empty();
    AddRows({"b.txt", "Zz.txt", "A_b.txt", "Ab.txt", "a_c.txt", "\xc3\xa9.txt", "B.txt"});
    SortByColumn(session, 0);
    EXPECT_EQ(NewNames(), (Names{"A_b", "a_c", "Ab", "b", "B", "Zz", "\xc3\xa9"}));
}

TEST_F(RenameListTest, ASortIsOneUndoStepKeepingSelectionAndFocusWithTheirEntries) {
    AddRows({"c.txt", "a.txt", "b.txt"});
    session.List().SetFocusedRow(1);
    EXPECT_TRUE(SortByColumn(session, 0));
    EXPECT_EQ(session.List().GetFocusedRow(), 0);
    EXPECT_FALSE(SortRows(session, 0, true));  // already sorted: no step
    EXPECT_EQ(session.UndoHistory().GetCount(), 1u);
    Undo(session);
    EXPECT_EQ(NewNames(), (Names{"c", "a", "b"}));

    // Columns the mode lacks and bad permutations leave the order alone.
    EXPECT_FALSE(SortByColumn(session, 6));  // no seventh column in normal mode
    for (std::vector<int> order : {std::vector<int>{0}, {1, 1, 0}, {0, 1, 3}, {-1, 0, 1}})
        EXPECT_FALSE(session.List().Reorder(order));
    EXPECT_EQ(NewNames(), (Names{"c", "a", "b"}));
}

// A process that ends after its sort keeps no copies to undo it; the list is still marked
// modified, so that it is saved.
TEST_F(RenameListTest, ASortWithoutUndoCopiesStillMarksTheListModified) {
    AddRows({"c.txt", "a.txt", "b.txt"});
    session.SetModified(false);
    session.SetUndoable(false);
    EXPECT_TRUE(SortRows(session, 0, true));
    EXPECT_EQ(NewNames(), (Names{"a", "b", "c"}));
    EXPECT_TRUE(session.IsModified());
    EXPECT_EQ(session.UndoHistory().GetCount(), 0u);
}

}  // namespace
