#include <gtest/gtest.h>

#include "files/UndoCommand.h"
#include "model/SortRows.h"
#include "support/SessionFixture.h"

namespace {

class SortRowsTest : public SessionTest {
protected:
    CHitDoc& AddSized(const std::string& name, uint64_t size) {
        CHitDoc& entry = AddRow(name);
        entry.SetSize(size);
        return entry;
    }
    std::vector<std::string> Names() {
        std::vector<std::string> names;
        for (int row = 0; row < session.List().GetCount(); ++row)
            names.push_back(session.List().GetEntry(row).m_strName.Get());
        return names;
    }
    using Names_t = std::vector<std::string>;
};

TEST_F(SortRowsTest, EachColumnKeepsItsOwnDirection) {
    AddSized("b.txt", 30);
    AddSized("a.wav", 10);
    AddSized("c.mp3", 20);

    EXPECT_TRUE(SortByColumn(session, 3));
    EXPECT_EQ(Names(), (Names_t{"a.wav", "c.mp3", "b.txt"}));
    EXPECT_TRUE(SortByColumn(session, 2));
    EXPECT_EQ(Names(), (Names_t{"c.mp3", "b.txt", "a.wav"}));
    EXPECT_TRUE(SortByColumn(session, 3));
    EXPECT_EQ(Names(), (Names_t{"b.txt", "c.mp3", "a.wav"}));
    EXPECT_EQ(session.m_sortFlags[3], false);
    EXPECT_EQ(session.m_sortFlags[2], true);
}

TEST_F(SortRowsTest, SizesCompareByTheirFull64BitValue) {
    AddSized("five.bin", 5000000000ull);  // low 32 bits: 705032704
    AddSized("one.bin", 1000000000ull);
    AddSized("small.bin", 7);
    SortByColumn(session, 3);
    EXPECT_EQ(Names(), (Names_t{"small.bin", "one.bin", "five.bin"}));
}

TEST_F(SortRowsTest, TextsFoldLettersToLowerCaseSoUnderscoreComesFirst) {
    for (const char* name : {"b.txt", "A_b.txt", "Ab.txt", "a_c.txt", "\xc3\xa9.txt", "B.txt"})
        AddRow(name);
    SortByColumn(session, 0);
    // Equal folded keys ("b" and "B") keep their order; bytes above 0x7F sort last.
    EXPECT_EQ(NewNames(), (Names_t{"A_b", "a_c", "Ab", "b", "B", "\xc3\xa9"}));
    SortByColumn(session, 0);
    EXPECT_EQ(NewNames(), (Names_t{"\xc3\xa9", "b", "B", "Ab", "a_c", "A_b"}));
}

TEST_F(SortRowsTest, CurrentFilenameSortsByTheNameWithItsExtension) {
    AddRow("song.mp3");
    AddRow("song.aac");
    AddRow("song");
    SortByColumn(session, 1);
    EXPECT_EQ(Names(), (Names_t{"song", "song.aac", "song.mp3"}));
}

TEST_F(SortRowsTest, ModifiedSortsByTimeAsASignedNumber) {
    AddRow("late.txt").m_timeModified = 4000000000;
    AddRow("before1970.txt").m_timeModified = -86400;
    AddRow("early.txt").m_timeModified = 100;
    SortByColumn(session, 4);
    EXPECT_EQ(Names(), (Names_t{"before1970.txt", "early.txt", "late.txt"}));
}

TEST_F(SortRowsTest, Mp3ColumnsSortByTagsWithNumbersSigned) {
    CHitDoc& a = AddRow("a.mp3");
    a.m_nYear = 1999, a.m_nGenre = 17, a.m_strArtist.Set("zed");
    CHitDoc& b = AddRow("b.mp3");
    b.m_nYear = -1, b.m_nGenre = 0, b.m_strArtist.Set("Alpha");
    CHitDoc& c = AddRow("c.mp3");
    c.m_nYear = 1, c.m_nGenre = -1, c.m_strArtist.Set("beta");
    session.SetMp3Columns();

    SortByColumn(session, 4);
    EXPECT_EQ(Names(), (Names_t{"b.mp3", "c.mp3", "a.mp3"}));
    SortByColumn(session, 5);  // by number: -1, 0 (Blues), 17 (Rock)
    EXPECT_EQ(Names(), (Names_t{"c.mp3", "b.mp3", "a.mp3"}));
    SortByColumn(session, 2);
    EXPECT_EQ(Names(), (Names_t{"b.mp3", "c.mp3", "a.mp3"}));
    SortByColumn(session, 0);
    EXPECT_EQ(Names(), (Names_t{"a.mp3", "b.mp3", "c.mp3"}));
}

TEST_F(SortRowsTest, DirectionFlagsCarryOverBetweenModes) {
    AddRow("b.mp3");
    AddRow("a.mp3");
    SortByColumn(session, 0);  // normal: ascending by new name
    EXPECT_EQ(Names(), (Names_t{"a.mp3", "b.mp3"}));
    session.SetMp3Columns();
    SortByColumn(session, 0);  // the same position, now descending by name
    EXPECT_EQ(Names(), (Names_t{"b.mp3", "a.mp3"}));
}

TEST_F(SortRowsTest, ASortIsOneUndoStepAndASortedListRecordsNone) {
    AddRow("c.txt");
    AddRow("a.txt");
    AddRow("b.txt");
    observer.m_calls.clear();
    EXPECT_TRUE(SortByColumn(session, 0));
    EXPECT_EQ(observer.m_calls.front(), "end editing");
    EXPECT_EQ(session.UndoHistory().GetCount(), 1u);
    EXPECT_TRUE(session.IsModified());

    EXPECT_FALSE(SortRows(session, 0, true));
    EXPECT_EQ(session.UndoHistory().GetCount(), 1u);

    Undo(session);
    EXPECT_EQ(NewNames(), (Names_t{"c", "a", "b"}));
    EXPECT_FALSE(session.CanUndo());
}

TEST_F(SortRowsTest, SelectionAndFocusStayWithTheirEntries) {
    AddRow("c.txt");
    AddRow("a.txt");
    AddRow("b.txt");
    session.List().SetSelected(0, true);
    session.List().SetFocusedRow(1);
    SortByColumn(session, 0);
    EXPECT_TRUE(session.List().IsSelected(2));
    EXPECT_FALSE(session.List().IsSelected(0));
    EXPECT_EQ(session.List().GetFocusedRow(), 0);
}

TEST_F(SortRowsTest, ColumnsTheModeLacksLeaveTheOrderAlone) {
    AddRow("b.txt");
    AddRow("a.txt");
    EXPECT_FALSE(SortByColumn(session, 6));  // no seventh column in normal mode
    EXPECT_TRUE(session.m_sortFlags[6]);
    EXPECT_FALSE(SortByColumn(session, 7));
    EXPECT_FALSE(SortByColumn(session, -1));
    EXPECT_EQ(Names(), (Names_t{"b.txt", "a.txt"}));
    EXPECT_FALSE(session.CanUndo());
}

TEST_F(SortRowsTest, ReorderRefusesAnythingButAPermutation) {
    AddRow("a.txt");
    AddRow("b.txt");
    CRenameList& list = session.List();
    EXPECT_FALSE(list.Reorder({0}));
    EXPECT_FALSE(list.Reorder({1, 1}));
    EXPECT_FALSE(list.Reorder({0, 2}));
    EXPECT_FALSE(list.Reorder({-1, 0}));
    EXPECT_EQ(NewNames(), (Names_t{"a", "b"}));
}

}  // namespace
