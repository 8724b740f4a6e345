#include "files/AddCollector.h"

#include <algorithm>
#include <cerrno>

#include "platform/FolderListing.h"
#include "platform/PathFacts.h"

namespace {

void CollectInFolder(const std::string& folder, std::vector<std::string>& files,
                     std::vector<SAddProblem>& problems) {
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
            CollectInFolder(path, files, problems);
        else
            files.push_back(path);
    }
}

}  // namespace

std::vector<std::string> CollectFilesToAdd(const std::vector<std::string>& paths, bool recursive,
                                           std::vector<SAddProblem>& problems) {
    std::vector<std::string> files;
    for (const std::string& given : paths) {
        std::string path = AbsolutePath(given);
        SPathFacts facts;
        if (!QueryPath(path, facts))
            problems.push_back({given, EAddProblem::NotFound, ENOENT});
        else if (!facts.bIsFolder)
            files.push_back(path);
        else if (!recursive)
            problems.push_back({given, EAddProblem::IsFolder, EISDIR});
        else
            CollectInFolder(path, files, problems);
    }
    return files;
}
