// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "model/HitDoc.h"

class IListObserver;

enum class EMode { Normal, Mp3 };

// The ordered rows of the rename list. Each row owns exactly one entry and has a
// selected state; one row may have the focus.
class CRenameList {
public:
    static constexpr int kNormalColumns = 6;
    static constexpr int kMp3Columns = 7;

    void SetObserver(IListObserver* observer) { m_pObserver = observer; }
    IListObserver* GetObserver() const { return m_pObserver; }

    int GetCount() const { return static_cast<int>(m_rows.size()); }
    CHitDoc& GetEntry(int row) { return *m_rows.at(static_cast<size_t>(row)).pEntry; }
    const CHitDoc& GetEntry(int row) const { return *m_rows.at(static_cast<size_t>(row)).pEntry; }

    // Appends a row holding a copy of the entry. Returns the new row's index.
    int AppendCopy(const CHitDoc& entry);
    // Makes room for that many rows in all.
    void Reserve(size_t rows) { m_rows.reserve(rows); }
    // Appends a row that takes over an entry made for it. Returns the new row's index.
    int Append(std::unique_ptr<CHitDoc> entry);
    // Takes out every selected row with its entry; returns how many went. A few runs of
    // selected rows are told as removals, bottom run first; more as a reset.
    int RemoveSelected();
    static constexpr size_t kMaxRemovalRuns = 32;
    void Empty();
    // Puts the rows in a new order: row i becomes the row that was at order[i]; each row
    // keeps its entry, selection and focus. False, nothing moved, unless order is a
    // permutation of the rows.
    bool Reorder(const std::vector<int>& order);
    // Tells the front end that rows now show new entry values.
    void RefreshRow(int row) const;
    void RefreshRows(int first, int last) const;

    bool IsSelected(int row) const { return m_rows.at(static_cast<size_t>(row)).bSelected; }
    void SetSelected(int row, bool selected);
    void DeselectAll();
    // The lowest selected row; with none selected, selects row 0 and returns 0.
    int FirstSelectedRow();
    int GetFocusedRow() const { return m_nFocusedRow; }
    void SetFocusedRow(int row) { m_nFocusedRow = row; }

    EMode GetMode() const { return m_mode; }
    // Switches the columns; the front end shows every row anew.
    void SetMode(EMode mode);
    int GetColumnCount() const { return m_mode == EMode::Mp3 ? kMp3Columns : kNormalColumns; }
    std::string CellText(int row, int column) const;

    // Every row's extension is ".mp3" in any letter case (true for an empty list).
    bool AllRowsAreMp3() const;

private:
    // Keeps the focused row within the rows after some went.
    void FitFocus();

    struct SRow {
        std::unique_ptr<CHitDoc> pEntry;
        bool bSelected = false;
    };
    std::vector<SRow> m_rows;
    int m_nFocusedRow = -1;
    EMode m_mode = EMode::Normal;
    IListObserver* m_pObserver = nullptr;
};

// The text a cell shows for an entry in a mode (column 0 is the label).
std::string EntryCellText(const CHitDoc& entry, EMode mode, int column);
bool IsMp3Extension(const std::string& extension);
