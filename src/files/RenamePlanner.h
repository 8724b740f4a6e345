#pragma once

#include <string>
#include <vector>

#include "files/LocateRows.h"

// The rename planner. Replays the renames of every folder in row order on a picture of
// that folder (its listing) and marks each row whose new path is taken at its turn, by an
// existing file not yet renamed away or by an earlier row of the run. A row naming the same
// old path as an earlier row is marked too: one file is renamed once.
class CRenamePlanner {
public:
    // newPaths and oldPaths hold one element per row; the result holds true for each row
    // marked, one element per row. A row whose file is not found takes
    // part in no replay (the preview reports it as missing), and neither does a row whose
    // new path is its old one: that file stays put. Rows of a folder that cannot be listed
    // are flagged in pUnlisted (one element per row, when given). Linear in the rows plus
    // the folders' entries. A caller that located the rows already (LocateRows of the old
    // paths) passes what it found in pWhere; otherwise the planner locates them itself.
    std::vector<bool> PlanRenames(const std::vector<std::string_view>& newPaths,
                                  const RowPathList& oldPaths,
                                  std::vector<bool>* pUnlisted = nullptr,
                                  const SRowFolders* pWhere = nullptr);
};
