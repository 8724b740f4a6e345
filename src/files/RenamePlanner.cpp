#include "files/RenamePlanner.h"

#include <algorithm>
#include <memory_resource>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/FolderListing.h"

namespace {

// What the replay knows of one name of a folder.
struct SNameState {
    bool bPresent = false;  // an entry holds the name at this point of the replay
    bool bClaimed = false;  // a row has named the file that held it before the run
};

// The picture of one folder during the replay. A name of the folder's own entries is
// kept as the name, which is all a run changes; a path that lies elsewhere is kept whole
// (it holds a "/", a name never does), so that the picture answers for every path exactly
// as a map of full paths would. A folder may hold many thousand names, so the names
// listed and the map's nodes are taken from one arena, dropped at once; a name a row
// brings is viewed where the row keeps it, which outlives the picture.
class CFolderPicture {
public:
    explicit CFolderPicture(const std::string& folder) : m_folder(folder) {}

    // Every entry of the folder, "." and ".." included. False when it cannot be read.
    bool Load(size_t rows) {
        std::vector<std::string_view> kept = {".", ".."};
        if (!VisitFolder(m_folder, [&](std::string_view name) { kept.push_back(Keep(name)); }))
            return false;
        // Room for the names the rows bring, too.
        m_names.reserve(kept.size() + rows);
        for (std::string_view name : kept)
            m_names[name].bPresent = true;
        return true;
    }

    // Replays one row: false, changing nothing, when its file was named by an earlier row
    // or its new path is taken at this point.
    bool Rename(std::string_view oldPath, std::string_view newPath) {
        SNameState& old = StateOf(oldPath);
        if (old.bClaimed)
            return false;
        old.bClaimed = true;
        // A file that keeps its name stays where it is, in the way of any other row that
        // wants the name.
        if (newPath == oldPath)
            return true;
        SNameState& target = StateOf(newPath);
        if (target.bPresent)
            return false;
        target.bPresent = true;
        old.bPresent = false;
        return true;
    }

private:
    SNameState& StateOf(std::string_view path) {
        std::string_view key = path;
        if (key.size() > m_folder.size() && key.starts_with(m_folder) &&
            key.find('/', m_folder.size()) == std::string_view::npos)
            key.remove_prefix(m_folder.size());
        return m_names[key];
    }

    // A copy of the text in the arena, for the map to hold.
    std::string_view Keep(std::string_view text) {
        char* kept = static_cast<char*>(m_arena.allocate(std::max<size_t>(text.size(), 1), 1));
        std::copy(text.begin(), text.end(), kept);
        return std::string_view(kept, text.size());
    }

    const std::string& m_folder;
    std::pmr::monotonic_buffer_resource m_arena;
    std::pmr::unordered_map<std::string_view, SNameState> m_names{&m_arena};
};

}  // namespace

std::vector<bool> CRenamePlanner::PlanRenames(const std::vector<std::string_view>& newPaths,
                                              const RowPathList& oldPaths,
                                              std::vector<bool>* pUnlisted,
                                              const SRowFolders* pWhere) {
    std::vector<bool> marked(oldPaths.size(), false);
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
        CFolderPicture picture(folders[group]);
        if (!picture.Load(groups[group].size())) {
            if (pUnlisted)
                for (size_t row : groups[group])
                    (*pUnlisted)[row] = true;
            continue;
        }
        for (size_t row : groups[group])
            marked[row] = !picture.Rename(*oldPaths[row], newPaths[row]);
    }
    return marked;
}
