#include "files/AddCollector.h"

#include <sys/stat.h>

#include <cerrno>
#include <set>
#include <utility>

#include "platform/OpenFolder.h"
#include "platform/ParallelParts.h"

namespace {

// The folders a walk has entered, by device and inode: a folder met twice (through a
// mount of a folder inside itself, say) is walked once.
using CVisited = std::set<std::pair<uint64_t, uint64_t>>;

// The files inside an open folder and its subfolders, depth first, each folder's names
// sorted bytewise. Each folder is listed once and each file asked about once, by its name
// in the open folder. Links inside are not followed: each is a row of its own.
void CollectInFolder(COpenFolder& folder, const std::string& path, CFoundFiles& files,
                     std::vector<SAddProblem>& problems, CVisited& visited) {
    uint64_t device = 0;
    uint64_t inode = 0;
    if (!folder.GetIdentity(device, inode)) {
        problems.push_back({path, EAddProblem::Unreadable, errno});
        return;
    }
    if (!visited.emplace(device, inode).second)
        return;
    std::vector<SFolderEntry> entries;
    if (!folder.List(entries)) {
        problems.push_back({path, EAddProblem::Unreadable, errno});
        return;
    }
    std::string prefix = path == "/" ? path : path + "/";
    // The looks at a folder's entries wait on the file system, so they run in parts, each
    // through a descriptor of its own (parts sharing one contend for it).
    std::vector<SEntryFacts> facts(entries.size());
    // One byte each, not bits: two parts write their neighbouring entries at once.
    std::vector<char> seen(entries.size());
    ForEachPart(entries.size(), [&](size_t part, size_t first, size_t last) {
        COpenFolder own;
        const COpenFolder& looker = part > 0 && own.Open(".", &folder) ? own : folder;
        for (size_t i = first; i < last; ++i)
            // The listing's type spares the folders a look of their own; a file system
            // that does not tell types is asked about each entry.
            seen[i] = entries[i].nType == DT_DIR || looker.StatEntry(entries[i].strName, facts[i]);
    });
    for (size_t i = 0; i < entries.size(); ++i) {
        const std::string& name = entries[i].strName;
        if (!seen[i]) {
            continue;
        } else if (entries[i].nType == DT_DIR || facts[i].bIsFolder) {
            COpenFolder inner;
            if (inner.Open(name, &folder))
                CollectInFolder(inner, prefix + name, files, problems, visited);
            else if (errno != ENOENT)
                problems.push_back({prefix + name, EAddProblem::Unreadable, errno});
        } else {
            files.push_back(std::make_unique<CHitDoc>());
            files.back()->FillFromFacts(prefix + name, facts[i]);
        }
    }
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
    CFoundFiles files;
    CVisited visited;
    for (const std::string& given : paths) {
        SPathFacts facts;
        if (!QueryPath(given, facts)) {
            problems.push_back({given, EAddProblem::NotFound, ENOENT});
            continue;
        }
        COpenFolder folder;
        if (!NamesAFolder(facts)) {
            files.push_back(std::make_unique<CHitDoc>());
            files.back()->FillFromFacts(std::move(facts.strPath), facts);
        } else if (!recursive) {
            problems.push_back({given, EAddProblem::IsFolder, EISDIR});
        } else if (!folder.Open(facts.strPath)) {
            problems.push_back({facts.strPath, EAddProblem::Unreadable, errno});
        } else {
            CollectInFolder(folder, facts.strPath, files, problems, visited);
        }
    }
    return files;
}
