// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "model/ListState.h"
#include "support/SessionFixture.h"

namespace {

using ListStateTest = SessionTest;

// The status bar's counts: rows and selected rows always, and in MP3 mode the tags
// changed and not yet written; one of each reads in the singular.
TEST_F(ListStateTest, CountsRowsSelectionAndUnsavedTagsInMp3Mode) {
    EXPECT_EQ(ListStateText(ListStateOf(session)), "0 rows, 0 selected");
    AddRows({"a.mp3", "b.mp3", "c.mp3"});
    session.List().SetSelected(1, true);
    EXPECT_EQ(ListStateText(ListStateOf(session)), "3 rows, 1 selected");

    // A tag edited outside MP3 mode is not told: the status bar has no tags to show then.
    session.List().GetEntry(0).EditTitle().Set("Changed");
    EXPECT_EQ(ListStateText(ListStateOf(session)), "3 rows, 1 selected");
    session.SetMp3Columns();
    SListState state = ListStateOf(session);
    EXPECT_TRUE(state.bMp3Mode);
    EXPECT_EQ(ListStateText(state), "3 rows, 1 selected, 1 tag not saved");
    session.List().GetEntry(2).EditTitle().Set("Changed too");
    session.List().SetSelected(2, true);
    EXPECT_EQ(ListStateText(ListStateOf(session)), "3 rows, 2 selected, 2 tags not saved");
}

}  // namespace
