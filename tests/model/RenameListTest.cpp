#include <gtest/gtest.h>

#include "files/UndoCommand.h"
#include "model/SortRows.h"
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
    EXPECT_EQ(observer.m_calls, (std::vector<std::string>{"removing 5-1", "removed 5-1",
                                                          "removing 1-3", "removed 1-3"}));
    EXPECT_FALSE(list.IsSelected(0) || list.IsSelected(1));

    // Scattered rows go in one reset, told before and after.
    for (int row = 0; row < 2 * static_cast<int>(CRenameList::kMaxRemovalRuns) + 2; ++row)
        AddRow("r" + std::to_string(row));
    for (int row = 0; row < list.GetCount(); row += 2)
        list.SetSelected(row, true);
    observer.m_calls.clear();
    list.RemoveSelected();
    EXPECT_EQ(observer.m_calls, (std::vector<std::string>{"resetting", "reset"}));
    EXPECT_EQ(list.GetCount(), static_cast<int>(CRenameList::kMaxRemovalRuns) + 2);
}

class SortRowsTest : public SessionTest {
protected:
    using Names_t = std::vector<std::string>;
    void AddRows(std::initializer_list<const char*> names) {
        for (const char* name : names)
            AddRow(name);
    }
    Names_t Names() {
        Names_t names;
        for (int row = 0; row < session.List().GetCount(); ++row)
            names.push_back(session.List().GetEntry(row).m_strName.Get());
        return names;
    }
};

TEST_F(SortRowsTest, EachColumnKeepsItsOwnDirection) {
    AddRow("b.txt").SetSize(30);
    AddRow("a.wav").SetSize(10);
    AddRow("c.mp3").SetSize(20);

    EXPECT_TRUE(SortByColumn(session, 3));
    EXPECT_EQ(Names(), (Names_t{"a.wav", "c.mp3", "b.txt"}));
    EXPECT_TRUE(SortByColumn(session, 2));
    EXPECT_EQ(Names(), (Names_t{"c.mp3", "b.txt", "a.wav"}));
    EXPECT_TRUE(SortByColumn(session, 3));
    EXPECT_EQ(Names(), (Names_t{"b.txt", "c.mp3", "a.wav"}));
    EXPECT_EQ(session.m_sortFlags[3], false);
    EXPECT_EQ(session.m_sortFlags[2], true);
}

// Sizes compare by all 64 bits, times as signed numbers, the current name with its
// extension; texts fold letters to lower case (so "_" comes first), keep equal keys in
// their order and put bytes above 0x7F last.
TEST_F(SortRowsTest, NumbersAndNamesCompareByTheirWholeValue) {
    CHitDoc& mp3 = AddRow("song.mp3");
    mp3.SetSize(1000000000ull);
    mp3.m_timeModified = 100;
    CHitDoc& aac = AddRow("song.aac");
    aac.SetSize(7);
    aac.m_timeModified = 4000000000;
    CHitDoc& bare = AddRow("song");
    bare.SetSize(5000000000ull);  // low 32 bits: 705032704
    bare.m_timeModified = -86400;
    std::pair<int, Names_t> sorts[] = {{3, {"song.aac", "song.mp3", "song"}},
                                       {4, {"song", "song.mp3", "song.aac"}},
                                       {1, {"song", "song.aac", "song.mp3"}}};
    for (const auto& [column, names] : sorts) {
        SortByColumn(session, column);
        EXPECT_EQ(Names(), names) << column;
    }
    session.List().Empty();
    AddRows({"b.txt", "A_b.txt", "Ab.txt", "a_c.txt", "\xc3\xa9.txt", "B.txt"});
    SortByColumn(session, 0);
    EXPECT_EQ(NewNames(), (Names_t{"A_b", "a_c", "Ab", "b", "B", "\xc3\xa9"}));
    SortByColumn(session, 0);
    EXPECT_EQ(NewNames(), (Names_t{"\xc3\xa9", "b", "B", "Ab", "a_c", "A_b"}));
}

TEST_F(SortRowsTest, Mp3ColumnsSortByTagsWithNumbersSignedAndFlagsCarryOver) {
    AddRow("c.mp3").SetFromTag("", "beta", "", "1", "", -1);
    AddRow("a.mp3").SetFromTag("", "zed", "", "1999", "", 17);
    AddRow("b.mp3").SetFromTag("", "Alpha", "", "", "", 0);
    SortByColumn(session, 0);  // normal mode: ascending by new name
    session.SetMp3Columns();

    SortByColumn(session, 4);
    EXPECT_EQ(Names(), (Names_t{"b.mp3", "c.mp3", "a.mp3"}));
    SortByColumn(session, 5);  // by number: -1, 0 (Blues), 17 (Rock)
    EXPECT_EQ(Names(), (Names_t{"c.mp3", "b.mp3", "a.mp3"}));
    SortByColumn(session, 2);
    EXPECT_EQ(Names(), (Names_t{"b.mp3", "c.mp3", "a.mp3"}));
    SortByColumn(session, 0);  // the same position as before the switch: now descending
    EXPECT_EQ(Names(), (Names_t{"c.mp3", "b.mp3", "a.mp3"}));
}

TEST_F(SortRowsTest, ASortIsOneUndoStepKeepingSelectionAndFocusWithTheirEntries) {
    AddRows({"c.txt", "a.txt", "b.txt"});
    session.List().SetSelected(0, true);
    session.List().SetFocusedRow(1);
    observer.m_calls.clear();
    EXPECT_TRUE(SortByColumn(session, 0));
    EXPECT_EQ(observer.m_calls.front(), "end editing");
    EXPECT_TRUE(session.List().IsSelected(2));
    EXPECT_FALSE(session.List().IsSelected(0));
    EXPECT_EQ(session.List().GetFocusedRow(), 0);
    EXPECT_EQ(session.UndoHistory().GetCount(), 1u);
    EXPECT_TRUE(session.IsModified());

    EXPECT_FALSE(SortRows(session, 0, true));  // already sorted: no step
    EXPECT_EQ(session.UndoHistory().GetCount(), 1u);
    Undo(session);
    EXPECT_EQ(NewNames(), (Names_t{"c", "a", "b"}));
    EXPECT_FALSE(session.CanUndo());
}

TEST_F(SortRowsTest, ColumnsTheModeLacksAndBadPermutationsLeaveTheOrderAlone) {
    AddRows({"b.txt", "a.txt"});
    EXPECT_FALSE(SortByColumn(session, 6));  // no seventh column in normal mode
    EXPECT_TRUE(session.m_sortFlags[6]);
    EXPECT_FALSE(SortByColumn(session, 7));
    EXPECT_FALSE(SortByColumn(session, -1));
    CRenameList& list = session.List();
    for (std::vector<int> order : {std::vector<int>{0}, {1, 1}, {0, 2}, {-1, 0}})
        EXPECT_FALSE(list.Reorder(order));
    EXPECT_EQ(Names(), (Names_t{"b.txt", "a.txt"}));
    EXPECT_FALSE(session.CanUndo());
}

}  // namespace
