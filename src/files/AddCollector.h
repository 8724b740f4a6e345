// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "model/HitDoc.h"

// Why a path named for adding gave no file.
enum class EAddProblem {
    NotFound,    // nothing is there
    Unreadable,  // a folder whose entries cannot be read (nError tells why)
};

struct SAddProblem {
    std::string strPath;  // as given, or the folder met inside a walk
    EAddProblem problem;
    int nError = 0;  // the system's error number
};

// Files found for adding, each as the entry that adds it, filled from what the file system
// told of the file when it was found, so that adding it needs no second look.
using CFoundFiles = std::vector<std::unique_ptr<CHitDoc>>;

// The files that adding the paths means, in order, each made absolute: a file stands for
// itself; a folder for the files inside it, each folder's names sorted bytewise, and with
// recursive for those of its subfolders too, depth first (what a person picks in the Add
// dialog folder by folder). A path that gives nothing is told in problems, and the others go on.
CFoundFiles CollectFilesToAdd(const std::vector<std::string>& paths, bool recursive,
                              std::vector<SAddProblem>& problems);
