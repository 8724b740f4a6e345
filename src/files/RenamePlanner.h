#pragma once

#include <memory_resource>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "files/LocateRows.h"

// The rename planner. Replays the renames of every folder in row order on a picture of
// that folder (its listing) and marks each row whose new path is taken at its turn, by an
// existing file not yet renamed away or by an earlier row of the run, by replacing its old
// path with "". A row naming the same old path as an earlier row is marked too: one file
// is renamed once.
class CRenamePlanner {
public:
    // newPaths and oldPaths hold one element per row. A row whose file is not found takes
    // part in no replay (the preview reports it as missing), and neither does a row whose
    // new path is its old one: that file stays put. Rows of a folder that cannot be listed
    // are flagged in pUnlisted (one element per row, when given). Linear in the rows plus
    // the folders' entries. A caller that located the rows already (LocateRows of the old
    // paths) passes what it found in pWhere; otherwise the planner locates them itself.
    void PlanRenames(const std::vector<std::string>& newPaths, std::vector<std::string>& oldPaths,
                     std::vector<bool>* pUnlisted = nullptr, const SRowFolders* pWhere = nullptr);

    // The picture of a folder (a path ending in "/"): every entry of it, "." and ".."
    // included. False, with an empty picture, when the folder cannot be read.
    bool LoadFolderListing(const std::string& folder);
    // Full paths: false, changing nothing, when the picture holds newPath; otherwise
    // replaces oldPath (when present) by newPath and returns true.
    bool RenameInListing(const std::string& newPath, const std::string& oldPath);
    void ClearListing();

private:
    // The picture keeps the names of the folder's own entries, which is all a run
    // changes; a path that lies elsewhere is kept whole, so that the picture answers for
    // every path exactly as a list of full paths would. A folder may hold many thousand
    // names, so they and the set's nodes are taken from one arena, dropped at once.
    struct SPicture {
        std::string strFolder;
        std::pmr::monotonic_buffer_resource arena;
        std::pmr::unordered_set<std::string_view> names{&arena};
        std::unordered_set<std::string> outside;

        // A copy of the name in the arena, for the set to hold.
        std::string_view Keep(std::string_view name);
    };
    std::optional<SPicture> m_listFolder;
};
