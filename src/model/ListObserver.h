// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// How the core tells a front end what changed in the list, and asks it for what only the
// screen does. Rows are 0-based; ranges are inclusive.
class IListObserver {
public:
    virtual ~IListObserver() = default;
    virtual void RowsChanged(int first, int last) = 0;
    // Each change of the rows themselves is told twice: the "about to" call while the rows
    // are still as they were, the other once the change is made, so that a Qt item model
    // can call its begin and end functions around it. Nothing else changes the rows in
    // between, and neither call names a row that does not exist at that moment.
    virtual void RowsAboutToBeInserted(int first, int count) = 0;
    virtual void RowsInserted(int first, int count) = 0;
    virtual void RowsAboutToBeRemoved(int first, int count) = 0;
    virtual void RowsRemoved(int first, int count) = 0;
    // Columns, mode, the order of the rows or all of them change: show everything anew.
    virtual void ListAboutToBeReset() = 0;
    virtual void ListReset() = 0;
    virtual void SelectionChanged() = 0;
    // Close any open in-place editor; it commits its text before this returns.
    virtual void EndEditing() = 0;
    // Open a one-line in-place editor over a cell (find in MP3 mode).
    virtual void OpenCellEditor(int row, int column) = 0;
    // Scroll a row into view and give the list the keyboard focus.
    virtual void ShowRow(int row) = 0;
    // The MP3 column titles changed: a lock glyph came or went.
    virtual void TitlesChanged() {}
};
