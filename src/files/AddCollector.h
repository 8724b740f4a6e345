#pragma once

#include <string>
#include <vector>

#include "platform/PathFacts.h"

// Why a path named for adding gave no file.
enum class EAddProblem {
    NotFound,    // nothing is there
    IsFolder,    // a folder, and folders were not to be walked
    Unreadable,  // a folder whose entries cannot be read (nError tells why)
};

struct SAddProblem {
    std::string strPath;  // as given, or the folder met inside a walk
    EAddProblem problem;
    int nError = 0;  // the system's error number
};

// A file found for adding: its absolute path, and what the file system told of it when
// it was found, so that adding it needs no second look.
struct SFoundFile {
    std::string strPath;
    SEntryFacts facts;
};

// The files that adding the paths means, in order, each made absolute: a file stands for
// itself; a folder, with recursive, for the files inside it and its subfolders, depth
// first, each folder's names sorted bytewise (what a person picks in the Add dialog
// folder by folder). A path that gives nothing is told in problems, and the others go on.
std::vector<SFoundFile> CollectFilesToAdd(const std::vector<std::string>& paths, bool recursive,
                                          std::vector<SAddProblem>& problems);
