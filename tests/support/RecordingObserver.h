#pragma once

#include <string>
#include <vector>

#include "model/ListObserver.h"

// Records what the core told the front end, one line per call ("changed 2-2").
class CRecordingObserver : public IListObserver {
public:
    void RowsChanged(int first, int last) override { Log("changed", first, last); }
    void RowsAboutToBeInserted(int first, int count) override { Log("inserting", first, count); }
    void RowsInserted(int first, int count) override { Log("inserted", first, count); }
    void RowsAboutToBeRemoved(int first, int count) override { Log("removing", first, count); }
    void RowsRemoved(int first, int count) override { Log("removed", first, count); }
    void ListAboutToBeReset() override { m_calls.push_back("resetting"); }
    void ListReset() override { m_calls.push_back("reset"); }
    void SelectionChanged() override { m_calls.push_back("selection"); }
    void EndEditing() override { m_calls.push_back("end editing"); }
    void OpenCellEditor(int row, int column) override { Log("editor", row, column); }
    void ShowRow(int row) override { Log("show", row, row); }
    void TitlesChanged() override { m_calls.push_back("titles"); }

    std::vector<std::string> m_calls;

private:
    void Log(const char* what, int a, int b) {
        m_calls.push_back(std::string(what) + " " + std::to_string(a) + "-" + std::to_string(b));
    }
};
