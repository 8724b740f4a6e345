#include "files/RenamePlanner.h"

#include <algorithm>

#include "platform/FolderListing.h"

namespace {

// The name a full path has inside a folder ("" when it does not lie directly in it).
std::string_view NameIn(std::string_view folder, std::string_view path) {
    if (path.size() <= folder.size() || !path.starts_with(folder))
        return {};
    std::string_view name = path.substr(folder.size());
    return name.find('/') == std::string_view::npos ? name : std::string_view();
}

}  // namespace

bool CRenamePlanner::LoadFolderListing(const std::string& folder) {
    ClearListing();
    m_strFolder = folder;
    m_names = {".", ".."};
    if (!VisitFolder(folder, [&](std::string_view name) { m_names.emplace_back(name); })) {
        ClearListing();
        return false;
    }
    // Room for as many names again, which the renames of a run over the folder add.
    m_listFolder.reserve(m_names.size() * 2);
    m_listFolder.insert(m_names.begin(), m_names.end());
    return true;
}

bool CRenamePlanner::RenameInListing(const std::string& newPath, const std::string& oldPath) {
    std::string_view newName = NameIn(m_strFolder, newPath);
    if (newName.empty() ? m_outside.contains(newPath) : m_listFolder.contains(newName))
        return false;
    std::string_view oldName = NameIn(m_strFolder, oldPath);
    bool removed =
        oldName.empty() ? m_outside.erase(oldPath) != 0 : m_listFolder.erase(oldName) != 0;
    if (removed && newName.empty()) {
        m_outside.insert(newPath);
    } else if (removed) {
        m_names.emplace_back(newName);
        m_listFolder.insert(m_names.back());
    }
    return true;
}

void CRenamePlanner::ClearListing() {
    m_strFolder.clear();
    m_names.clear();
    m_listFolder.clear();
    m_outside.clear();
}

void CRenamePlanner::PlanRenames(const std::vector<std::string>& newPaths,
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
