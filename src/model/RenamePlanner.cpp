// The rename planner's operations of CFileFacts: a picture of each folder and the replay
// of the run's renames on it.

#include <string_view>
#include <unordered_set>

#include "model/FileFacts.h"
#include "platform/NameRules.h"
#include "platform/PathFacts.h"

namespace {

constexpr std::string_view kNeverInAName("/\0", 2);

}  // namespace

bool CFileFacts::HasIllegalChar(const CFileFacts& entry, bool reservedRefused) {
    for (const CTextField* part : {&entry.m_strNewName, &entry.m_strExt}) {
        const std::string& text = part->Get();
        if (text.find_first_of(kNeverInAName) != std::string::npos ||
            (reservedRefused && text.find_first_of(kReservedNameChars) != std::string::npos))
            return true;
    }
    return false;
}

bool CFileFacts::LoadFolderListing(const std::string& folder) {
    return m_listFolder.Load(folder);
}

bool CFileFacts::RenameInListing(const std::string& newPath, const std::string& oldPath) {
    return m_listFolder.Rename(newPath, oldPath);
}

void CFileFacts::ClearListing() {
    m_listFolder.Clear();
}

void CFileFacts::PlanRenames(const std::vector<std::string>& newPaths,
                             std::vector<std::string>& oldPaths, std::vector<bool>* pUnlisted,
                             const SRowFolders* pWhere) {
    size_t rows = std::min(newPaths.size(), oldPaths.size());
    if (pUnlisted)
        pUnlisted->assign(oldPaths.size(), false);
    SRowFolders located;
    if (pWhere == nullptr)
        located = LocateRows(oldPaths, nullptr);
    const SRowFolders& where = pWhere ? *pWhere : located;
    rows = std::min(rows, where.folderOf.size());

    // Rows grouped by folder, each group in row order; a missing file has no folder.
    const std::vector<std::string>& folders = where.folders;
    std::vector<std::vector<size_t>> groups(folders.size());
    for (size_t row = 0; row < rows; ++row)
        if (where.folderOf[row] >= 0)
            groups[static_cast<size_t>(where.folderOf[row])].push_back(row);

    for (size_t group = 0; group < groups.size(); ++group) {
        if (!LoadFolderListing(folders[group])) {
            if (pUnlisted)
                for (size_t row : groups[group])
                    (*pUnlisted)[row] = true;
            continue;
        }
        // A list may name one file twice; only the first row naming it may rename it,
        // and each later one is marked as colliding, its file taken by that row.
        // The marks are made after the replay, which still looks at the paths.
        std::unordered_set<std::string_view> named;
        std::vector<size_t> marked;
        for (size_t row : groups[group]) {
            // Only the first row naming a file may rename it.
            if (!named.insert(oldPaths[row]).second) {
                marked.push_back(row);
                continue;
            }
            // A file that keeps its name stays where it is in the picture, in the way of
            // any other row that wants the name.
            if (newPaths[row] == oldPaths[row])
                continue;
            if (!RenameInListing(newPaths[row], oldPaths[row]))
                marked.push_back(row);
        }
        for (size_t row : marked)
            oldPaths[row].clear();
        ClearListing();
    }
}
