#include <gtest/gtest.h>

#include "support/SessionFixture.h"

namespace {

using RenameListTest = SessionTest;

TEST_F(RenameListTest, RemovingAdjacentSelectedRowsSkipsNone) {
    for (const char* name : {"a.txt", "b.txt", "c.txt", "d.txt", "e.txt", "f.txt"})
        AddRow(name);
    CRenameList& list = session.List();
    for (int row : {1, 2, 3, 5})
        list.SetSelected(row, true);
    observer.m_calls.clear();

    EXPECT_EQ(list.RemoveSelected(), 4);
    EXPECT_EQ(NewNames(), (std::vector<std::string>{"a", "e"}));
    EXPECT_EQ(observer.m_calls, (std::vector<std::string>{"removed 5-1", "removed 1-3"}));
    EXPECT_FALSE(list.IsSelected(0));
    EXPECT_FALSE(list.IsSelected(1));
}

TEST_F(RenameListTest, CellTextsFollowTheModeOfTheList) {
    CHitDoc& entry = AddRow("Song.mp3");
    entry.m_strNewName.Set("New");
    entry.SetSize(42);
    entry.m_strModified.Set("7/4/1999 9:5");
    entry.SetFromTag("Title", "Artist", "Album", "1999", "Comment", 0);
    CRenameList& list = session.List();

    std::vector<std::string> normal, mp3;
    for (int c = 0; c < list.GetColumnCount(); ++c)
        normal.push_back(list.CellText(0, c));
    session.SetMp3Columns();
    for (int c = 0; c < list.GetColumnCount(); ++c)
        mp3.push_back(list.CellText(0, c));

    EXPECT_EQ(normal, (std::vector<std::string>{"New", "Song", ".mp3", "42", "7/4/1999 9:5",
                                                "/music/Song.mp3"}));
    EXPECT_EQ(mp3, (std::vector<std::string>{"Song.mp3", "Title", "Artist", "Album", "1999",
                                             "Blues", "Comment"}));
    EXPECT_EQ(session.m_currentCell.nColumn, kColTitle);
    EXPECT_EQ(session.m_currentCell.nRow, -1);
}

}  // namespace
