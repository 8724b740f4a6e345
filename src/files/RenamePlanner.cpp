// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/RenamePlanner.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include <algorithm>
#include <atomic>
#include <memory_resource>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/FolderListing.h"

namespace {

constexpr int kNone = -1;

// The steps of one chain or cycle, which go together, and the first row among them.
struct SUnit {
    size_t nFirstRow;
    size_t nBegin;
    size_t nEnd;
};

// Whether an entry other than the row's own holds the new path, whose name lies in the
// folder of the row's file. A name no entry can have (empty, or holding a "/" or a nul)
// is held by none, as a listing of the folder would tell. Where the file system ignores
// letter case, a name that differs only in case reaches the row's own entry: a file with
// one link has no other name.
bool IsTakenByOther(std::string_view newPath, const std::string& ownPath) {
    size_t folderLength = ownPath.rfind('/') + 1;
    if (!newPath.starts_with(std::string_view(ownPath).substr(0, folderLength)))
        return false;
    std::string_view name = newPath.substr(folderLength);
    if (name == "." || name == "..")
        return true;
    if (name.empty() || name.find_first_of(std::string_view("/\0", 2)) != std::string_view::npos)
        return false;
    struct stat taken;
    if (lstat(std::string(newPath).c_str(), &taken) != 0)
        return false;
    struct stat own;
    return lstat(ownPath.c_str(), &own) != 0 || own.st_dev != taken.st_dev ||
           own.st_ino != taken.st_ino || own.st_nlink != 1;
}

// What the picture knows of one name of a folder.
struct SNameState {
    bool bPresent = false;  // an entry holds the name before the run
    int nHolder = kNone;    // the row (of the folder's group) whose file holds it
    int nWanted = kNone;    // the first row of the group that wants it
};

// The picture of one folder: the names its rows hold and want. A name of the folder's own
// entries is kept as the name, which is all a run changes; a path that lies elsewhere is
// kept whole (it holds a "/", a name never does), so that the picture answers for every
// path exactly as a map of full paths would. A folder may hold many thousand rows, so the
// map's nodes are taken from one arena, dropped at once; each name is viewed where the row
// keeps it, which outlives the picture.
class CFolderPicture {
public:
    explicit CFolderPicture(const std::string& folder) : m_folder(folder) {}

    // Room for the names the rows bring: each row's old and new name.
    void Reserve(size_t rows) { m_names.reserve(2 * rows); }

    // Marks the names the rows brought that an entry of the folder holds ("." and ".."
    // count as held). False when the folder cannot be read.
    bool MarkListed() {
        for (std::string_view name : {".", ".."})
            m_names[name].bPresent = true;
        return VisitFolder(m_folder, [&](std::string_view name) {
            auto found = m_names.find(name);
            if (found != m_names.end())
                found->second.bPresent = true;
        });
    }

    // The state of a path; a reference that stays valid as the picture grows.
    SNameState& StateOf(std::string_view path) { return m_names[KeyOf(path)]; }

    // A name of the folder that no entry and no row holds or wants, for a file to wait
    // under: made of the process's id and a count, so that no one else picks it by chance.
    std::string FreeName() {
        static std::atomic<unsigned> s_nCount{0};
        for (;;) {
            std::string name = ".tessel-" + std::to_string(static_cast<long>(getpid())) + "-" +
                               std::to_string(s_nCount.fetch_add(1));
            struct stat facts;
            if (m_names.find(name) == m_names.end() &&
                fstatat(AT_FDCWD, (m_folder + name).c_str(), &facts, AT_SYMLINK_NOFOLLOW) != 0 &&
                errno == ENOENT)
                return name;
        }
    }

private:
    std::string_view KeyOf(std::string_view path) const {
        std::string_view key = path;
        if (key.size() > m_folder.size() && key.starts_with(m_folder) &&
            key.find('/', m_folder.size()) == std::string_view::npos)
            key.remove_prefix(m_folder.size());
        return key;
    }

    const std::string& m_folder;
    std::pmr::monotonic_buffer_resource m_arena;
    std::pmr::unordered_map<std::string_view, SNameState> m_names{&m_arena};
};

// The renames of one folder's rows, judged as a whole. Rows are numbered in the group, in
// row order. Each row that moves wants one name and each name is wanted by one row at
// most, so the rows that move form chains and cycles: a row waits for the row holding its
// new name, which waits for the next, down to a free name (or to a name that stays taken,
// which blocks the whole chain), or round to itself.
class CFolderPlan {
public:
    CFolderPlan(const std::string& folder, const std::vector<size_t>& rows,
                const std::vector<std::string_view>& newPaths, const RowPathList& oldPaths,
                const std::vector<bool>* pStays, CFolderPicture& picture, SRenamePlan& plan,
                std::vector<SUnit>& units)
        : m_folder(folder),
          m_units(units),
          m_rows(rows),
          m_picture(picture),
          m_plan(plan),
          m_kinds(rows.size(), EKind::Still),
          m_targets(rows.size(), nullptr),
          m_newPaths(newPaths),
          m_oldPaths(oldPaths) {
        for (size_t k = 0; k < rows.size(); ++k)
            Claim(k, *oldPaths[rows[k]], newPaths[rows[k]],
                  pStays != nullptr && (*pStays)[rows[k]]);
    }

