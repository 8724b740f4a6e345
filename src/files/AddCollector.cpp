#include "files/AddCollector.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <set>
#include <utility>

#include "platform/FolderListing.h"
#include "platform/PathFacts.h"

namespace {

// The folders a walk has entered, by device and inode: a folder met twice (through a
// mount of a folder inside itself, say) is walked once.
using CVisited = std::set<std::pair<dev_t, ino_t>>;

// The files inside a folder and its subfolders, depth first, each folder's names sorted
// bytewise. Links inside are not followed: each is a row of its own.
void CollectInFolder(const std::string& folder, std::vector<std::string>& files,
                     std::vector<SAddProblem>& problems, CVisited& visited) {
    struct stat st;
    if (stat(folder.c_str(), &st) != 0) {
        problems.push_back({folder, EAddProblem::Unreadable, errno});
        return;
    }
    if (!visited.emplace(st.st_dev, st.st_ino).second)
        return;
    std::vector<std::string> names;
    if (!ListFolder(folder, names)) {
        problems.push_back({folder, EAddProblem::Unreadable, errno});
        return;
    }
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
        std::string path = folder == "/" ? "/" + name : folder + "/" + name;
        SPathFacts facts;
        if (!QueryPath(path, facts))
            continue;
        if (facts.bIsFolder)
            CollectInFolder(path, files, problems, visited);
        else
            files.push_back(path);
    }
}

// A path given to add that is a folder, or a link that leads to one.
bool NamesAFolder(const std::string& path, const SPathFacts& facts) {
    struct stat st;
    return facts.bIsFolder || (stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode));
}

}  // namespace

std::vector<std::string> CollectFilesToAdd(const std::vector<std::string>& paths, bool recursive,
                                           std::vector<SAddProblem>& problems) {
    std::vector<std::string> files;
    CVisited visited;
    for (const std::string& given : paths) {
        std::string path = AbsolutePath(given);
        SPathFacts facts;
        if (!QueryPath(path, facts))
            problems.push_back({given, EAddProblem::NotFound, ENOENT});
        else if (!NamesAFolder(path, facts))
            files.push_back(path);
        else if (!recursive)
            problems.push_back({given, EAddProblem::IsFolder, EISDIR});
        else
            CollectInFolder(path, files, problems, visited);
    }
    return files;
}
