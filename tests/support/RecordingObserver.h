// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/ListObserver.h"
#include "model/RenameList.h"

// Records which calls the core made to the front end, in order, and fails the test when a
// call names a row the list does not hold at that moment: a view would show a row that is
// not there.
class CRecordingObserver : public IListObserver {
public:
    void RowsChanged(int first, int last) override { RecordRows("changed", first, last); }
    void RowsAboutToBeInserted(int, int) override { m_calls.push_back("inserting"); }
    void RowsInserted(int first, int count) override {
        RecordRows("inserted", first, first + count - 1);
    }
    void RowsAboutToBeRemoved(int first, int count) override {
        RecordRows("removing", first, first + count - 1);
    }
    void RowsRemoved(int, int) override { m_calls.push_back("removed"); }
    void ListAboutToBeReset() override { m_calls.push_back("resetting"); }
    void ListReset() override { m_calls.push_back("reset"); }
    void SelectionChanged() override { m_calls.push_back("selection"); }
    void EndEditing() override { m_calls.push_back("end editing"); }
    void OpenCellEditor(int, int) override { m_calls.push_back("editor"); }
    void ShowRow(int) override { m_calls.push_back("show"); }

    const CRenameList* m_pList = nullptr;
    std::vector<std::string> m_calls;

private:
    void RecordRows(const char* call, int first, int last) {
        int rows = m_pList != nullptr ? m_pList->GetCount() : 0;
        EXPECT_TRUE(first >= 0 && first <= last && last < rows)
            << call << " rows " << first << "-" << last << " of " << rows;
        m_calls.push_back(call);
    }
};
