#include <gtest/gtest.h>

#include "support/SessionFixture.h"

namespace {

using RenameListTest = SessionTest;

TEST_F(RenameListTest, RemovingAdjacentSelectedRowsSkipsNone) {
    for (const char* name : {"a.txt", "b.txt", "c.txt", "d.txt", "e.txt", "f.txt"})
        AddRow(name);
    CRenameList& list = session.List();
    list.SetSelected(1, true);
    list.SetSelected(2, true);
    list.SetSelected(3, true);
    list.SetSelected(5, true);
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
    entry.m_strTitle.Set("Title");
    entry.m_strArtist.Set("Artist");
    entry.m_strAlbum.Set("Album");
    entry.m_nYear = 1999;
    entry.m_nGenre = 0;
    entry.m_strComment.Set("Comment");
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

TEST_F(RenameListTest, AllMp3FlagIgnoresCaseAndHoldsForAnEmptyList) {
    EXPECT_TRUE(session.List().AllRowsAreMp3());
    AddRow("a.mp3");
    AddRow("b.MP3");
    EXPECT_TRUE(session.List().AllRowsAreMp3());
    AddRow("c.mp3x");
    EXPECT_FALSE(session.List().AllRowsAreMp3());
    AddRow("mp3");
    session.List().SetSelected(2, true);
    session.List().RemoveSelected();
    EXPECT_FALSE(session.List().AllRowsAreMp3());
}

TEST_F(RenameListTest, FirstSelectedRowSelectsTheFirstRowWhenNoneIs) {
    AddRow("a.txt");
    AddRow("b.txt");
    EXPECT_EQ(session.List().FirstSelectedRow(), 0);
    EXPECT_TRUE(session.List().IsSelected(0));
    session.List().DeselectAll();
    session.List().SetSelected(1, true);
    EXPECT_EQ(session.List().FirstSelectedRow(), 1);
    EXPECT_FALSE(session.List().IsSelected(0));
}

TEST_F(RenameListTest, ReorderKeepsEachRowWithItsEntry) {
    AddRow("a.txt");
    AddRow("b.txt");
    AddRow("c.txt");
    session.List().SetSelected(0, true);
    session.List().Reorder({2, 0, 1});
    EXPECT_EQ(NewNames(), (std::vector<std::string>{"c", "a", "b"}));
    EXPECT_TRUE(session.List().IsSelected(1));
}

}  // namespace
