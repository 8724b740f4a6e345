// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/RenameList.h"

#include <strings.h>

#include "model/ListObserver.h"

std::string EntryCellText(const CHitDoc& entry, EMode mode, int column) {
    if (mode == EMode::Normal) {
        switch (column) {
            case 0:
                return entry.m_strNewName.Get();
            case 1:
                return entry.GetCurrentTitle();
            case 2:
                return entry.m_strExt.Get();
            case 3:
                return entry.m_strSize.Get();
            case 4:
                return entry.m_strModified.Get();
            case 5:
                return entry.m_strPath.Get();
            default:
                return "";
        }
    }
    switch (column) {
        case 0:
            return entry.m_strName.Get();
        case 1:
            return entry.Title().Get();
        case 2:
            return entry.Artist().Get();
        case 3:
            return entry.Album().Get();
        case 4:
            return entry.GetYearText();
        case 5:
            return entry.GetGenreText();
        case 6:
            return entry.Comment().Get();
        default:
            return "";
    }
}

bool IsMp3Extension(const std::string& extension) {
    return strcasecmp(extension.c_str(), ".mp3") == 0 && extension.size() == 4;
}

int CRenameList::AppendCopy(const CHitDoc& entry) {
    return Append(std::make_unique<CHitDoc>(entry));
}

int CRenameList::Append(std::unique_ptr<CHitDoc> entry) {
    int row = GetCount();
    if (m_pObserver)
        m_pObserver->RowsAboutToBeInserted(row, 1);
    m_rows.push_back(SRow{std::move(entry), false});
    if (m_pObserver)
        m_pObserver->RowsInserted(row, 1);
    return row;
}

int CRenameList::RemoveSelected() {
    // The runs of selected rows, from the bottom up: removing one leaves the indices of
    // those above it as they were.
    std::vector<std::pair<int, int>> runs;
    for (int row = GetCount() - 1; row >= 0;) {
        if (!IsSelected(row)) {
            --row;
            continue;
        }
        int last = row;
        while (row >= 0 && IsSelected(row))
            --row;
        runs.emplace_back(row + 1, last - row);
    }
    int removed = 0;
    for (auto [first, count] : runs)
        removed += count;
    if (runs.size() <= kMaxRemovalRuns) {
        // Each run is taken out between its two notifications. Every run moves the rows
        // below it once, which stays cheap for a few runs.
        for (auto [first, count] : runs) {
            if (m_pObserver)
                m_pObserver->RowsAboutToBeRemoved(first, count);
            m_rows.erase(m_rows.begin() + first, m_rows.begin() + first + count);
            FitFocus();
            if (m_pObserver)
                m_pObserver->RowsRemoved(first, count);
        }
        return removed;
    }
    // A scattered selection is taken out in one pass and the front end shows the rest anew.
    if (m_pObserver)
        m_pObserver->ListAboutToBeReset();
    size_t kept = 0;
    for (SRow& r : m_rows) {
        if (!r.bSelected)
            m_rows[kept++] = std::move(r);
    }
    m_rows.resize(kept);
    FitFocus();
    if (m_pObserver)
        m_pObserver->ListReset();
    return removed;
}

void CRenameList::FitFocus() {
    if (m_nFocusedRow >= GetCount())
        m_nFocusedRow = GetCount() - 1;
}

void CRenameList::Empty() {
    if (m_pObserver)
        m_pObserver->ListAboutToBeReset();
    m_rows.clear();
    m_nFocusedRow = -1;
    if (m_pObserver)
        m_pObserver->ListReset();
}

bool CRenameList::Reorder(const std::vector<int>& order) {
    // Anything but a permutation would leave a row without its entry or lose one.
    if (order.size() != m_rows.size())
        return false;
    std::vector<bool> seen(m_rows.size());
    for (int from : order) {
        if (from < 0 || static_cast<size_t>(from) >= m_rows.size() ||
            seen[static_cast<size_t>(from)])
            return false;
        seen[static_cast<size_t>(from)] = true;
    }
    if (m_pObserver)
        m_pObserver->ListAboutToBeReset();
    std::vector<SRow> reordered;
    reordered.reserve(m_rows.size());
    int focused = -1;
    for (int from : order) {
        if (from == m_nFocusedRow)
            focused = static_cast<int>(reordered.size());
        reordered.push_back(std::move(m_rows.at(static_cast<size_t>(from))));
    }
    m_rows = std::move(reordered);
    m_nFocusedRow = focused;
    if (m_pObserver)
        m_pObserver->ListReset();
    return true;
}

void CRenameList::RefreshRow(int row) const {
    if (m_pObserver)
        m_pObserver->RowsChanged(row, row);
}

void CRenameList::RefreshRows(int first, int last) const {
    if (m_pObserver && first <= last)
        m_pObserver->RowsChanged(first, last);
}

void CRenameList::SetSelected(int row, bool selected) {
    m_rows.at(static_cast<size_t>(row)).bSelected = selected;
    if (m_pObserver)
        m_pObserver->SelectionChanged();
}

void CRenameList::DeselectAll() {
    for (SRow& r : m_rows)
        r.bSelected = false;
    if (m_pObserver)
        m_pObserver->SelectionChanged();
}

int CRenameList::FirstSelectedRow() {
    for (int row = 0; row < GetCount(); ++row)
        if (IsSelected(row))
            return row;
    if (GetCount() > 0)
        SetSelected(0, true);
    return 0;
}

void CRenameList::SetMode(EMode mode) {
    if (m_pObserver)
        m_pObserver->ListAboutToBeReset();
    m_mode = mode;
    if (m_pObserver)
        m_pObserver->ListReset();
}

std::string CRenameList::CellText(int row, int column) const {
    return EntryCellText(GetEntry(row), m_mode, column);
}

bool CRenameList::AllRowsAreMp3() const {
    for (const SRow& r : m_rows)
        if (!IsMp3Extension(r.pEntry->m_strExt.Get()))
            return false;
    return true;
}
