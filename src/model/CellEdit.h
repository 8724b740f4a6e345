// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

class CTesselSession;

// What an in-place editor sends instead of its text when it was cancelled.
inline constexpr const char* kNoChangeMark = "\\NOCHANGE\\";

// The end of an in-place edit of one cell, in either mode; the one path every edit of a
// name or tag cell takes (the list's label editor, the tag editors, the command line's
// rename). A cancelled label edit that sends no text passes "".
//
// - text exactly kNoChangeMark: nothing changes and no undo step is made;
// - leading white space is removed from the text, trailing white space stays;
// - normal mode: a non-empty text becomes the row's new name (the column is not looked
//   at); an empty text keeps the old name;
// - MP3 mode: column 0 (the file name) is refused; for columns 1 to 6 a locked column
//   takes the text in every row, then the edited row takes it (a year only within 1 to
//   9999, a genre only by its exact name);
// - every row changed by the edit becomes one undo step.
//
// Returns true when the text was taken, false when the edit was refused or had nothing
// to change (the list then keeps the cell's old text).
bool CommitCellEdit(CTesselSession& session, int row, int column, const std::string& text);