    // Learns which of the names the rows want, but no row holds, an entry of the folder
    // takes. A few are asked about one by one; many are looked up in the folder's listing,
    // which costs about as much as asking about a tenth of its entries. False when the
    // folder cannot be listed.
    bool LearnTakenNames() {
        constexpr size_t kMostNamesAsked = 4096;
        std::vector<size_t> unheld;
        for (size_t k = 0; k < m_rows.size(); ++k)
            if (m_targets[k] != nullptr && m_targets[k]->nHolder == kNone)
                unheld.push_back(k);
        if (unheld.size() > kMostNamesAsked && unheld.size() * 8 > m_rows.size())
            return m_picture.MarkListed();
        // Judged alike either way: the rows of a folder that cannot be listed are not found.
        if (!CanListFolder(m_folder))
            return false;
        for (size_t k : unheld)
            m_targets[k]->bPresent = IsTakenByOther(m_newPaths[m_rows[k]], *m_oldPaths[m_rows[k]]);
        return true;
    }

    // Marks the rows whose new name stays taken and orders the steps of the others.
    void Judge() {
        size_t count = m_rows.size();
        m_status.assign(count, EStatus::Unknown);
        for (size_t k = 0; k < count; ++k)
            if (m_kinds[k] == EKind::Moves)
                Resolve(static_cast<int>(k));
        for (size_t k = 0; k < count; ++k) {
            if (m_kinds[k] == EKind::Moves)
                m_plan.marked[m_rows[k]] = m_status[k] == EStatus::Blocked;
            else if (m_kinds[k] == EKind::Stays)
                m_plan.marked[m_rows[k]] = !ReachesFree(static_cast<int>(k));
        }
        Order();
    }

private:
    enum class EKind : uint8_t {
        Still,  // keeps its name: unchanged, or blocked before any judging
        Stays,  // judged bad otherwise: judged as if it moved, but its name stays taken
        Moves,
    };
    enum class EStatus : uint8_t { Unknown, OnPath, Free, Blocked };
    // What a row's new name waits for: a free name, a name that stays taken, or a row.
    static constexpr int kFree = -2;
    static constexpr int kBlocked = -3;

    void Claim(size_t k, std::string_view oldPath, std::string_view newPath, bool stays) {
        size_t row = m_rows[k];
        SNameState& old = m_picture.StateOf(oldPath);
        if (old.nHolder != kNone) {
            m_plan.marked[row] = true;
            return;
        }
        old.nHolder = static_cast<int>(k);
        if (newPath == oldPath)
            return;
        SNameState& target = m_picture.StateOf(newPath);
        if (target.nWanted != kNone) {
            m_plan.marked[row] = true;
            return;
        }
        target.nWanted = static_cast<int>(k);
        m_targets[k] = &target;
        m_kinds[k] = stays ? EKind::Stays : EKind::Moves;
    }

    int Next(int k) const {
        const SNameState& target = *m_targets[static_cast<size_t>(k)];
        if (target.nHolder != kNone)
            return m_kinds[static_cast<size_t>(target.nHolder)] == EKind::Moves ? target.nHolder
                                                                                : kBlocked;
        return target.bPresent ? kBlocked : kFree;
    }

    bool ReachesFree(int k) const {
        int next = Next(k);
        return next == kFree || (next >= 0 && m_status[static_cast<size_t>(next)] == EStatus::Free);
    }

    // Follows the rows k waits for until the outcome is known, and gives it to all of
    // them: a path that comes round to a row on it is a cycle, which turns.
    void Resolve(int k) {
        m_path.clear();
        EStatus outcome = EStatus::Free;
        for (int at = k;;) {
            EStatus& status = m_status[static_cast<size_t>(at)];
            if (status != EStatus::Unknown) {
                outcome = status == EStatus::OnPath ? EStatus::Free : status;
                break;
            }
            status = EStatus::OnPath;
            m_path.push_back(at);
            at = Next(at);
            if (at < 0) {
                outcome = at == kFree ? EStatus::Free : EStatus::Blocked;
                break;
            }
        }
        for (int at : m_path)
            m_status[static_cast<size_t>(at)] = outcome;
    }

