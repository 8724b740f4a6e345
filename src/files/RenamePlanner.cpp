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

std::string_view CRenamePlanner::SPicture::Keep(std::string_view name) {
    char* kept = static_cast<char*>(arena.allocate(std::max<size_t>(name.size(), 1), 1));
    std::copy(name.begin(), name.end(), kept);
    return std::string_view(kept, name.size());
}

bool CRenamePlanner::LoadFolderListing(const std::string& folder) {
    SPicture& picture = m_listFolder.emplace();
    picture.strFolder = folder;
    std::vector<std::string_view> kept = {".", ".."};
    if (!VisitFolder(folder, [&](std::string_view name) { kept.push_back(picture.Keep(name)); })) {
        ClearListing();
        return false;
    }
    // Room for as many names again, which the renames of a run over the folder add.
    picture.names.reserve(kept.size() * 2);
    picture.names.insert(kept.begin(), kept.end());
    return true;
}

bool CRenamePlanner::RenameInListing(const std::string& newPath, const std::string& oldPath) {
    SPicture& picture = m_listFolder ? *m_listFolder : m_listFolder.emplace();
    std::string_view newName = NameIn(picture.strFolder, newPath);
    if (newName.empty() ? picture.outside.contains(newPath) : picture.names.contains(newName))
        return false;
    std::string_view oldName = NameIn(picture.strFolder, oldPath);
    bool removed =
        oldName.empty() ? picture.outside.erase(oldPath) != 0 : picture.names.erase(oldName) != 0;
    if (removed && newName.empty())
        picture.outside.insert(newPath);
    else if (removed)
        picture.names.insert(picture.Keep(newName));
    return true;
}

void CRenamePlanner::ClearListing() {
    m_listFolder.reset();
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
