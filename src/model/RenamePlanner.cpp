// The rename planner's operations of CFileFacts: a picture of each folder and the replay
// of the run's renames on it.

#include <string_view>
#include <unordered_map>

#include "model/FileFacts.h"
#include "platform/FolderListing.h"
#include "platform/PathFacts.h"

namespace {

constexpr std::string_view kIllegalChars("\\/:*?\"<>|\0", 10);

// The folder (with its trailing "/") of a path as the file system resolves it; "" when
// nothing is there.
std::string ResolvedFolder(const std::string& path) {
    SPathFacts facts;
    if (path.empty() || !QueryPath(path, facts))
        return "";
    return facts.strPath.substr(0, facts.strPath.size() - facts.strName.size());
}

}  // namespace

bool CFileFacts::HasIllegalChar(const CFileFacts& entry) {
    return entry.m_strNewName.Get().find_first_of(kIllegalChars) != std::string::npos ||
           entry.m_strExt.Get().find_first_of(kIllegalChars) != std::string::npos;
}

bool CFileFacts::LoadFolderListing(const std::string& folder) {
    m_listFolder.clear();
    std::vector<std::string> names;
    if (!ListFolder(folder, names))
        return false;
    m_listFolder.reserve(names.size() + 2);
    m_listFolder.insert(folder + ".");
    m_listFolder.insert(folder + "..");
    for (const std::string& name : names)
        m_listFolder.insert(folder + name);
    return true;
}

bool CFileFacts::RenameInListing(const std::string& newPath, const std::string& oldPath) {
    if (m_listFolder.count(newPath) != 0)
        return false;
    if (m_listFolder.erase(oldPath) != 0)
        m_listFolder.insert(newPath);
    return true;
}

void CFileFacts::PlanRenames(const std::vector<std::string>& newPaths,
                             std::vector<std::string>& oldPaths, std::vector<bool>* pUnlisted) {
    size_t rows = std::min(newPaths.size(), oldPaths.size());
    if (pUnlisted)
        pUnlisted->assign(oldPaths.size(), false);
    // The old paths as they were before any mark: a mark clears the first row holding
    // the colliding old path, which is the row itself unless a list holds one path twice.
    const std::vector<std::string> original(oldPaths.begin(), oldPaths.begin() + rows);
    std::vector<size_t> nextSame(rows, rows);
    std::unordered_map<std::string_view, size_t> firstHolding;
    std::unordered_map<std::string_view, size_t> lastHolding;
    firstHolding.reserve(rows);
    lastHolding.reserve(rows);

    // Rows grouped by folder, each group in row order; a missing file has no folder.
    std::vector<std::string> folders;
    std::vector<std::vector<size_t>> groups;
    std::unordered_map<std::string, size_t> groupOf;
    for (size_t row = 0; row < rows; ++row) {
        std::string_view path = original[row];
        if (auto [it, inserted] = lastHolding.try_emplace(path, row); !inserted) {
            nextSame[it->second] = row;
            it->second = row;
        } else {
            firstHolding.emplace(path, row);
        }
        std::string folder = ResolvedFolder(original[row]);
        if (folder.empty())
            continue;
        auto [it, inserted] = groupOf.try_emplace(folder, groups.size());
        if (inserted) {
            folders.push_back(folder);
            groups.emplace_back();
        }
        groups[it->second].push_back(row);
    }

    for (size_t group = 0; group < groups.size(); ++group) {
        if (!LoadFolderListing(folders[group])) {
            if (pUnlisted)
                for (size_t row : groups[group])
                    (*pUnlisted)[row] = true;
            continue;
        }
        for (size_t row : groups[group]) {
            if (RenameInListing(newPaths[row], original[row]))
                continue;
            auto first = firstHolding.find(original[row]);
            if (first == firstHolding.end() || first->second >= rows)
                continue;
            oldPaths[first->second].clear();
            first->second = nextSame[first->second];
        }
        ClearListing();
    }
}