    void Order() {
        size_t count = m_rows.size();
        std::vector<int> waiting(count, kNone);  // the row waiting for each row's name
        for (size_t k = 0; k < count; ++k)
            if (Moving(k) && Next(static_cast<int>(k)) >= 0)
                waiting[static_cast<size_t>(Next(static_cast<int>(k)))] = static_cast<int>(k);
        std::vector<bool> placed(count, false);
        // A chain goes from the row whose new name is free back to the first row waiting.
        for (size_t k = 0; k < count; ++k) {
            if (!Moving(k) || Next(static_cast<int>(k)) != kFree)
                continue;
            size_t begin = m_plan.steps.size();
            size_t firstRow = m_rows[k];
            for (int at = static_cast<int>(k); at != kNone; at = waiting[static_cast<size_t>(at)]) {
                placed[static_cast<size_t>(at)] = true;
                firstRow = std::min(firstRow, m_rows[static_cast<size_t>(at)]);
                Add(EStepKind::Rename, at);
            }
            m_units.push_back(SUnit{firstRow, begin, m_plan.steps.size()});
        }
        // What is left turns in cycles.
        for (size_t k = 0; k < count; ++k) {
            if (!Moving(k) || placed[k])
                continue;
            int first = static_cast<int>(k);  // the first row of its cycle
            int second = Next(first);
            m_units.push_back(SUnit{m_rows[k], m_plan.steps.size(), 0});
            if (Next(second) == first) {
                placed[k] = placed[static_cast<size_t>(second)] = true;
                m_plan.routes[m_rows[k]] = ERoute::Swap;
                m_plan.routes[m_rows[static_cast<size_t>(second)]] = ERoute::Swap;
                Add(EStepKind::Exchange, first, second);
                m_units.back().nEnd = m_plan.steps.size();
                continue;
            }
            int temporary = static_cast<int>(m_plan.temporaries.size());
            m_plan.temporaries.push_back(m_folder + m_picture.FreeName());
            m_plan.routes[m_rows[k]] = ERoute::ThroughTemporary;
            placed[k] = true;
            Add(EStepKind::ToTemporary, first, kNone, temporary);
            for (int at = waiting[k]; at != first; at = waiting[static_cast<size_t>(at)]) {
                placed[static_cast<size_t>(at)] = true;
                Add(EStepKind::Rename, at);
            }
            Add(EStepKind::FromTemporary, first, kNone, temporary);
            m_units.back().nEnd = m_plan.steps.size();
        }
    }

    bool Moving(size_t k) const {
        return m_kinds[k] == EKind::Moves && m_status[k] == EStatus::Free;
    }

    void Add(EStepKind kind, int k, int other = kNone, int temporary = kNone) {
        SRenameStep step;
        step.kind = kind;
        step.nRow = static_cast<int>(m_rows[static_cast<size_t>(k)]);
        step.nOther = other == kNone ? kNone : static_cast<int>(m_rows[static_cast<size_t>(other)]);
        step.nTemporary = temporary;
        m_plan.steps.push_back(step);
    }

    const std::string& m_folder;
    std::vector<SUnit>& m_units;
    const std::vector<size_t>& m_rows;
    CFolderPicture& m_picture;
    SRenamePlan& m_plan;
    std::vector<EKind> m_kinds;
    std::vector<SNameState*> m_targets;
    const std::vector<std::string_view>& m_newPaths;
    const RowPathList& m_oldPaths;
    std::vector<EStatus> m_status;
    std::vector<int> m_path;
};

// Puts the chains and cycles of every folder in the order of their first rows (a sort by
// counting, as the rows bound the keys), so that rows that wait for none are renamed in
// row order, and a run stopped after a failure has tried the rows before it.
void OrderUnits(const std::vector<SUnit>& units, size_t rows, std::vector<SRenameStep>& steps) {
    std::vector<size_t> starts(rows + 1, 0);
    for (const SUnit& unit : units)
        ++starts[unit.nFirstRow + 1];
    for (size_t row = 0; row < rows; ++row)
        starts[row + 1] += starts[row];
    std::vector<const SUnit*> ordered(units.size());
    for (const SUnit& unit : units)
        ordered[starts[unit.nFirstRow]++] = &unit;
    std::vector<SRenameStep> sorted;
    sorted.reserve(steps.size());
    for (const SUnit* unit : ordered)
        sorted.insert(sorted.end(), steps.begin() + static_cast<std::ptrdiff_t>(unit->nBegin),
                      steps.begin() + static_cast<std::ptrdiff_t>(unit->nEnd));
    steps = std::move(sorted);
}

}  // namespace

SRenamePlan CRenamePlanner::PlanRenames(const std::vector<std::string_view>& newPaths,
                                        const RowPathList& oldPaths, std::vector<bool>* pUnlisted,
                                        const SRowFolders* pWhere,
                                        const std::vector<bool>* pStays) {
    SRenamePlan plan;
    std::vector<SUnit> units;
    plan.marked.assign(oldPaths.size(), false);
    plan.routes.assign(oldPaths.size(), ERoute::Direct);
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
        picture.Reserve(groups[group].size());
        CFolderPlan folderPlan(folders[group], groups[group], newPaths, oldPaths, pStays, picture,
                               plan, units);
        if (!folderPlan.LearnTakenNames()) {
            for (size_t row : groups[group]) {
                plan.marked[row] = false;
                if (pUnlisted)
                    (*pUnlisted)[row] = true;
            }
            continue;
        }
        folderPlan.Judge();
    }
    OrderUnits(units, rows, plan.steps);
    return plan;
}
