// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "files/LocateRows.h"
#include "files/RenameStep.h"

// The rename planner. Judges the renames of every folder as a whole on a picture of that
// folder (the names its rows hold and want, and which of the wanted names its entries
// hold: asked about one by one when few, found in its listing when many): a row's new name is free when no entry holds it, or when the file
// holding it is renamed away by another row of the run; it is taken when a file outside
// the run holds it, or a row that does not move (unchanged, blocked, or judged bad
// otherwise), or when an earlier row of the run wants it too. A row naming the same old
// path as an earlier row is marked: one file is renamed once. The rows not marked get an
// order of steps that never renames onto a name still taken.
class CRenamePlanner {
public:
    // newPaths and oldPaths hold one element per row. A row whose file is not found takes
    // part in no replay (the preview reports it as missing), and neither does a row whose
    // new path is its old one: that file stays put. Rows flagged in pStays (one element per
    // row, when given) are judged but never move: their names stay taken. Rows of a folder
    // that cannot be listed are flagged in pUnlisted (one element per row, when given).
    // Linear in the rows, plus the entries of a folder whose rows want many new names. A caller that located the rows already
    // (LocateRows of the old paths) passes what it found in pWhere; otherwise the planner
    // locates them itself.
    SRenamePlan PlanRenames(const std::vector<std::string_view>& newPaths,
                            const RowPathList& oldPaths, std::vector<bool>* pUnlisted = nullptr,
                            const SRowFolders* pWhere = nullptr,
                            const std::vector<bool>* pStays = nullptr);
};
