// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/AddCollector.h"

#include <sys/stat.h>

#include <array>
#include <cerrno>
#include <mutex>
#include <set>
#include <utility>

#include "platform/OpenFolder.h"
#include "platform/ParallelParts.h"

namespace {

// What a walk shares between its parts: whether it enters subfolders, and the folders
// entered so far, by device and inode, so that a folder met twice (through a mount of a
// folder inside itself, say) is walked once.
struct SWalk {
    bool bIntoSubfolders = true;
    std::mutex mutex;
    std::set<std::pair<uint64_t, uint64_t>> visited;

    bool Enter(uint64_t device, uint64_t inode) {
        std::lock_guard<std::mutex> lock(mutex);
        return visited.emplace(device, inode).second;
    }
};

// The files and problems a walk found, in walk order.
struct SFound {
    CFoundFiles files;
    std::vector<SAddProblem> problems;

    void Append(SFound&& other) {
        for (auto& file : other.files)
            files.push_back(std::move(file));
        for (auto& problem : other.problems)
            problems.push_back(std::move(problem));
    }
};

void CollectInFolder(COpenFolder& folder, const std::string& path, SFound& found, SWalk& walk,
                     bool mayFanOut);

// Entries [first, last) of an open folder, in order: each file asked about through looker
// (a descriptor of the same folder) and each subfolder walked.
void CollectEntries(COpenFolder& folder, const COpenFolder& looker, const std::string& prefix,
                    const std::vector<SFolderEntry>& entries, size_t first, size_t last,
                    SFound& found, SWalk& walk, bool mayFanOut) {
    SEntryFacts facts;
    for (size_t i = first; i < last; ++i) {
        const std::string& name = entries[i].strName;
        // The listing's type spares the folders a look of their own; a file system that
        // does not tell types is asked about each entry.
        bool isFolder = entries[i].nType == DT_DIR;
        if (!isFolder && !looker.StatEntry(name, facts))
            continue;
        if ((isFolder || facts.bIsFolder) && !walk.bIntoSubfolders)
            continue;
        if (isFolder || facts.bIsFolder) {
            COpenFolder inner;
            if (inner.Open(name, &folder))
                CollectInFolder(inner, prefix + name, found, walk, mayFanOut);
            else if (errno != ENOENT)
                found.problems.push_back({prefix + name, EAddProblem::Unreadable, errno});
        } else {
            found.files.push_back(std::make_unique<CHitDoc>());
            found.files.back()->FillFromFacts(prefix + name, facts);
        }
    }
}

// The files inside an open folder and its subfolders, depth first, each folder's names
// sorted bytewise. Each folder is listed once and each file asked about once, by its name
// in the open folder. Links inside are not followed: each is a row of its own.
void CollectInFolder(COpenFolder& folder, const std::string& path, SFound& found, SWalk& walk,
                     bool mayFanOut) {
    uint64_t device = 0;
    uint64_t inode = 0;
    if (!folder.GetIdentity(device, inode)) {
        found.problems.push_back({path, EAddProblem::Unreadable, errno});
        return;
    }
    if (!walk.Enter(device, inode))
        return;
    std::vector<SFolderEntry> entries;
    if (!folder.List(entries)) {
        found.problems.push_back({path, EAddProblem::Unreadable, errno});
        return;
    }
    std::string prefix = path == "/" ? path : path + "/";
    if (!mayFanOut)
        return CollectEntries(folder, folder, prefix, entries, 0, entries.size(), found, walk,
                              false);
    // The walk waits on the file system, so it goes in parts: whole subfolders when there
    // are several (their listings then overlap too), otherwise the looks at the files.
    // Each part looks through a descriptor of its own (parts sharing one contend for it)
    // and fans out no further; a single part may.
    size_t subfolders = 0;
    for (const SFolderEntry& entry : entries)
        subfolders += entry.nType == DT_DIR;
    std::array<SFound, kMostParts> parts;
    ForEachPart(
        entries.size(),
        [&](size_t part, size_t first, size_t last) {
            COpenFolder own;
            const COpenFolder& looker = part > 0 && own.Open(".", &folder) ? own : folder;
            bool whole = first == 0 && last == entries.size();
            CollectEntries(folder, looker, prefix, entries, first, last, parts[part], walk, whole);
        },
        subfolders >= 2 ? 1 : kLooksPerPart);
    for (SFound& part : parts)
        found.Append(std::move(part));
}

// A path given to add that is a folder, or a link that leads to one.
bool NamesAFolder(const SPathFacts& facts) {
    struct stat st;
    return facts.bIsFolder ||
           (S_ISLNK(facts.nMode) && stat(facts.strPath.c_str(), &st) == 0 && S_ISDIR(st.st_mode));
}

}  // namespace

CFoundFiles CollectFilesToAdd(const std::vector<std::string>& paths, bool recursive,
                              std::vector<SAddProblem>& problems) {
    SFound found;
    found.problems = std::move(problems);
    SWalk walk;
    walk.bIntoSubfolders = recursive;
    for (const std::string& given : paths) {
        SPathFacts facts;
        if (!QueryPath(given, facts)) {
            found.problems.push_back({given, EAddProblem::NotFound, ENOENT});
            continue;
        }
        COpenFolder folder;
        if (!NamesAFolder(facts)) {
            found.files.push_back(std::make_unique<CHitDoc>());
            found.files.back()->FillFromFacts(std::move(facts.strPath), facts);
        } else if (!folder.Open(facts.strPath)) {
            found.problems.push_back({facts.strPath, EAddProblem::Unreadable, errno});
        } else {
            CollectInFolder(folder, facts.strPath, found, walk, true);
        }
    }
    problems = std::move(found.problems);
    return std::move(found.files);
}
