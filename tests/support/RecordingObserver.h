#pragma once

#include <string>
#include <vector>

#include "model/ListObserver.h"

// Records which calls the core made to the front end, in order.
class CRecordingObserver : public IListObserver {
public:
    void RowsChanged(int, int) override { m_calls.push_back("changed"); }
    void RowsAboutToBeInserted(int, int) override { m_calls.push_back("inserting"); }
    void RowsInserted(int, int) override { m_calls.push_back("inserted"); }
    void RowsAboutToBeRemoved(int, int) override { m_calls.push_back("removing"); }
    void RowsRemoved(int, int) override { m_calls.push_back("removed"); }
    void ListAboutToBeReset() override { m_calls.push_back("resetting"); }
    void ListReset() override { m_calls.push_back("reset"); }
    void SelectionChanged() override { m_calls.push_back("selection"); }
    void EndEditing() override { m_calls.push_back("end editing"); }
    void OpenCellEditor(int, int) override { m_calls.push_back("editor"); }
    void ShowRow(int) override { m_calls.push_back("show"); }

    std::vector<std::string> m_calls;
};
