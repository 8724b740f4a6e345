// The rename planner's operations of CFileFacts: a picture of each folder and the replay
// of the run's renames on it.

#include <unordered_map>

#include "model/FileFacts.h"
#include "platform/NameRules.h"
#include "platform/PathFacts.h"

namespace {

constexpr std::string_view kNeverInAName("/\0", 2);

// Which row a collision marks: the first row still holding the colliding old path. Built
// at the first collision only, since most runs have none.
class CFirstHolder {
public:
    size_t Take(const std::vector<std::string>& oldPaths, const std::string& value) {
        if (!m_bBuilt)
            Build(oldPaths);
        auto it = m_first.find(value);
        if (it == m_first.end())
            return oldPaths.size();
        size_t row = it->second;
        auto next = m_next.find(row);
        if (next == m_next.end())
            m_first.erase(it);
        else
            it->second = next->second;
        return row;
    }

private:
    void Build(const std::vector<std::string>& oldPaths) {
        m_bBuilt = true;
        std::unordered_map<size_t, size_t> last;
        for (size_t row = 0; row < oldPaths.size(); ++row) {
            if (oldPaths[row].empty())
                continue;
            auto [it, inserted] = m_first.try_emplace(oldPaths[row], row);
            if (inserted)
                continue;
            auto [tail, fresh] = last.try_emplace(it->second, it->second);
            m_next[tail->second] = row;
            tail->second = row;
        }
    }

    bool m_bBuilt = false;
    std::unordered_map<std::string, size_t> m_first;
    std::unordered_map<size_t, size_t> m_next;  // the next row holding the same path
};

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

    // A mark clears the first row still holding the colliding old path: the row itself,
    // unless a list names one file twice. Only rows holding that path ask for it, once
    // each and in row order, so a row is never cleared before its own turn.
    CFirstHolder firstHolder;
    for (size_t group = 0; group < groups.size(); ++group) {
        if (!LoadFolderListing(folders[group])) {
            if (pUnlisted)
                for (size_t row : groups[group])
                    (*pUnlisted)[row] = true;
            continue;
        }
        for (size_t row : groups[group]) {
            // A file that keeps its name stays where it is in the picture, in the way of
            // any other row that wants the name.
            if (newPaths[row] == oldPaths[row])
                continue;
            if (RenameInListing(newPaths[row], oldPaths[row]))
                continue;
            size_t marked = firstHolder.Take(oldPaths, oldPaths[row]);
            if (marked < rows)
                oldPaths[marked].clear();
        }
        ClearListing();
    }
}
