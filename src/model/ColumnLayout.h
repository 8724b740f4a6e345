// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "model/RenameList.h"

class CTesselSession;
class IProfile;

// How the user left the list's columns, kept in the profile so that the next start shows
// them alike: section "Columns", keys "Normal" and "Mp3", the widths in pixels separated
// by commas; section "Sort", key "Flags" the direction flags of the column clicks (bit n
// for column n) and keys "Mode", "Column" and "Ascending" the last sort by a click.

// The widths of a mode's columns: each stored width that is a number above 0, else the
// default of its column. There are always as many widths as defaults.
std::vector<int> ReadColumnWidths(IProfile& profile, EMode mode, const std::vector<int>& defaults);
void WriteColumnWidths(IProfile& profile, EMode mode, const std::vector<int>& widths);

struct SLastSort {
    EMode mode = EMode::Normal;
    int nColumn = -1;  // none yet
    bool bAscending = true;
};

// After a click sorted the column: stores the session's direction flags and this sort,
// and returns the sort.
SLastSort RememberSort(CTesselSession& session, int column);
// Puts the stored direction flags back into the session, so that the next click on a
// column goes on from where the last start left it, and returns the last sort.
SLastSort RestoreSort(CTesselSession& session);
