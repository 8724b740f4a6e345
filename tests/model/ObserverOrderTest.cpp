#include <gtest/gtest.h>

#include "files/FileAdder.h"
#include "files/RemoveCommand.h"
#include "files/UndoCommand.h"
#include "model/ListObserver.h"
#include "model/SortRows.h"
#include "model/TesselDoc.h"
#include "support/SessionFixture.h"

namespace {

// Follows the list as a Qt item model would: it keeps its own copy of the rows' names,
// changes it only when told that a change is done, and checks at every call that the list
// stands as the call says (rows not yet changed at "about to", changed after it).
class CMirrorObserver : public IListObserver {
public:
    explicit CMirrorObserver(const CRenameList& list) : m_list(list) {}

    void RowsChanged(int first, int last) override {
        Expect(m_pending.empty(), "a change inside a begin/end pair");
        Expect(first >= 0 && last < Count(), "changed rows that do not exist");
        for (int row = first; row <= last && row < Count(); ++row)
            m_rows[static_cast<size_t>(row)] = Name(row);
    }
    void RowsAboutToBeInserted(int first, int count) override {
        Begin("insert", first, count);
        Expect(first >= 0 && first <= Count() && count > 0, "inserting outside the rows");
        ExpectSameRows("rows inserted before they were announced");
    }
    void RowsInserted(int first, int count) override {
        End("insert", first, count);
        for (int row = first; row < first + count; ++row)
            m_rows.insert(m_rows.begin() + row, Name(row));
        ExpectSameRows("inserted rows that differ from the list");
    }
    void RowsAboutToBeRemoved(int first, int count) override {
        Begin("remove", first, count);
        Expect(first >= 0 && count > 0 && first + count <= Count(),
               "removing rows that do not exist");
        ExpectSameRows("rows removed before they were announced");
    }
    void RowsRemoved(int first, int count) override {
        End("remove", first, count);
        m_rows.erase(m_rows.begin() + first, m_rows.begin() + first + count);
        ExpectSameRows("removed rows that differ from the list");
    }
    void ListAboutToBeReset() override {
        Begin("reset", 0, 0);
        ExpectSameRows("rows reset before it was announced");
    }
    void ListReset() override {
        End("reset", 0, 0);
        m_rows.clear();
        for (int row = 0; row < m_list.GetCount(); ++row)
            m_rows.push_back(Name(row));
    }
    void SelectionChanged() override {}
    void EndEditing() override {}
    void OpenCellEditor(int, int) override {}
    void ShowRow(int) override {}

    std::vector<std::string> m_calls;   // "insert", "remove", "reset" for each finished pair
    std::vector<std::string> m_faults;  // what a model would have got wrong

private:
    int Count() const { return static_cast<int>(m_rows.size()); }
    std::string Name(int row) const { return m_list.GetEntry(row).m_strName.Get(); }
    void Expect(bool ok, const std::string& fault) {
        if (!ok)
            m_faults.push_back(fault);
    }
    void ExpectSameRows(const std::string& fault) {
        bool same = m_list.GetCount() == Count();
        for (int row = 0; same && row < Count(); ++row)
            same = m_rows[static_cast<size_t>(row)] == Name(row);
        Expect(same, fault);
    }
    void Begin(const std::string& what, int first, int count) {
        Expect(m_pending.empty(), "a " + what + " begun inside another pair");
        m_pending = what + " " + std::to_string(first) + " " + std::to_string(count);
    }
    void End(const std::string& what, int first, int count) {
        Expect(m_pending == what + " " + std::to_string(first) + " " + std::to_string(count),
               "a " + what + " ended that was not begun as such");
        m_pending.clear();
        m_calls.push_back(what);
    }

    const CRenameList& m_list;
    std::vector<std::string> m_rows;
    std::string m_pending;
};

class ObserverOrderTest : public SessionTest {
protected:
    ObserverOrderTest() { session.List().SetObserver(&mirror); }
    ~ObserverOrderTest() override { EXPECT_EQ(mirror.m_faults, std::vector<std::string>{}); }

    void AddFiles(int count) {
        std::vector<std::string> paths;
        for (int i = 0; i < count; ++i)
            paths.push_back(dir.WriteFile("f" + std::to_string(1000 + count - i) + ".txt"));
        ASSERT_EQ(DropFiles(session, paths), count);
    }
    void Select(const std::vector<int>& rows) {
        for (int row : rows)
            session.List().SetSelected(row, true);
    }

    CMirrorObserver mirror{session.List()};
};

TEST_F(ObserverOrderTest, InsertsAndRemovalsOfAFewRunsArePairedRowByRow) {
    AddFiles(6);
    EXPECT_EQ(mirror.m_calls, std::vector<std::string>(6, "insert"));
    mirror.m_calls.clear();
    Select({0, 2, 3, 5});
    EXPECT_EQ(Remove(session), 4);
    EXPECT_EQ(mirror.m_calls, (std::vector<std::string>{"remove", "remove", "remove"}));
    EXPECT_EQ(session.List().GetCount(), 2);
}

TEST_F(ObserverOrderTest, AScatteredRemovalIsOneReset) {
    AddFiles(2 * static_cast<int>(CRenameList::kMaxRemovalRuns) + 4);
    mirror.m_calls.clear();
    for (int row = 0; row < session.List().GetCount(); row += 2)
        session.List().SetSelected(row, true);
    Remove(session);
    EXPECT_EQ(mirror.m_calls, std::vector<std::string>{"reset"});
    EXPECT_EQ(session.List().GetCount(), static_cast<int>(CRenameList::kMaxRemovalRuns) + 2);
}

TEST_F(ObserverOrderTest, SortingAndItsUndoAreResetsAroundTheNewOrder) {
    AddFiles(5);
    mirror.m_calls.clear();
    EXPECT_TRUE(SortByColumn(session, 1));
    Undo(session);
    EXPECT_EQ(session.List().GetEntry(0).m_strName.Get(), "f1005.txt");
    EXPECT_EQ(mirror.m_calls.front(), "reset");
    for (const std::string& call : mirror.m_calls)
        EXPECT_NE(call, "insert");
}

TEST_F(ObserverOrderTest, ModeSwitchNewAndOpenAreResets) {
    AddFiles(3);
    CTesselDoc doc(session);
    std::string saved = dir / "list.tsl";
    ASSERT_TRUE(doc.OnSaveDocument(saved));
    mirror.m_calls.clear();
    session.SetMp3Columns();
    ASSERT_TRUE(doc.OnNewDocument());
    ASSERT_TRUE(doc.OnOpenDocument(saved));
    EXPECT_EQ(session.List().GetCount(), 3);
    for (const std::string& call : mirror.m_calls)
        EXPECT_EQ(call, "reset");
    EXPECT_GE(mirror.m_calls.size(), 3u);
}

}  // namespace
