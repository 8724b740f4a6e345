// The rename planner's operations of CFileFacts: a picture of each folder and the replay
// of the run's renames on it.

#include <string_view>
#include <unordered_set>

#include "model/FileFacts.h"
#include "platform/PathFacts.h"

namespace {

constexpr std::string_view kIllegalChars("\\/:*?\"<>|\0", 10);

}  // namespace

bool CFileFacts::HasIllegalChar(const CFileFacts& entry) {
    return entry.m_strNewName.Get().find_first_of(kIllegalChars) != std::string::npos ||
           entry.m_strExt.Get().find_first_of(kIllegalChars) != std::string::npos;
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
            bool first = named.insert(oldPaths[row]).second;
            if (!first || !RenameInListing(newPaths[row], oldPaths[row]))
                marked.push_back(row);
        }
        for (size_t row : marked)
            oldPaths[row].clear();
        ClearListing();
    }
}
