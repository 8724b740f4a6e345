// The rename planner's operations of CFileFacts: a picture of each folder and the replay
// of the run's renames on it.

#include <string_view>
#include <unordered_map>

#include "model/FileFacts.h"
#include "platform/EntryProber.h"
#include "platform/FolderListing.h"
#include "platform/PathFacts.h"

namespace {

constexpr std::string_view kIllegalChars("\\/:*?\"<>|\0", 10);

// The name a full path has inside a folder ("" when it does not lie directly in it).
std::string_view NameIn(std::string_view folder, std::string_view path) {
    if (path.size() <= folder.size() || !path.starts_with(folder))
        return {};
    std::string_view name = path.substr(folder.size());
    return name.find('/') == std::string_view::npos ? name : std::string_view();
}

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

bool CFileFacts::HasIllegalChar(const CFileFacts& entry) {
    return entry.m_strNewName.Get().find_first_of(kIllegalChars) != std::string::npos ||
           entry.m_strExt.Get().find_first_of(kIllegalChars) != std::string::npos;
}

bool CFileFacts::LoadFolderListing(const std::string& folder) {
    ClearListing();
    m_strListedFolder = folder;
    std::vector<std::string> names;
    if (!ListFolder(folder, names))
        return false;
    m_listFolder.reserve(names.size() + 2);
    m_listFolder.insert(".");
    m_listFolder.insert("..");
    for (std::string& name : names)
        m_listFolder.insert(std::move(name));
    return true;
}

bool CFileFacts::RenameInListing(const std::string& newPath, const std::string& oldPath) {
    // Paths that do not lie directly in the folder are kept whole, so that the picture
    // answers for every path exactly as a list of full paths would.
    std::string_view newName = NameIn(m_strListedFolder, newPath);
    bool taken = newName.empty() ? m_listOutside.count(newPath) != 0
                                 : m_listFolder.find(newName) != m_listFolder.end();
    if (taken)
        return false;
    std::string_view oldName = NameIn(m_strListedFolder, oldPath);
    bool removed = false;
    if (oldName.empty()) {
        removed = m_listOutside.erase(oldPath) != 0;
    } else if (auto old = m_listFolder.find(oldName); old != m_listFolder.end()) {
        m_listFolder.erase(old);
        removed = true;
    }
    if (removed && newName.empty())
        m_listOutside.insert(newPath);
    else if (removed)
        m_listFolder.emplace(newName);
    return true;
}

void CFileFacts::ClearListing() {
    m_listFolder.clear();
    m_listOutside.clear();
    m_strListedFolder.clear();
}

SRowFolders LocateRows(const std::vector<std::string>& paths, std::vector<SPathFacts>* pFacts) {
    SRowFolders where;
    where.folderOf.assign(paths.size(), -1);
    if (pFacts)
        pFacts->assign(paths.size(), SPathFacts());
    CEntryProber prober;
    SPathFacts scratch;
    std::unordered_map<std::string, int> indexOf;
    int last = -1;
    for (size_t row = 0; row < paths.size(); ++row) {
        const std::string* folder = prober.Probe(paths[row], pFacts ? (*pFacts)[row] : scratch);
        if (folder == nullptr)
            continue;
        if (last < 0 || *folder != where.folders[static_cast<size_t>(last)]) {
            auto [it, inserted] = indexOf.try_emplace(*folder, static_cast<int>(indexOf.size()));
            if (inserted)
                where.folders.push_back(*folder);
            last = it->second;
        }
        where.folderOf[row] = last;
    }
    return where;
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
            if (RenameInListing(newPaths[row], oldPaths[row]))
                continue;
            size_t marked = firstHolder.Take(oldPaths, oldPaths[row]);
            if (marked < rows)
                oldPaths[marked].clear();
        }
        ClearListing();
    }
}
